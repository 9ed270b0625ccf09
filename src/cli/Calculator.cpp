#include "cli/Calculator.h"

#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CalculatorOptions.h"
#include "model/Cp1251.h"
#include "model/NetworkFile.h"
#include "model/NumberText.h"
#include "runs/ClassRecordReader.h"
#include "runs/QuietRunPresenter.h"
#include "runs/ResultsReport.h"
#include "runs/RunCalculation.h"
#include "runs/StepResultsFile.h"

namespace qnetica {
namespace {

using nlohmann::json;

const char* KindName(const QsParams& qs) {
    if (qs.BoundedQueue) return "bounded";
    return qs.RelativePriority ? "priority" : "plain";
}

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
            {"kind", KindName(qs)},
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

// The terminal side of a run: the plan is set up as the parameters dialog would set it,
// messages go to stderr, each step is kept when JSON output is asked for.
class TerminalPresenter : public QuietRunPresenter {
  public:
    TerminalPresenter(const CalculatorOptions& options, NetworkModel& model, std::ostream& err,
                      std::string reportFile)
        : options_(options), model_(model), err_(err), reportFile_(std::move(reportFile)) {}

    void ShowMessage(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Information)
            return;  // "report saved" is the calculator's own business
        err_ << text << '\n';
        messages_.push_back(text);
    }
    char DecimalSeparator() const override {
        const char* point = std::localeconv()->decimal_point;
        return point && *point ? *point : '.';
    }

    void AskRunParameters(VariationPlan& plan) override {
        plan.LoadPlanDefaults(model_);
        usageError_ = SetRanges(plan);
        if (!usageError_.empty()) return;
        if (options_.Steps) plan.StepCount = *options_.Steps;
        plan.ReportFileName = reportFile_;
        const bool varied = options_.VariedRun();
        if (auto refusal = plan.PreparePlanSteps(model_, varied)) {
            usageError_ = *refusal;
            return;
        }
        plan.VariedRun = varied;
        plan.Confirmed = true;
    }

    void StepCompleted(const NetworkModel& model, const CalculationContext& context,
                       const AnalysisEngine& engine, const ResultTables&) override {
        if (!options_.Json) return;  // a long run of a large network makes a large document
        const NetworkTotals& t = engine.Totals();
        json step = {{"step", context.Step},
                     {"input_rate", model.InputRate()},
                     {"overloaded", context.Overloaded},
                     {"totals",
                      {{"queued_total", t.QueuedTotal},
                       {"in_network_total", t.InNetworkTotal},
                       {"network_wait_time", t.NetworkWaitTime},
                       {"network_sojourn_time", t.NetworkSojournTime}}},
                     {"qs", json::array()}};
        ClassRecordReader classes;
        const bool haveClasses = context.ClassFileStarted && classes.Open(ClassResultsFileName).Ok;
        for (int k = 1; k < model.NodeCount(); ++k) {
            const QsParams& qs = model.Qs(k);
            json entry = QsJson(k, qs, context.QsOverloaded[k]);
            ClassResults record;
            if (haveClasses && qs.RelativePriority && !qs.BoundedQueue &&
                !context.QsOverloaded[k] && classes.Next(record).Ok)
                entry["classes"] = ClassesJson(qs, record);
            step["qs"].push_back(std::move(entry));
        }
        steps_.push_back(std::move(step));
    }

    const std::string& UsageError() const { return usageError_; }
    json Results() const {
        return {{"node_count", model_.NodeCount()},
                {"input_rate", model_.InputRate()},
                {"messages", messages_},
                {"steps", steps_}};
    }

  private:
    // The ranges given on the command line, as the dialog's fields and OK buttons would store them.
    std::string SetRanges(VariationPlan& plan) {
        if (options_.InputRate) {
            const auto from = ParseNumberChecked(options_.InputRate->From);
            const auto to = ParseNumberChecked(options_.InputRate->To);
            if (!from.IsNumber || !to.IsNumber)
                return "--vary-input-rate: the range is not two numbers";
            plan.InputRateFrom = from.Value;
            plan.InputRateTo = to.Value;
            plan.VaryInputRate = true;
        }
        for (const VaryRange& range : options_.Service) {
            if (auto error = CheckQs("--vary-service", range); !error.empty()) return error;
            const auto from = ParseNumberChecked(range.From);
            const auto to = ParseNumberChecked(range.To);
            if (!from.IsNumber || !to.IsNumber)
                return "--vary-service: the range is not two numbers";
            plan.Qs(range.Qs).ServiceFrom = from.Value;
            plan.Qs(range.Qs).ServiceTo = to.Value;
            plan.VaryServiceTime = true;
        }
        const std::pair<const char*, bool> integerKinds[] = {{"--vary-channels", true},
                                                             {"--vary-places", false}};
        for (const auto& [name, isChannels] : integerKinds) {
            for (const VaryRange& range : isChannels ? options_.Channels : options_.Places) {
                if (auto error = CheckQs(name, range); !error.empty()) return error;
                const auto from = ParseIntegerChecked(range.From);
                const auto to = ParseIntegerChecked(range.To);
                if (!from.IsNumber || !to.IsNumber)
                    return std::string(name) + ": the range is not two whole numbers";
                QsPlan& qs = plan.Qs(range.Qs);
                (isChannels ? qs.ChannelsFrom : qs.PlacesFrom) = from.Value;
                (isChannels ? qs.ChannelsTo : qs.PlacesTo) = to.Value;
                (isChannels ? plan.VaryChannels : plan.VaryPlaces) = true;
            }
        }
        return {};
    }

