#include "cli/Calculator.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <fstream>
#include <memory>

#include "cli/CalculatorOptions.h"
#include "cli/CheckedOutput.h"
#include "cli/JsonSteps.h"
#include "cli/NetworkExport.h"
#include "cli/SimulationCheck.h"
#include "formats/NetworkFiles.h"
#include "model/Cp1251.h"
#include "model/NetworkFile.h"
#include "model/TextConcat.h"
#include "runs/OutputFile.h"
#include "runs/QuietRunPresenter.h"
#include "runs/ResultsCsv.h"
#include "runs/ResultsReport.h"
#include "runs/RunCalculation.h"
#include "runs/WorkFolder.h"

namespace qnetica {
namespace {

using nlohmann::json;

// Working files of the calculator's own, in the run's private folder.
constexpr const char* VariedReportName = "report.txt";  // a varied run's report, none asked for
constexpr const char* JsonStepsName = "steps.json";     // the JSON steps until the run ends

std::string OwnMessage(const std::string& text) {
    return "qnetica-calc: " + text + "\n";
}

// The terminal side of a run: the plan is set up as the parameters dialog would set it,
// messages go to stderr, each step goes to the JSON steps when JSON output is asked for.
class TerminalPresenter : public QuietRunPresenter {
  public:
    TerminalPresenter(const CalculatorOptions& options, NetworkModel& model, std::ostream& err,
                      std::string reportFile, const WorkFolder& work, JsonSteps& jsonSteps)
        : options_(options),
          model_(model),
          err_(err),
          reportFile_(std::move(reportFile)),
          work_(work),
          jsonSteps_(jsonSteps) {}

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
        plan.AccountLosses = options_.AccountLosses;
        plan.ReportFileName = reportFile_;
        const bool varied = options_.VariedRun();
        if (auto refusal = plan.ConfirmPlan(model_, varied)) usageError_ = *refusal;
    }

    void StepCompleted(const NetworkModel& model, const CalculationContext& context,
                       const AnalysisEngine& engine, const ResultTables&) override {
        if (options_.Json)
            jsonSteps_.Add(StepJson(model, context, engine, work_.ClassResultsPath()));
    }

    const std::string& UsageError() const { return usageError_; }
    // The document without its steps.
    json Head() const {
        return {{"node_count", model_.NodeCount()},
                {"input_rate", model_.InputRate()},
                {"messages", messages_}};
    }

  private:
    // The ranges given on the command line, as the dialog's fields and OK buttons would store them.
    std::string SetRanges(VariationPlan& plan) {
        if (options_.InputRate) {
            plan.InputRateFrom = options_.InputRate->From;
            plan.InputRateTo = options_.InputRate->To;
            plan.VaryInputRate = true;
        }
        for (const VaryRange& range : options_.Service) {
            if (auto error = CheckQs("--vary-service", range); !error.empty()) return error;
            plan.Qs(range.Qs).ServiceFrom = range.From;
            plan.Qs(range.Qs).ServiceTo = range.To;
            plan.VaryServiceTime = true;
        }
        const std::pair<const char*, bool> integerKinds[] = {{"--vary-channels", true},
                                                             {"--vary-places", false}};
        for (const auto& [name, isChannels] : integerKinds) {
            for (const VaryRange& range : isChannels ? options_.Channels : options_.Places) {
                if (auto error = CheckQs(name, range); !error.empty()) return error;
                QsPlan& qs = plan.Qs(range.Qs);
                const auto from = static_cast<std::int32_t>(range.From);
                const auto to = static_cast<std::int32_t>(range.To);
                (isChannels ? qs.ChannelsFrom : qs.PlacesFrom) = from;
                (isChannels ? qs.ChannelsTo : qs.PlacesTo) = to;
                (isChannels ? plan.VaryChannels : plan.VaryPlaces) = true;
            }
        }
        return {};
    }

    std::string CheckQs(const char* option, const VaryRange& range) const {
        if (range.Qs >= 1 && range.Qs < model_.NodeCount()) return {};
        return std::string(option) + ": the network has no QS " + std::to_string(range.Qs) +
               " (K is 1 to " + std::to_string(model_.QsCount()) + ")";
    }

