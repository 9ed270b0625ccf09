#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/NetworkModel.h"
#include "runs/StepTotals.h"

namespace qnetica {

// 550 slots, though only QS 1..150 are ever used: kept on purpose, the plan's layout has always
// had them and nothing gains from fewer.
inline constexpr int PlanSlotCount = 550;
inline constexpr int MinVariedStepCount = 2;
inline constexpr int MaxVariedStepCount = MaxStepCount;  // the room of the step totals
inline constexpr const char* DefaultReportFileName = "report.txt";
inline constexpr const char* StepCountRefusal =
    "Количество циклов должно лежать в пределах от 2 до 100.";

// The varied values of one QS. Channels and places are stepped as doubles and rounded only
// when applied, so 1 to 3 over 5 steps gives 1, 2, 2, 3, 3.
struct QsPlan {
    std::int32_t ChannelsFrom = 0;
    std::int32_t ChannelsTo = 0;
    std::int32_t ChannelsSaved = 0;
    std::int32_t PlacesTo = 0;
    std::int32_t PlacesSaved = 0;
    std::int32_t PlacesFrom = 0;
    double ChannelsCurrent = 0;
    double ChannelsIncrement = 0;
    double ServiceFrom = 0;
    double ServiceTo = 0;
    double ServiceIncrement = 0;
    double ServiceCurrent = 0;
    double ServiceSaved = 0;
    double PlacesCurrent = 0;
    double PlacesIncrement = 0;
};

// The calculation parameters: fixed or varied run, what varies, from where to where, in how many
// steps. Lives as long as the program; values the user set survive later openings of the
// dialog, even when the model changes in between.
struct VariationPlan {
    std::array<QsPlan, PlanSlotCount> QsPlans{};  // [k-1] for QS k
    double InputRateSaved = 0;
    double InputRateFrom = 0;
    double InputRateTo = 0;
    double InputRateIncrement = 0;
    double InputRateCurrent = 0;
    bool VariedRun = false;
    bool Confirmed = false;
    bool VaryInputRate = false;
    bool VaryServiceTime = false;
    bool VaryChannels = false;
    bool VaryPlaces = false;
    std::string ReportFileName = DefaultReportFileName;
    std::int32_t StepCount = MinVariedStepCount;
    std::array<bool, PlanSlotCount> ChannelsVaried{};  // [k-1] for QS k
    std::array<bool, PlanSlotCount> ServiceVaried{};
    std::array<bool, PlanSlotCount> PlacesVaried{};
    bool InputRateVaried = false;
    // "Учитывать потери в СМО с ограниченной очередью": a bounded QS passes on only the
    // requests it serves. A setting of the user's, kept as it is when the dialog opens again.
    bool AccountLosses = false;

    QsPlan& Qs(int k) { return QsPlans[k - 1]; }  // k = 1..550
    const QsPlan& Qs(int k) const { return QsPlans[k - 1]; }

    // New network: zeroes the input-rate values and the slots 1..nodeCount, StepCount <- 2.
    void ResetPlan(int nodeCount);
    // Each opening of the dialog: clears the flags, takes zero values from the model and
    // always remembers the model's present values for RestorePlanValues.
    void LoadPlanDefaults(const NetworkModel& model);
    // Confirming the dialog: the increments of every QS and of the input rate. A varied run
    // needs StepCount in 2..100 and is otherwise refused with StepCountRefusal, nothing changed.
    [[nodiscard]] std::optional<std::string> PreparePlanSteps(const NetworkModel& model,
                                                              bool variedRun);
    // The confirmation of the run's parameters, as the dialog and the calculator both make it:
    // the steps prepared, and the plan confirmed as a fixed or varied run. A refusal of
    // PreparePlanSteps is returned and the plan stays unconfirmed.
    [[nodiscard]] std::optional<std::string> ConfirmPlan(const NetworkModel& model, bool variedRun);
    // Puts the values of the next step into the model for every kind that is varied.
    void ApplyPlanStep(NetworkModel& model);
    // Gives the model back the values it had when the dialog was opened (varied kinds only).
    void RestorePlanValues(NetworkModel& model) const;
};

// The integer part, plus 1 when the rest is at least 0.5: 2.5 gives 3, 2.49 gives 2.
std::int32_t RoundHalfUp(double value);

}  // namespace qnetica