    std::string CheckQs(const char* option, const VaryRange& range) const {
        if (range.Qs >= 1 && range.Qs < model_.NodeCount()) return {};
        return std::string(option) + ": the network has no QS " + std::to_string(range.Qs);
    }

    const CalculatorOptions& options_;
    NetworkModel& model_;
    std::ostream& err_;
    std::string reportFile_;
    std::string usageError_;
    std::vector<std::string> messages_;
    json steps_ = json::array();
};

// A report file as terminal text: UTF-8 with LF line ends. Line by line, so that the report of
// a long run of a large network never sits in memory as a whole.
void CopyReportAsTerminalText(const std::string& path, std::ostream& out) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const bool ended = !in.eof();  // the last line may lack its line end
        if (ended && !line.empty() && line.back() == '\r') line.pop_back();
        out << Cp1251ToUtf8(line);
        if (ended) out << '\n';
    }
}

std::string TemporaryReportName() {
    return (std::filesystem::temp_directory_path() /
            ("qnetica-calc-report-" + std::to_string(::getpid()) + ".txt"))
        .string();
}

struct CalculatorRun {
    NetworkModel Model;
    VariationPlan Plan;
    ResultTables Tables;
    StepTotals Totals;
    AnalysisEngine Engine;
};

int PrintFixedResults(const CalculatorOptions& options, CalculatorRun& run, std::ostream& out,
                      std::ostream& err) {
    run.Tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    if (options.ReportFile) {
        const FileResult written =
            WriteResultsReport(*options.ReportFile, run.Tables, run.Model.NodeCount());
        if (!written.Ok) {
            err << written.Message << '\n';
            return ExitFailed;
        }
    }
    if (!options.Json)
        for (const std::string& line : BuildResultsReport(run.Tables, run.Model.NodeCount()))
            out << line << '\n';
    return ExitCompleted;
}

int Calculate(const CalculatorOptions& options, std::ostream& out, std::ostream& err) {
    auto run = std::make_unique<CalculatorRun>();
    if (const FileResult opened = OpenNetworkFile(run->Model, options.ModelFile); !opened.Ok) {
        err << opened.Message << '\n';
        return ExitFailed;
    }
    const bool varied = options.VariedRun();
    const std::string reportFile =
        options.ReportFile && varied ? *options.ReportFile : TemporaryReportName();
    TerminalPresenter presenter(options, run->Model, err, reportFile);
    const RunOutcome outcome =
        RunCalculation(run->Model, {run->Plan, run->Tables, run->Totals, run->Engine}, presenter);
    int code = ExitCompleted;
    if (outcome.End == RunEnd::Cancelled) {
        err << presenter.UsageError() << '\n';
        code = ExitUsage;
    } else if (outcome.End == RunEnd::Aborted) {
        code = ExitFailed;
    } else if (!varied) {
        code = PrintFixedResults(options, *run, out, err);
    } else if (!options.Json) {
        CopyReportAsTerminalText(reportFile, out);
    }
    if (code == ExitCompleted && options.Json) out << presenter.Results().dump(2) << '\n';
    if (varied) std::remove(StepResultsFileName);  // the window deletes it at exit too
    if (!(options.ReportFile && varied)) std::remove(reportFile.c_str());
    return code;
}

}  // namespace

int RunCalculator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions parsed = ParseCalculatorOptions(args);
    if (!parsed.Options) {
        (parsed.ExitCode == ExitCompleted ? out : err) << parsed.Text;
        return parsed.ExitCode;
    }
    return Calculate(*parsed.Options, out, err);
}

}  // namespace qnetica
