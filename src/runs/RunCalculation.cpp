#include "runs/RunCalculation.h"

#include "model/NumberText.h"
#include "runs/OutputFile.h"
#include "runs/StepResultsFile.h"
#include "runs/VariedRunReport.h"

namespace qnetica {
namespace {

// The files a varied run writes as it goes; destroying them closes whatever is still open.
class VariedRunFiles {
  public:
    FileResult Open(const VariationPlan& plan, const NetworkModel& model, const WorkFolder& work) {
        // Not a record file of the run's own, which would be overwritten or mixed into it.
        if (work.IsRecordFile(plan.ReportFileName))
            return FileFailure("создать", plan.ReportFileName, "это рабочий файл расчета");
        if (auto result = steps_.Create(work.StepResultsPath()); !result.Ok) return result;
        if (auto result = report_.Create(plan.ReportFileName); !result.Ok) return result;
        ReportLines head;
        WriteReportHead(head, plan, model);
        return report_.Append(EncodeReport(head));
    }

    FileResult WriteStep(const VariationPlan& plan, const NetworkModel& model,
                         const ResultTables& tables, const CalculationContext& context,
                         const StepSnapshot& snapshot, char decimalSeparator,
                         const WorkFolder& work) {
        if (auto result = steps_.Append(EncodeStepSnapshot(snapshot)); !result.Ok) return result;
        ReportLines section;
        auto result = WriteStepSection(section, plan, model, tables, context, decimalSeparator,
                                       work.ClassResultsPath());
        if (!result.Ok) return result;
        return report_.Append(EncodeReport(section));
    }

    FileResult Close() {
        if (auto result = report_.Close(); !result.Ok) return result;
        return steps_.Close();
    }

  private:
    OutputFile steps_;
    OutputFile report_;
};

class Run {
  public:
    Run(NetworkModel& model, RunData data, RunPresenter& presenter)
        : model_(model), data_(data), presenter_(presenter) {}

    RunOutcome Perform() {
        VariationPlan& plan = data_.Plan;
        presenter_.AskRunParameters(plan);
        presenter_.ProcessPendingEvents();
        model_.SetInputRate(ParseNumber(model_.InputRateText()));
        if (!plan.Confirmed) return {RunEnd::Cancelled, {}};
        if (data_.Figures) data_.Figures->Start(plan, model_);

        const int steps = plan.VariedRun ? plan.StepCount : 1;
        presenter_.StartProgress(model_.NodeCount() * steps);
        data_.Engine.StartRun();
        context_.VariedRun = plan.VariedRun;
        context_.AccountLosses = plan.AccountLosses;
        if (auto result = PrepareWorkFolder(); !result.Ok) return Abort(result.Message, true);
        if (plan.VariedRun) {
            presenter_.EnableDisplayCommands();
            if (auto result = files_.Open(plan, model_, data_.Work); !result.Ok)
                return Abort(result.Message, true);
            data_.Totals.Axis.Begin(plan, model_);
        }
        for (int step = 1; step <= steps; ++step)
            if (auto failure = RunStep(step)) return Abort(*failure, !failure->empty());
        return Finish();
    }

  private:
    // Only a run that writes records needs the folder; the engine is told where its records go.
    FileResult PrepareWorkFolder() {
        if (!data_.Plan.VariedRun && !HasPriorityQs()) return {};
        if (auto prepared = data_.Work.Prepare(); !prepared.Ok) return prepared;
        data_.Engine.SetClassResultsPath(data_.Work.ClassResultsPath());
        return {};
    }

    bool HasPriorityQs() const {
        for (int k = 1; k <= model_.QsCount(); ++k)
            if (model_.Qs(k).RelativePriority) return true;
        return false;
    }

    // The message of a failed step; empty when the engine has shown its own already.
    std::optional<std::string> RunStep(int step) {
        context_.StartStep(step);
        if (data_.Plan.VariedRun) data_.Plan.ApplyPlanStep(model_);
        const StepOutcome outcome = data_.Engine.CalculateStep(model_, context_, presenter_);
        if (!outcome.Completed) {
            engineMessage_ = outcome.Message;
            return std::string();
        }
        data_.Tables.FillResultTables(model_, context_, data_.Engine.Totals());
        if (data_.Figures) data_.Figures->Record(model_, context_, data_.Engine);
        if (data_.Plan.VariedRun) {
            data_.Totals.Store(step, data_.Engine.Totals());
            data_.Totals.StoreOverload(step, context_);
            data_.Totals.Axis.Record(step, model_);
            data_.Tables.WriteHeaderRows(QsHeaderVariant::VariedRun);
            const auto result = files_.WriteStep(data_.Plan, model_, data_.Tables, context_,
                                                 data_.Engine.Snapshots(),
                                                 presenter_.DecimalSeparator(), data_.Work);
            if (!result.Ok) return result.Message;
        }
        presenter_.StepCompleted(model_, context_, data_.Engine, data_.Tables);
        return std::nullopt;
    }

    RunOutcome Finish() {
        presenter_.CloseProgress();
        model_.SetGenerated(false);
        if (!data_.Plan.VariedRun) {
            presenter_.ShowResults(data_.Tables);
            return {};
        }
        const FileResult closed = files_.Close();
        data_.Plan.RestorePlanValues(model_);
        if (!closed.Ok) {
            presenter_.ShowMessage(MessageKind::Error, closed.Message);
            return {RunEnd::Aborted, closed.Message};
        }
        presenter_.ShowMessage(MessageKind::Information,
                               "Отчет сохранен в файл \"" + data_.Plan.ReportFileName + "\".");
        if (presenter_.ChartRequested())
            presenter_.ShowNetworkChart(data_.Totals, data_.Plan.StepCount);
        if (presenter_.ReportViewRequested()) presenter_.OpenReport(data_.Plan.ReportFileName);
        return {};
    }

    // Files are closed first, so the message is shown with nothing left open.
    RunOutcome Abort(const std::string& message, bool show) {
        files_ = VariedRunFiles();
        presenter_.CloseProgress();
        model_.SetGenerated(false);
        if (data_.Plan.VariedRun) data_.Plan.RestorePlanValues(model_);
        if (show) presenter_.ShowMessage(MessageKind::Error, message);
        return {RunEnd::Aborted, show ? message : engineMessage_};
    }

    NetworkModel& model_;
    RunData data_;
    RunPresenter& presenter_;
    CalculationContext context_;
    VariedRunFiles files_;
    std::string engineMessage_;
};

}  // namespace

RunOutcome RunCalculation(NetworkModel& model, RunData data, RunPresenter& presenter) {
    return Run(model, data, presenter).Perform();
}

}  // namespace qnetica
