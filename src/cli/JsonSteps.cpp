#include "cli/JsonSteps.h"

#include <algorithm>

#include "model/QsKind.h"
#include "runs/ClassRecordReader.h"

namespace qnetica {
namespace {

using nlohmann::json;

json ClassesJson(const QsParams& qs, const ClassResults& record) {
    json classes = json::array();
    const int count = std::clamp(qs.PriorityClasses, 0, MaxPriorityClasses);
    for (int j = 0; j < count; ++j)
        classes.push_back({{"class", j + 1},
                           {"share", qs.ClassShares[j]},
                           {"arrival_rate", record.ClassArrivalRate[j]},
                           {"load", record.ClassLoad[j]},
                           {"queue_length", record.ClassQueueLength[j]},
                           {"in_system", record.ClassInSystem[j]},
                           {"wait_time", record.ClassWaitTime[j]},
                           {"sojourn_time", record.ClassSojournTime[j]}});
    return classes;
}

json QsJson(int k, const QsParams& qs, bool overloaded) {
    const QsResults& r = qs.Results;
    return {{"number", k},
            {"name", qs.Name},
            {"kind", QsKindName(KindOf(qs))},
            {"service_time", qs.ServiceTime},
            {"channels", qs.Channels},
            {"places", qs.QueuePlaces},
            {"arrival_rate", r.ArrivalRate},
            {"offered_load", r.OfferedLoad},
            {"load_factor", r.LoadFactor},
            {"idle_probability", r.IdleProbability},
            {"queue_length", r.QueueLength},
            {"in_system", r.InSystem},
            {"wait_time", r.WaitTime},
            {"sojourn_time", r.SojournTime},
            {"transfer_coefficient", r.TransferCoefficient},
            {"overloaded", overloaded},
            {"classes", json::array()}};
}

// The numbers of the QS that failed the overload test in the step, in order.
json OverloadedQs(const NetworkModel& model, const CalculationContext& context) {
    json numbers = json::array();
    for (int k = 1; k < model.NodeCount(); ++k)
        if (context.QsOverloaded[k]) numbers.push_back(k);
    return numbers;
}

}  // namespace

json StepJson(const NetworkModel& model, const CalculationContext& context,
              const AnalysisEngine& engine, const std::string& classFile) {
    const NetworkTotals& t = engine.Totals();
    json step = {{"step", context.Step},
                 {"input_rate", model.InputRate()},
                 {"overloaded", context.Overloaded},
                 {"overloaded_qs", OverloadedQs(model, context)},
                 {"totals",
                  {{"queued_total", t.QueuedTotal},
                   {"in_network_total", t.InNetworkTotal},
                   {"network_wait_time", t.NetworkWaitTime},
                   {"network_sojourn_time", t.NetworkSojournTime}}},
                 {"qs", json::array()}};
    ClassRecordReader classes;
    const bool haveClasses = context.ClassFileStarted && classes.Open(classFile).Ok;
    for (int k = 1; k < model.NodeCount(); ++k) {
        const QsParams& qs = model.Qs(k);
        json entry = QsJson(k, qs, context.QsOverloaded[k]);
        if (qs.BoundedQueue) {
            entry["loss_probability"] = engine.Losses(k).LossProbability;
            entry["served_rate"] = engine.Losses(k).ServedRate;
        }
        ClassResults record;
        if (haveClasses && qs.RelativePriority && !qs.BoundedQueue && !context.QsOverloaded[k] &&
            classes.Next(record).Ok)
            entry["classes"] = ClassesJson(qs, record);
        step["qs"].push_back(std::move(entry));
    }
    return step;
}

namespace {

// A step's own dump moved to its place in the document, inside "steps".
std::string Indented(const std::string& text) {
    std::string indented = "    ";
    for (char c : text) {
        indented += c;
        if (c == '\n') indented += "    ";
    }
    return indented;
}

}  // namespace

void JsonSteps::Add(const json& step) {
    if (!result_.Ok) return;
    result_ = file_.Append((count_ == 0 ? "" : ",\n") + Indented(step.dump(2)));
    ++count_;
}

FileResult JsonSteps::Print(const json& head, CheckedOutput& out) {
    if (!result_.Ok) return result_;
    if (auto closed = file_.Close(); !closed.Ok) return closed;
    std::string text = head.dump(2);  // "{ ... \n}": "steps" is the last key
    text.resize(text.size() - 2);
    out.Write(text);
    if (count_ == 0) {
        out.Write(",\n  \"steps\": []\n}\n");
        return {};
    }
    out.Write(",\n  \"steps\": [\n");
    if (auto copied = CopyFileTo(file_.FileName(), out); !copied.Ok) return copied;
    out.Write("\n  ]\n}\n");
    return {};
}

}  // namespace qnetica