    const CalculatorOptions& options_;
    NetworkModel& model_;
    std::ostream& err_;
    std::string reportFile_;
    const WorkFolder& work_;
    JsonSteps& jsonSteps_;
    std::string usageError_;
    std::vector<std::string> messages_;
};

// A report file as terminal text: UTF-8 with LF line ends. Line by line, so that the report of
// a long run of a large network never sits in memory as a whole.
FileResult CopyReportAsTerminalText(const std::string& path, CheckedOutput& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return SystemFileFailure("открыть", path, errno);
    std::string line;
    while (std::getline(in, line)) {
        const bool ended = !in.eof();  // the last line may lack its line end
        if (ended && !line.empty() && line.back() == '\r') line.pop_back();
        out.Write(Cp1251ToUtf8(line));
        if (ended) out.Write("\n");
    }
    if (in.bad()) return SystemFileFailure("прочитать", path, errno);
    return {};
}

// A file asked for in the run's own folder would overwrite or mix with its working files.
bool IsWorkingFile(const CalculatorOptions& options, const WorkFolder& work, std::ostream& err) {
    const std::pair<const char*, const std::optional<std::string>*> files[] = {
        {"--report", &options.ReportFile}, {"--csv", &options.CsvFile}};
    for (const auto& [option, file] : files) {
        if (!*file || !work.Holds(**file)) continue;
        err << OwnMessage(Concat({option, ": '", **file, "' is a working file of this run"}));
        return true;
    }
    return false;
}

struct CalculatorRun {
    NetworkModel Model;
    VariationPlan Plan;
    ResultTables Tables;
    StepTotals Totals;
    AnalysisEngine Engine;
    WorkFolder Work;     // removed with the run, whatever way it ends
    RunFigures Figures;  // for --csv
};

int PrintFixedResults(const CalculatorOptions& options, CalculatorRun& run, CheckedOutput& out,
                      std::ostream& err) {
    run.Tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    if (options.ReportFile) {
        if (IsWorkingFile(options, run.Work, err)) return ExitFailed;
        const FileResult written =
            WriteResultsReport(*options.ReportFile, run.Tables, run.Model.NodeCount());
        if (!written.Ok) {
            err << OwnMessage(written.Message);
            return ExitFailed;
        }
    }
    if (!options.Json)
        for (const std::string& line : BuildResultsReport(run.Tables, run.Model.NodeCount())) {
            out.Write(line);
            out.Write("\n");
        }
    return ExitCompleted;
}

int Calculate(const CalculatorOptions& options, std::ostream& out, std::ostream& err,
              bool progressLine) {
    auto run = std::make_unique<CalculatorRun>();
    if (const FileResult opened = OpenNetworkFileByContent(run->Model, options.ModelFile).Result;
        !opened.Ok) {
        err << OwnMessage(opened.Message);
        return ExitFailed;
    }
    const bool varied = options.VariedRun();
    // A varied run writes its records there anyway; JSON output keeps its steps there.
    if (varied || options.Json) {
        if (const FileResult prepared = run->Work.Prepare(); !prepared.Ok) {
            err << prepared.Message << '\n';
            return ExitFailed;
        }
    }
    if (IsWorkingFile(options, run->Work, err)) return ExitFailed;
    JsonSteps jsonSteps;
    if (options.Json) {
        if (auto started = jsonSteps.Start(run->Work.FilePath(JsonStepsName)); !started.Ok) {
            err << OwnMessage(started.Message);
            return ExitFailed;
        }
    }
    const std::string reportFile =
        options.ReportFile && varied ? *options.ReportFile : run->Work.FilePath(VariedReportName);
    TerminalPresenter presenter(options, run->Model, err, reportFile, run->Work, jsonSteps);
    RunFigures* figures = options.CsvFile ? &run->Figures : nullptr;
    const RunOutcome outcome = RunCalculation(
        run->Model, {run->Plan, run->Tables, run->Totals, run->Engine, run->Work, figures},
        presenter);
    if (outcome.End == RunEnd::Cancelled) {
        err << UsageErrorText(presenter.UsageError());
        return ExitUsage;
    }
    if (outcome.End == RunEnd::Aborted) return ExitFailed;
    if (options.CsvFile) {
        const CsvStyle style = CsvStyleFor(presenter.DecimalSeparator());
        if (auto written = WriteResultsCsv(*options.CsvFile, run->Figures, style); !written.Ok) {
            err << OwnMessage(written.Message);
            return ExitFailed;
        }
    }
    SimulationCheck simulation;
    if (options.Simulation) {
        const int simulated = simulation.Run(*options.Simulation, run->Model, err, progressLine);
        if (simulated != ExitCompleted) return simulated;
    }

    CheckedOutput output(out);
    int code = ExitCompleted;
    if (!varied) {
        code = PrintFixedResults(options, *run, output, err);
        if (code == ExitCompleted && options.Simulation && !options.Json)
            output.Write(simulation.Table(run->Model, run->Engine, run->Work.ClassResultsPath()));
    } else if (!options.Json) {
        if (auto copied = CopyReportAsTerminalText(reportFile, output); !copied.Ok) {
            err << OwnMessage(copied.Message);
            code = ExitFailed;
        }
    }
    if (code == ExitCompleted && options.Json) {
        json head = presenter.Head();
        if (options.Simulation) head["simulation"] = simulation.Json();
        if (auto printed = jsonSteps.Print(head, output); !printed.Ok) {
            err << OwnMessage(printed.Message);
            code = ExitFailed;
        }
    }
    if (!output.Finish()) {
        err << OwnMessage(std::string("cannot write to standard output: ") +
                          std::strerror(output.Error()));
        code = ExitFailed;
    }
    return code;
}

}  // namespace

int RunCalculator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  bool progressLine) {
    const ParsedOptions parsed = ParseCalculatorOptions(args);
    if (!parsed.Options) {
        if (parsed.ExitCode != ExitCompleted) {
            err << parsed.Text;
            return parsed.ExitCode;
        }
        CheckedOutput output(out);
        output.Write(parsed.Text);
        if (output.Finish()) return ExitCompleted;
        err << OwnMessage(std::string("cannot write to standard output: ") +
                          std::strerror(output.Error()));
        return ExitFailed;
    }
    try {
        if (parsed.Options->ExportNetwork)
            return ExportNetwork(parsed.Options->ModelFile, *parsed.Options->ExportNetwork, err);
        return Calculate(*parsed.Options, out, err, progressLine);
    } catch (const std::exception& error) {  // out of memory and the like: still a message
        err << OwnMessage(error.what());
        return ExitFailed;
    }
}

}  // namespace qnetica
