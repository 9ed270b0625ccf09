#include "runs/VariationPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qnetica {
namespace {

constexpr int MaxPlannedQs = MaxNodeCount - 1;  // QS 1..150

// A count below 2 divides by nothing: such a plan never steps (a fixed run).
double StepIncrement(double difference, int stepCount) {
    if (stepCount < MinVariedStepCount) return 0;
    return difference / (stepCount - 1);
}

// Takes a value from the model only where the plan holds none yet.
template <typename T, typename U>
void TakeWhenZero(T& planValue, U modelValue) {
    if (planValue == 0) planValue = modelValue;
}

void LoadQsDefaults(QsPlan& plan, const QsParams& qs) {
    TakeWhenZero(plan.ChannelsFrom, qs.Channels);
    TakeWhenZero(plan.ChannelsTo, qs.Channels);
    plan.ChannelsSaved = qs.Channels;
    plan.ChannelsCurrent = plan.ChannelsFrom;
    TakeWhenZero(plan.PlacesFrom, qs.QueuePlaces);
    TakeWhenZero(plan.PlacesTo, qs.QueuePlaces);
    plan.PlacesSaved = qs.QueuePlaces;
    plan.PlacesCurrent = plan.PlacesFrom;
    TakeWhenZero(plan.ServiceFrom, qs.ServiceTime);
    TakeWhenZero(plan.ServiceTo, qs.ServiceTime);
    plan.ServiceSaved = qs.ServiceTime;
    plan.ServiceCurrent = plan.ServiceFrom;
}

double IntegerDifference(std::int32_t from, std::int32_t to) {
    return static_cast<double>(static_cast<std::int64_t>(to) - from);
}

}  // namespace

std::int32_t RoundHalfUp(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::trunc(value);
    const double rounded = value - whole >= 0.5 ? whole + 1 : whole;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(rounded, lowest, highest));
}

void VariationPlan::ResetPlan(int nodeCount) {
    InputRateSaved = InputRateFrom = InputRateTo = 0;
    InputRateIncrement = InputRateCurrent = 0;
    const int last = std::min(nodeCount, PlanSlotCount);
    for (int k = 1; k <= last; ++k) Qs(k) = QsPlan{};
    StepCount = MinVariedStepCount;
}

void VariationPlan::LoadPlanDefaults(const NetworkModel& model) {
    for (int k = 1; k <= MaxPlannedQs; ++k)
        ChannelsVaried[k - 1] = ServiceVaried[k - 1] = PlacesVaried[k - 1] = false;
    InputRateVaried = Confirmed = false;
    VaryInputRate = VaryServiceTime = VaryChannels = VaryPlaces = false;
    if (ReportFileName.empty()) ReportFileName = DefaultReportFileName;
    if (StepCount == 0) StepCount = MinVariedStepCount;

    TakeWhenZero(InputRateFrom, model.InputRate());
    TakeWhenZero(InputRateTo, model.InputRate());
    InputRateSaved = model.InputRate();
    InputRateCurrent = InputRateFrom;
    for (int k = 1; k <= model.QsCount(); ++k) LoadQsDefaults(Qs(k), model.Qs(k));
}

std::optional<std::string> VariationPlan::PreparePlanSteps(const NetworkModel& model,
                                                           bool variedRun) {
    if (variedRun && (StepCount < MinVariedStepCount || StepCount > MaxVariedStepCount))
        return std::string(StepCountRefusal);

    InputRateIncrement = StepIncrement(InputRateTo - InputRateFrom, StepCount);
    if (InputRateIncrement != 0) InputRateVaried = true;
    InputRateCurrent = InputRateFrom;
    for (int k = 1; k <= model.QsCount(); ++k) {
        QsPlan& plan = Qs(k);
        plan.ChannelsIncrement =
            StepIncrement(IntegerDifference(plan.ChannelsFrom, plan.ChannelsTo), StepCount);
        plan.ChannelsCurrent = plan.ChannelsFrom;
        if (plan.ChannelsIncrement != 0) ChannelsVaried[k - 1] = true;
        plan.PlacesIncrement =
            StepIncrement(IntegerDifference(plan.PlacesFrom, plan.PlacesTo), StepCount);
        plan.PlacesCurrent = plan.PlacesFrom;
        if (plan.PlacesIncrement != 0) PlacesVaried[k - 1] = true;
        plan.ServiceIncrement = StepIncrement(plan.ServiceTo - plan.ServiceFrom, StepCount);
        plan.ServiceCurrent = plan.ServiceFrom;
        if (plan.ServiceIncrement != 0) ServiceVaried[k - 1] = true;
    }
    return std::nullopt;
}

// Step j's value is reached by j - 1 additions of the increment, not by a multiplication.
std::optional<std::string> VariationPlan::ConfirmPlan(const NetworkModel& model, bool variedRun) {
    if (auto refusal = PreparePlanSteps(model, variedRun)) return refusal;
    VariedRun = variedRun;
    Confirmed = true;
    return std::nullopt;
}

void VariationPlan::ApplyPlanStep(NetworkModel& model) {
    if (VaryInputRate) {
        model.SetInputRate(InputRateCurrent);
        InputRateCurrent += InputRateIncrement;
    }
    const int qsCount = model.QsCount();
    if (VaryServiceTime) {
        for (int k = 1; k <= qsCount; ++k) {
            model.Qs(k).ServiceTime = Qs(k).ServiceCurrent;
            Qs(k).ServiceCurrent += Qs(k).ServiceIncrement;
        }
    }
    if (VaryChannels) {
        for (int k = 1; k <= qsCount; ++k) {
            model.Qs(k).Channels = RoundHalfUp(Qs(k).ChannelsCurrent);
            Qs(k).ChannelsCurrent += Qs(k).ChannelsIncrement;
        }
    }
    if (VaryPlaces) {
        for (int k = 1; k <= qsCount; ++k) {
            model.Qs(k).QueuePlaces = RoundHalfUp(Qs(k).PlacesCurrent);
            Qs(k).PlacesCurrent += Qs(k).PlacesIncrement;
        }
    }
}

void VariationPlan::RestorePlanValues(NetworkModel& model) const {
    if (VaryInputRate) model.SetInputRate(InputRateSaved);
    for (int k = 1; k <= model.QsCount(); ++k) {
        if (VaryServiceTime) model.Qs(k).ServiceTime = Qs(k).ServiceSaved;
        if (VaryChannels) model.Qs(k).Channels = Qs(k).ChannelsSaved;
        if (VaryPlaces) model.Qs(k).QueuePlaces = Qs(k).PlacesSaved;
    }
}

}  // namespace qnetica
