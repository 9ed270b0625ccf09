#include "runs/StepAxis.h"

#include <algorithm>
#include <span>

#include "model/NetworkModel.h"
#include "model/TextConcat.h"
#include "runs/DistinctNumberText.h"
#include "runs/VariationPlan.h"

namespace qnetica {
namespace {

constexpr const char* StepTitle = "Шаг";

struct Varied {
    VariedParameter Parameter;
    int Qs;
};

// A kind counts for a QS when the plan varies that kind and its values differ.
// Slots beyond the network keep the increments of an earlier, larger one: they do not count.
std::vector<Varied> VariedParameters(const VariationPlan& plan, int qsCount) {
    std::vector<Varied> found;
    if (plan.VaryInputRate && plan.InputRateIncrement != 0)
        found.push_back({VariedParameter::InputRate, 0});
    for (int k = 1; k <= qsCount; ++k) {
        const QsPlan& qs = plan.Qs(k);
        if (plan.VaryServiceTime && qs.ServiceIncrement != 0)
            found.push_back({VariedParameter::ServiceTime, k});
        if (plan.VaryChannels && qs.ChannelsIncrement != 0)
            found.push_back({VariedParameter::Channels, k});
        if (plan.VaryPlaces && qs.PlacesIncrement != 0)
            found.push_back({VariedParameter::Places, k});
    }
    return found;
}

}  // namespace

void StepAxis::Begin(const VariationPlan& plan, const NetworkModel& model) {
    const std::vector<Varied> varied = VariedParameters(plan, model.QsCount());
    Parameter = varied.size() == 1 ? varied.front().Parameter : VariedParameter::None;
    Qs = varied.size() == 1 ? varied.front().Qs : 0;
    Values.clear();
    StepCount = 0;
}

void StepAxis::Record(int step, const NetworkModel& model) {
    if (step < 1) return;
    StepCount = std::max(StepCount, step);
    if (Parameter == VariedParameter::None) return;
    double value = 0;
    switch (Parameter) {
        case VariedParameter::InputRate:
            value = model.InputRate();
            break;
        case VariedParameter::ServiceTime:
            value = model.Qs(Qs).ServiceTime;
            break;
        case VariedParameter::Channels:
            value = model.Qs(Qs).Channels;
            break;
        case VariedParameter::Places:
            value = model.Qs(Qs).QueuePlaces;
            break;
        case VariedParameter::None:
            break;
    }
    if (Values.size() < static_cast<std::size_t>(step)) Values.resize(step);
    Values[step - 1] = value;
}

bool StepAxis::ShowsValues(int count) const {
    return Parameter != VariedParameter::None && count >= 1 && count <= StepCount &&
           static_cast<std::size_t>(count) <= Values.size();
}

std::string StepAxis::ParameterName() const {
    const std::string qs = std::to_string(Qs);
    switch (Parameter) {
        case VariedParameter::InputRate:
            return "Интенсивность входящего потока";
        case VariedParameter::ServiceTime:
            return Concat({"Время обслуживания в СМО ", qs});
        case VariedParameter::Channels:
            return Concat({"Число каналов в СМО ", qs});
        case VariedParameter::Places:
            return Concat({"Число мест в СМО ", qs});
        case VariedParameter::None:
            break;
    }
    return {};
}

std::string StepAxis::Title(int count) const {
    return ShowsValues(count) ? ParameterName() : std::string(StepTitle);
}

std::vector<std::string> StepAxis::Labels(int count) const {
    if (ShowsValues(count)) return FormatDistinct(std::span<const double>(Values.data(), count));
    std::vector<std::string> labels;
    for (int k = 1; k <= count; ++k) labels.push_back(std::to_string(k));
    return labels;
}

}  // namespace qnetica
