#include "sim/SimulationMessages.h"

#include "model/NumberText.h"

namespace qnetica::sim {
namespace {

const std::string Refused = "Имитация невозможна: ";

std::string InQs(const InputProblem& problem) {
    return Refused + "в СМО#" + std::to_string(problem.Node);
}

std::string Cell(const InputProblem& problem) {
    return "(S" + std::to_string(problem.Node) + ", S" + std::to_string(problem.Column) + ")";
}

}  // namespace

std::string ProblemMessage(const InputProblem& problem) {
    switch (problem.Kind) {
        case ProblemKind::MatrixShape:
            return Refused + "матрица вероятностей передач не соответствует числу узлов.";
        case ProblemKind::InputRateNotPositive:
            return Refused + "интенсивность входящего потока должна быть больше 0 (равна " +
                   FormatFixed(problem.Value) + ").";
        case ProblemKind::CellNotNumber:
            return Refused + "ячейка " + Cell(problem) +
                   " матрицы вероятностей передач не является числом: \"" + problem.Text + "\".";
        case ProblemKind::TransferNotProbability:
            return Refused + "вероятность передачи " + Cell(problem) +
                   " не лежит в пределах от 0 до 1 (равна " + FormatFixed(problem.Value) + ").";
        case ProblemKind::RowSumNotOne:
            return Refused + "сумма " + std::to_string(problem.Node) +
                   "-ой строки не равна 1 (равна " + FormatFixed(problem.Value) + ").";
        case ProblemKind::NoWayOut:
            return Refused + "заявки, попавшие в СМО#" + std::to_string(problem.Node) +
                   ", никогда не покидают сеть.";
        case ProblemKind::ServiceTimeNotPositive:
            return InQs(problem) + " время обслуживания должно быть больше 0 (равно " +
                   FormatFixed(problem.Value) + ").";
        case ProblemKind::ChannelsBelowOne:
            return InQs(problem) + " число каналов меньше 1.";
        case ProblemKind::PlacesBelowOne:
            return InQs(problem) + " число мест меньше 1.";
        case ProblemKind::ClassCountOutOfRange:
            return InQs(problem) + " число классов приоритета должно лежать в пределах от 1 до 50.";
        case ProblemKind::SharesInvalid:
            return InQs(problem) + " доли входного потока классов заданы неверно.";
    }
    return Refused;
}

std::string OverloadMessage(const OverloadWarning& warning) {
    return "Коэффициент загрузки в СМО#" + std::to_string(warning.Qs) +
           " без учета потерь не меньше 1 (равен " + FormatFixed(warning.LoadFactor) +
           "): очередь может расти без предела.";
}

}  // namespace qnetica::sim
