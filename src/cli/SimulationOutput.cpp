#include "cli/SimulationOutput.h"

#include <charconv>
#include <cmath>

#include "model/TextConcat.h"

namespace qnetica {
namespace {

using nlohmann::json;
using sim::ComparedFigure;
using sim::Estimate;
using sim::FigureName;
using sim::SimulationEnd;

json Number(double value) {
    return std::isfinite(value) ? json(value) : json(nullptr);
}

json EstimateJson(const Estimate& estimate) {
    return {{"mean", Number(estimate.Mean)},
            {"half_width", Number(estimate.HalfWidth)},
            {"samples", estimate.Samples}};
}

json QsJson(const sim::QsEstimates& qs) {
    json entry = {{"number", qs.Number},
                  {"reached", qs.Reached},
                  {"arrival_rate", EstimateJson(qs.ArrivalRate)},
                  {"load_factor", EstimateJson(qs.LoadFactor)},
                  {"queue_length", EstimateJson(qs.QueueLength)},
                  {"in_system", EstimateJson(qs.InSystem)},
                  {"wait_time", EstimateJson(qs.WaitTime)},
                  {"sojourn_time", EstimateJson(qs.SojournTime)}};
    if (qs.Kind == sim::QsKind::Bounded)
        entry["loss_probability"] = EstimateJson(qs.LossProbability);
    if (qs.Kind == sim::QsKind::Priority) {
        json classes = json::array();
        for (std::size_t c = 0; c < qs.ClassWaitTimes.size(); ++c)
            classes.push_back(
                {{"class", c + 1}, {"wait_time", EstimateJson(qs.ClassWaitTimes[c])}});
        entry["classes"] = std::move(classes);
    }
    return entry;
}

const char* EndName(SimulationEnd end) {
    switch (end) {
        case SimulationEnd::PrecisionReached:
            return "precision";
        case SimulationEnd::EventBudget:
            return "events";
        case SimulationEnd::TimeBudget:
            return "seconds";
        case SimulationEnd::Cancelled:
            return "cancelled";
        case SimulationEnd::PopulationLimit:
            return "population";
    }
    return "";
}

// A number with up to `digits` significant digits, "." before the decimals whatever the locale.
std::string Short(double value, int digits = 7) {
    if (std::isnan(value)) return "n/a";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, end.ptr);
}

// Half-widths and differences are uncertain beyond their first digits.
constexpr int UncertainDigits = 3;

std::string Percent(double share) {
    return Short(100 * share) + " %";
}

std::string Right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string Left(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string FigureLabel(const ComparedFigure& figure) {
    switch (figure.Name) {
        case FigureName::ArrivalRate:
            return "arrival rate";
        case FigureName::LoadFactor:
            return "load factor";
        case FigureName::QueueLength:
            return "queue length";
        case FigureName::InSystem:
            return "in system";
        case FigureName::WaitTime:
            return "wait time";
        case FigureName::SojournTime:
            return "sojourn time";
        case FigureName::LossProbability:
            return "loss probability";
        case FigureName::ClassWaitTime:
            return "class " + std::to_string(figure.PriorityClass) + " wait time";
        case FigureName::InNetworkTotal:
            return "in network";
        case FigureName::NetworkSojournTime:
            return "time in network";
    }
    return {};
}

constexpr std::size_t NumberWidth = 14;

std::string Row(const ComparedFigure& figure) {
    const Estimate& simulated = figure.Simulated;
    const bool estimated = simulated.Samples > 0;
    const auto shown = [](bool known, double value, int digits) {
        return known ? Short(value, digits) : std::string("n/a");
    };
    std::string row =
        Right(figure.Qs == 0 ? "net" : std::to_string(figure.Qs), 4) + "  " +
        Left(FigureLabel(figure), 20) +
        Right(shown(figure.Analytic.has_value(), figure.Analytic.value_or(0), 7), NumberWidth) +
        Right(shown(estimated, simulated.Mean, 7), NumberWidth) + " ± " +
        Left(shown(estimated, simulated.HalfWidth, UncertainDigits), NumberWidth - 2) +
        Right(shown(figure.Analytic && estimated, figure.Difference(), UncertainDigits),
              NumberWidth);
    if (figure.Outside()) row += " *";
    return row;
}

std::string HeadLine(const sim::SimulationResult& result) {
    return "Simulation check (seed " + std::to_string(result.Seed) + ", " +
           std::to_string(result.Replications) + " replications on " +
           std::to_string(result.Threads) + (result.Threads == 1 ? " thread" : " threads") +
           "): " + std::to_string(result.Events) + " events in " + Short(result.Seconds, 3) +
           " s, " + Percent(result.Confidence) + " confidence intervals.\n";
}

}  // namespace

json SimulationJson(const sim::SimulationResult& result, const std::vector<std::string>& warnings) {
    json qs = json::array();
    for (const sim::QsEstimates& estimates : result.Qs) qs.push_back(QsJson(estimates));
    return {{"seed", result.Seed},
            {"events", result.Events},
            {"seconds", result.Seconds},
            {"threads", result.Threads},
            {"replications", result.Replications},
            {"confidence", result.Confidence},
            {"precision", result.Precision},
            {"end", EndName(result.End)},
            {"widest_relative_half_width", Number(result.WidestRelativeHalfWidth)},
            {"crowded_qs",
             result.End == SimulationEnd::PopulationLimit ? json(result.CrowdedQs) : json(nullptr)},
            {"warnings", warnings},
            {"qs", std::move(qs)},
            {"totals",
             {{"in_network_total", EstimateJson(result.Network.InNetworkTotal)},
              {"network_sojourn_time", EstimateJson(result.Network.NetworkSojournTime)},
              {"loss_probability", EstimateJson(result.Network.LossProbability)}}}};
}

std::string SimulationEndText(const sim::SimulationResult& result) {
    const std::string widest = "the widest relative half-width is " +
                               Percent(result.WidestRelativeHalfWidth) + ", not within " +
                               Percent(result.Precision);
    switch (result.End) {
        case SimulationEnd::PrecisionReached:
            return "Every figure is within " + Percent(result.Precision) + " of its scale.";
        case SimulationEnd::EventBudget:
            return "Stopped at the event budget (--max-events): " + widest + ".";
        case SimulationEnd::TimeBudget:
            return "Stopped at the time budget (--max-seconds): " + widest + ".";
        case SimulationEnd::Cancelled:
            return "Cancelled: " + widest + ".";
        case SimulationEnd::PopulationLimit:
            return "Stopped: QS " + std::to_string(result.CrowdedQs) +
                   " held more requests than the simulation keeps; the network is overloaded "
                   "and the figures are those of the last complete round.";
    }
    return {};
}

std::string SimulationTable(const sim::SimulationResult& result,
                            const std::vector<ComparedFigure>& figures) {
    std::string text = Concat({"\n", HeadLine(result), SimulationEndText(result), "\n\n"});
    text += Right("QS", 4) + "  " + Left("figure", 20) + Right("analysis", NumberWidth) +
            Right("simulation", NumberWidth) + " ± " + Left("half-width", NumberWidth - 2) +
            Right("difference", NumberWidth) + "\n";
    bool marked = false;
    for (const ComparedFigure& figure : figures) {
        text += Row(figure) + "\n";
        marked = marked || figure.Outside();
    }
    text += "\nDifference: simulation - analysis. Load factor: the mean share of busy channels.\n";
    if (marked) text += "* the analytic value lies outside the simulated interval.\n";
    return text;
}

}  // namespace qnetica
