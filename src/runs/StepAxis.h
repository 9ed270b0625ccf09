#pragma once

#include <string>
#include <vector>

namespace qnetica {

class NetworkModel;
struct VariationPlan;

// The one parameter that a varied run moves, when it moves exactly one.
enum class VariedParameter { None, InputRate, ServiceTime, Channels, Places };

// What the steps of a varied run stand for on a chart's axis: the values of its one varied
// parameter, or the step numbers when it varies none or several.
struct StepAxis {
    VariedParameter Parameter = VariedParameter::None;
    int Qs = 0;                  // the QS of a varied service time, channel or place count
    std::vector<double> Values;  // [step-1]: the value applied in that step
    int StepCount = 0;           // the steps recorded since the run began

    // A varied run's start: which parameter of the model's QS moves, from the plan as
    // confirmed; no values yet.
    void Begin(const VariationPlan& plan, const NetworkModel& model);
    // After the plan's values of the step went into the model.
    void Record(int step, const NetworkModel& model);

    // The first count steps belong to the run recorded.
    bool Covers(int count) const { return count >= 0 && count <= StepCount; }
    // The first count steps are shown by their values: one parameter varied and all of them
    // recorded.
    bool ShowsValues(int count) const;
    // "Шаг", or the parameter's name, e.g. "Время обслуживания в СМО 3".
    std::string Title(int count) const;
    // Steps 1..count: "1", "2", .. or the values with the fewest decimals that tell them apart.
    std::vector<std::string> Labels(int count) const;
    // The parameter's name, whether or not values are shown ("" for none).
    std::string ParameterName() const;
};

}  // namespace qnetica
