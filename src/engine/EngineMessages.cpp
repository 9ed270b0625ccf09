#include "engine/EngineMessages.h"

#include <array>
#include <cstddef>

#include "model/NumberText.h"

namespace qnetica {
namespace {

// The text of each QsFault around the QS number, in the order of the enumeration.
struct FaultText {
    const char* BeforeNumber;
    const char* AfterNumber;
};
constexpr std::array<FaultText, 7> QsFaultTexts = {{
    {"В СМО#", " число каналов меньше 1."},
    {"В СМО#", " число мест меньше 1."},
    {"В СМО#", " число классов приоритета должно лежать в пределах от 1 до 50."},
    {"В СМО#", " доли входного потока классов заданы неверно."},
    {"В СМО#", " суммарная загрузка классов приоритета не меньше 1."},
    {"Арифметическая ошибка при расчете СМО#", "."},
    {"В СМО#", " нагрузка отрицательна: время обслуживания или интенсивность потока меньше 0."},
}};

}  // namespace

std::string RowSumMessage(int node, double sum) {
    return "Сумма " + std::to_string(node) + "-ой строки не равна 1 (равна " + FormatFixed(sum) +
           ").";
}

std::string CellNotNumberMessage(int from, int to, const std::string& text) {
    return "Ячейка (S" + std::to_string(from) + ", S" + std::to_string(to) +
           ") матрицы вероятностей передач не является числом: \"" + text + "\"";
}

std::string OverloadMessage(int k, double loadFactor) {
    return "Коэффициент загрузки в СМО#" + std::to_string(k) + " больше 1 ( равен " +
           FormatFixed(loadFactor) + ")";
}

std::string QsFaultMessage(QsFault fault, int k) {
    const FaultText& text = QsFaultTexts[static_cast<std::size_t>(fault)];
    return text.BeforeNumber + std::to_string(k) + text.AfterNumber;
}

}  // namespace qnetica
