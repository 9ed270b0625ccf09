#include "runs/RunFigures.h"

#include "runs/VariationPlan.h"

namespace qnetica {
namespace {

QsFigures FiguresOf(int k, const QsParams& qs, bool overloaded, const QsLosses& losses) {
    const QsResults& r = qs.Results;
    QsFigures f;
    f.Number = k;
    f.Name = qs.Name;
    f.Kind = KindOf(qs);
    f.ServiceTime = qs.ServiceTime;
    f.Channels = qs.Channels;
    f.Places = qs.QueuePlaces;
    f.ArrivalRate = r.ArrivalRate;
    f.OfferedLoad = r.OfferedLoad;
    f.LoadFactor = r.LoadFactor;
    f.IdleProbability = r.IdleProbability;
    f.QueueLength = r.QueueLength;
    f.InSystem = r.InSystem;
    f.WaitTime = r.WaitTime;
    f.SojournTime = r.SojournTime;
    f.TransferCoefficient = r.TransferCoefficient;
    f.Overloaded = overloaded;
    f.LossProbability = losses.LossProbability;
    f.ServedRate = losses.ServedRate;
    return f;
}

}  // namespace

void RunFigures::Start(const VariationPlan& plan, const NetworkModel& model) {
    varied_ = plan.VariedRun;
    axis_ = StepAxis();
    if (varied_) axis_.Begin(plan, model);
    steps_.clear();
}

void RunFigures::Record(const NetworkModel& model, const CalculationContext& context,
                        const AnalysisEngine& engine) {
    StepFigures step;
    step.Step = context.Step;
    step.InputRate = model.InputRate();
    step.Overloaded = context.Overloaded;
    step.Totals = engine.Totals();
    step.Qs.reserve(model.QsCount());
    for (int k = 1; k <= model.QsCount(); ++k)
        step.Qs.push_back(FiguresOf(k, model.Qs(k), context.QsOverloaded[k], engine.Losses(k)));
    if (varied_) axis_.Record(context.Step, model);
    steps_.push_back(std::move(step));
}

}  // namespace qnetica
