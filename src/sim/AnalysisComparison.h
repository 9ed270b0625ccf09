#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/AnalysisEngine.h"
#include "model/NetworkModel.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim {

enum class FigureName {
    ArrivalRate,
    LoadFactor,
    QueueLength,
    InSystem,
    WaitTime,
    SojournTime,
    LossProbability,  // a bounded QS
    ClassWaitTime,    // a class of a priority QS
    InNetworkTotal,
    NetworkSojournTime,
};

// One figure of the analysis beside the simulated one.
struct ComparedFigure {
    int Qs = 0;  // 0: the network as a whole
    FigureName Name = FigureName::ArrivalRate;
    int PriorityClass = 0;  // ClassWaitTime: 1 .. the QS's classes
    // None where the analysis gives no value: an overloaded QS, and the network totals of a
    // network with one.
    std::optional<double> Analytic;
    Estimate Simulated;

    double Difference() const { return Simulated.Mean - Analytic.value_or(0); }  // sim - analysis
    // The analytic value lies outside a simulated interval of finite width.
    bool Outside() const;
};

// Pairs every simulated figure with the analysis's value of the same meaning, after a fixed
// run of the same network: the QS that requests reach, in network order, each with its
// arrival rate, load factor, queue length, number in the QS, waiting and sojourn time, then its
// loss probability (bounded) or its classes' waiting times (priority); then the network's number
// of requests and time in the network. The analytic values are the run's results as reported,
// but for the load factor, whose simulated meaning is the mean share of busy channels: the
// analysis's is (number in the QS - queue length) / channels, which for a plain QS is its load
// factor, while a bounded QS's load factor counts the lost requests too and a priority QS's is
// not divided by the channels. The loss probabilities come from the engine, the class waiting
// times from the class records in `classResultsPath`.
std::vector<ComparedFigure> CompareWithAnalysis(const NetworkModel& model,
                                                const AnalysisEngine& engine,
                                                const std::string& classResultsPath,
                                                const SimulationResult& result);

}  // namespace qnetica::sim
