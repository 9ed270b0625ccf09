#include "runs/ResultTables.h"

#include "model/NumberText.h"

namespace qnetica {
namespace {

constexpr std::array<const char*, SourceColumnCount> SourceHeaders = {
    "Номер СМО", "Наименование СМО", "Время обслуживания", "Число каналов"};

// The two header variants side by side; the report's column widths are these texts' lengths.
struct QsHeader {
    const char* ResultsWindow;
    const char* VariedRun;
};
constexpr std::array<QsHeader, QsColumnCount> QsHeaders = {{
    {"Номер СМО", "Номер СМО"},
    {"Коэфф. передачи", "Коэфф. передачи"},
    {"Интенсивность входного потока", "Интенсивность входного потока"},
    {"Коэфф. загрузки", "Коэфф. загрузки     "},
    {"Ср. число занятых каналов", "Ср. число занятых каналов"},
    {"Ср. число заявок в СМО", "Ср. число заявок в СМО"},
    {"Ср. длина очереди", "Ср. длина очереди  "},
    {"Ср. время ожидания в очереди", "Ср. время ожидания в очереди"},
    {"Ср. время пребывания в СМО", "Ср. время пребывания в СМО"},
}};

constexpr const char* InputRateLabel = "Интенсивность входящего потока: ";
constexpr const char* OverloadedInputRateLabel = "Сеть перегружена, инт. вх. потока:";
constexpr std::array<const char*, NetworkRowCount - 1> TotalLabels = {
    "Среднее число заявок в очередях: ", "Среднее число заявок в сети: ",
    "Среднее время ожидания в очередях: ", "Среднее время пребывания заявки в сети: "};

std::array<std::string, SourceColumnCount> SourceRow(int k, const QsParams& qs) {
    return {std::to_string(k), qs.Name, FormatFixed(qs.ServiceTime), std::to_string(qs.Channels)};
}

// An overloaded QS was not computed beyond its load, so only number, flow and load are shown.
std::array<std::string, QsColumnCount> QsRow(int k, const QsParams& qs, bool overloaded) {
    const QsResults& r = qs.Results;
    // The load per channel as the overload test saw it, also for a relative-priority QS
    // whose LoadFactor the engine replaces afterwards.
    const double loadPerChannel = r.OfferedLoad / static_cast<double>(qs.Channels);
    std::array<std::string, QsColumnCount> row = {
        std::to_string(k),          FormatFixed(r.TransferCoefficient),
        FormatFixed(r.ArrivalRate), FormatFixed(loadPerChannel),
        FormatFixed(r.OfferedLoad), FormatFixed(r.InSystem),
        FormatFixed(r.QueueLength), FormatFixed(r.WaitTime),
        FormatFixed(r.SojournTime)};
    if (overloaded) {
        row[1].clear();
        for (std::size_t c = 4; c < QsColumnCount; ++c) row[c].clear();
    }
    return row;
}

}  // namespace

void ResultTables::WriteHeaderRows(QsHeaderVariant variant) {
    for (std::size_t c = 0; c < SourceColumnCount; ++c) SourceTable[0][c] = SourceHeaders[c];
    for (std::size_t c = 0; c < QsColumnCount; ++c)
        QsTable[0][c] = variant == QsHeaderVariant::VariedRun ? QsHeaders[c].VariedRun
                                                              : QsHeaders[c].ResultsWindow;
}

void ResultTables::FillResultTables(const NetworkModel& model, const CalculationContext& context,
                                    const NetworkTotals& totals) {
    for (int k = 1; k <= model.QsCount(); ++k) {
        SourceTable[k] = SourceRow(k, model.Qs(k));
        QsTable[k] = QsRow(k, model.Qs(k), context.QsOverloaded[k]);
    }
    const std::array<double, NetworkRowCount> values = {
        model.InputRate(), totals.QueuedTotal, totals.InNetworkTotal, totals.NetworkWaitTime,
        totals.NetworkSojournTime};
    NetworkTable[0][0] = context.Overloaded ? OverloadedInputRateLabel : InputRateLabel;
    for (std::size_t r = 1; r < NetworkRowCount; ++r) NetworkTable[r][0] = TotalLabels[r - 1];
    for (std::size_t r = 0; r < NetworkRowCount; ++r) NetworkTable[r][1] = FormatFixed(values[r]);
}

}  // namespace qnetica
