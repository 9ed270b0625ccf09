#include "sim/AnalysisComparison.h"

#include <cmath>
#include <map>

#include "engine/ErlangMath.h"
#include "runs/ClassRecordReader.h"

namespace qnetica::sim {
namespace {

// The overload test of the analysis: such a QS keeps older values.
bool Overloaded(const QsParams& qs) {
    if (qs.BoundedQueue || qs.Channels < 1) return false;
    return Stored(static_cast<long double>(qs.Results.OfferedLoad) / qs.Channels) >= 1.0;
}

bool HasClassRecord(const QsParams& qs) {
    return qs.RelativePriority && !qs.BoundedQueue && !Overloaded(qs);
}

// The class records of the step by the number of the QS that wrote it (every priority QS the
// analysis computed, reached by requests or not); none when the file cannot be read.
std::map<int, ClassResults> ReadClassRecords(const NetworkModel& model, const std::string& path) {
    std::map<int, ClassResults> records;
    ClassRecordReader reader;
    if (!reader.Open(path).Ok) return records;
    for (int k = 1; k < model.NodeCount(); ++k) {
        if (!HasClassRecord(model.Qs(k))) continue;
        ClassResults record;
        if (!reader.Next(record).Ok) break;
        records.emplace(k, record);
    }
    return records;
}

class Comparison {
  public:
    Comparison(const NetworkModel& model, const AnalysisEngine& engine, const std::string& path)
        : model_(model), engine_(engine), records_(ReadClassRecords(model, path)) {}

    std::vector<ComparedFigure> Compare(const SimulationResult& result) {
        for (const QsEstimates& qs : result.Qs)
            if (qs.Reached) AddQs(qs);
        AddNetwork(result.Network);
        return figures_;
    }

  private:
    void Add(int k, FigureName name, std::optional<double> analytic, const Estimate& simulated,
             int priorityClass = 0) {
        figures_.push_back({k, name, priorityClass, analytic, simulated});
    }

    void AddQs(const QsEstimates& simulated) {
        const int k = simulated.Number;
        const QsParams& qs = model_.Qs(k);
        const QsResults& r = qs.Results;
        const bool known = !Overloaded(qs);
        const auto value = [known](double v) { return known ? std::optional(v) : std::nullopt; };
        const long double busy = static_cast<long double>(r.InSystem) - r.QueueLength;
        Add(k, FigureName::ArrivalRate, r.ArrivalRate, simulated.ArrivalRate);
        Add(k, FigureName::LoadFactor, value(Stored(busy / qs.Channels)), simulated.LoadFactor);
        Add(k, FigureName::QueueLength, value(r.QueueLength), simulated.QueueLength);
        Add(k, FigureName::InSystem, value(r.InSystem), simulated.InSystem);
        Add(k, FigureName::WaitTime, value(r.WaitTime), simulated.WaitTime);
        Add(k, FigureName::SojournTime, value(r.SojournTime), simulated.SojournTime);
        if (simulated.Kind == QsKind::Bounded)
            Add(k, FigureName::LossProbability, engine_.Losses(k).LossProbability,
                simulated.LossProbability);
        const auto found = records_.find(k);
        const ClassResults* record = found != records_.end() ? &found->second : nullptr;
        for (std::size_t c = 0; c < simulated.ClassWaitTimes.size(); ++c) {
            const auto analytic =
                record ? std::optional(record->ClassWaitTime[c]) : std::optional<double>();
            Add(k, FigureName::ClassWaitTime, analytic, simulated.ClassWaitTimes[c],
                static_cast<int>(c) + 1);
        }
    }

    void AddNetwork(const NetworkEstimates& simulated) {
        bool known = true;
        for (int k = 1; k < model_.NodeCount(); ++k) known = known && !Overloaded(model_.Qs(k));
        const NetworkTotals& totals = engine_.Totals();
        const auto value = [known](double v) { return known ? std::optional(v) : std::nullopt; };
        Add(0, FigureName::InNetworkTotal, value(totals.InNetworkTotal), simulated.InNetworkTotal);
        Add(0, FigureName::NetworkSojournTime, value(totals.NetworkSojournTime),
            simulated.NetworkSojournTime);
    }

    const NetworkModel& model_;
    const AnalysisEngine& engine_;
    std::map<int, ClassResults> records_;
    std::vector<ComparedFigure> figures_;
};

}  // namespace

bool ComparedFigure::Outside() const {
    return Analytic && Simulated.Samples > 0 && std::isfinite(Simulated.HalfWidth) &&
           !Simulated.Contains(*Analytic);
}

std::vector<ComparedFigure> CompareWithAnalysis(const NetworkModel& model,
                                                const AnalysisEngine& engine,
                                                const std::string& classResultsPath,
                                                const SimulationResult& result) {
    return Comparison(model, engine, classResultsPath).Compare(result);
}

}  // namespace qnetica::sim
