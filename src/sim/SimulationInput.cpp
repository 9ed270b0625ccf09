#include "sim/SimulationInput.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/WorkMatrix.h"
#include "model/NumberText.h"
#include "model/QsParams.h"
#include "sim/NetworkFlows.h"

namespace qnetica::sim {
namespace {

SimulationQs ReadQs(const QsParams& params) {
    SimulationQs qs;
    qs.ServiceTime = params.ServiceTime;
    qs.Channels = params.Channels;
    if (params.BoundedQueue) {
        qs.Kind = QsKind::Bounded;
        qs.Places = params.QueuePlaces;
    } else if (params.RelativePriority) {
        qs.Kind = QsKind::Priority;
        const int classes = std::clamp(params.PriorityClasses, 0, MaxPriorityClasses);
        qs.ClassShares.assign(params.ClassShares.begin(), params.ClassShares.begin() + classes);
        // A count outside 1..50 keeps no shares; the check names the count.
        if (params.PriorityClasses > MaxPriorityClasses) qs.ClassShares.clear();
    }
    return qs;
}

void ReadTransfers(const NetworkModel& model, SimulationNetwork& network,
                   std::vector<InputProblem>& cellProblems) {
    const int n = model.NodeCount();
    network.Transfer.assign(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const std::string& text = model.Matrix().Cell(i, j);
            const ParsedNumber parsed = ParseNumberChecked(text);
            network.Transfer[i][j] = parsed.Value;
            if (!parsed.IsNumber)
                cellProblems.push_back({ProblemKind::CellNotNumber, i, j, 0, text});
        }
}

// The sum as the analysis forms it: a double, rounded after every addition.
double RowSum(const std::vector<double>& row) {
    double sum = 0;
    for (double p : row) sum = static_cast<double>(static_cast<long double>(sum) + p);
    return sum;
}

void CheckRow(const SimulationNetwork& network, int node, std::vector<InputProblem>& problems) {
    const std::vector<double>& row = network.Transfer[node];
    bool probabilities = true;
    for (int j = 0; j < network.NodeCount(); ++j) {
        if (std::isfinite(row[j]) && row[j] >= 0) continue;
        problems.push_back({ProblemKind::TransferNotProbability, node, j, row[j], {}});
        probabilities = false;
    }
    const double sum = RowSum(row);
    if (probabilities && !RowSumIsOne(sum))
        problems.push_back({ProblemKind::RowSumNotOne, node, 0, sum, {}});
}

bool SharesValid(const std::vector<double>& shares) {
    const bool bad = std::any_of(shares.begin(), shares.end(),
                                 [](double s) { return !std::isfinite(s) || s < 0; });
    const bool positive = std::any_of(shares.begin(), shares.end(), [](double s) { return s > 0; });
    return !bad && positive;
}

void CheckQs(const SimulationQs& qs, int k, std::vector<InputProblem>& problems) {
    if (!(qs.ServiceTime > 0) || !std::isfinite(qs.ServiceTime))
        problems.push_back({ProblemKind::ServiceTimeNotPositive, k, 0, qs.ServiceTime, {}});
    if (qs.Channels < 1) problems.push_back({ProblemKind::ChannelsBelowOne, k, 0, 0, {}});
    if (qs.Kind == QsKind::Bounded && qs.Places < 1)
        problems.push_back({ProblemKind::PlacesBelowOne, k, 0, 0, {}});
    if (qs.Kind != QsKind::Priority) return;
    if (qs.ClassShares.empty() || qs.ClassShares.size() > MaxPriorityClasses)
        problems.push_back({ProblemKind::ClassCountOutOfRange, k, 0, 0, {}});
    else if (!SharesValid(qs.ClassShares))
        problems.push_back({ProblemKind::SharesInvalid, k, 0, 0, {}});
}

bool SquareOverNodes(const SimulationNetwork& network) {
    const auto n = static_cast<std::size_t>(network.NodeCount());
    return network.Transfer.size() == n &&
           std::all_of(network.Transfer.begin(), network.Transfer.end(),
                       [n](const std::vector<double>& row) { return row.size() == n; });
}

}  // namespace

std::vector<InputProblem> CheckSimulationNetwork(const SimulationNetwork& network) {
    std::vector<InputProblem> problems;
    if (!SquareOverNodes(network)) return {{ProblemKind::MatrixShape, 0, 0, 0, {}}};
    if (!(network.InputRate > 0) || !std::isfinite(network.InputRate))
        problems.push_back({ProblemKind::InputRateNotPositive, 0, 0, network.InputRate, {}});
    const std::vector<bool> reached = ReachedNodes(network);
    for (int i = 0; i < network.NodeCount(); ++i)
        if (reached[i]) CheckRow(network, i, problems);
    const std::vector<bool> wayOut = NodesWithWayOut(network);
    for (int k = 1; k < network.NodeCount(); ++k)
        if (reached[k] && !wayOut[k]) problems.push_back({ProblemKind::NoWayOut, k, 0, 0, {}});
    for (int k = 1; k < network.NodeCount(); ++k)
        if (reached[k]) CheckQs(network.Qs[k - 1], k, problems);
    return problems;
}

std::vector<OverloadWarning> FindOverloads(const SimulationNetwork& network,
                                           const std::vector<double>& flows) {
    std::vector<OverloadWarning> overloads;
    if (flows.empty()) return overloads;
    for (int k = 1; k < network.NodeCount(); ++k) {
        const SimulationQs& qs = network.Qs[k - 1];
        if (qs.Kind == QsKind::Bounded || qs.Channels < 1) continue;
        const long double load = static_cast<long double>(flows[k]) * qs.ServiceTime / qs.Channels;
        if (load >= 1) overloads.push_back({k, static_cast<double>(load)});
    }
    return overloads;
}

SimulationInput ReadSimulationInput(const NetworkModel& model) {
    SimulationInput input;
    SimulationNetwork& network = input.Network;
    network.InputRate = model.InputRate();
    for (int k = 1; k < model.NodeCount(); ++k) network.Qs.push_back(ReadQs(model.Qs(k)));
    std::vector<InputProblem> cellProblems;
    ReadTransfers(model, network, cellProblems);
    // A cell that is not a number matters only in a row that requests use; it comes first,
    // since it explains the row sum that follows.
    const std::vector<bool> reached = ReachedNodes(network);
    for (const InputProblem& problem : cellProblems)
        if (reached[problem.Node]) input.Problems.push_back(problem);
    for (InputProblem& problem : CheckSimulationNetwork(network))
        input.Problems.push_back(std::move(problem));
    if (!input.CanSimulate()) return input;
    input.FlowsWithoutLosses = FlowsWithoutLosses(network);
    input.Overloads = FindOverloads(network, input.FlowsWithoutLosses);
    return input;
}

}  // namespace qnetica::sim
