#pragma once

#include <string>

namespace qnetica {

// The texts that a calculation shows to the user.

std::string RowSumMessage(int node, double sum);
std::string CellNotNumberMessage(int from, int to, const std::string& text);
inline constexpr const char* ZeroDeterminantMessage = "Определитель системы равен 0.";
std::string OverloadMessage(int k, double loadFactor);
inline constexpr const char* LossesNotSettledMessage =
    "Расчет с учетом потерь не сошелся за 1000 итераций: результаты получены по последней "
    "итерации.";
inline constexpr const char* MissingInputRateMessage =
    "Не указана величина интенсивности входящего потока";

// Why QS k cannot be computed; each ends the calculation command.
enum class QsFault {
    ChannelsBelowOne,
    PlacesBelowOne,
    ClassCountOutOfRange,
    SharesInvalid,
    ClassLoadReachesOne,
    Arithmetic,
    NegativeLoad,
};
std::string QsFaultMessage(QsFault fault, int k);

}  // namespace qnetica
