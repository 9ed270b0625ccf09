#include "runs/ResultsCsv.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <utility>

#include "runs/OutputFile.h"

namespace qnetica {
namespace {

constexpr const char* ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* LineEnd = "\r\n";

// One column: its header and how a row of a step and a QS (none for a network without QS)
// fills it.
class Row;
struct Column {
    std::string Header;
    std::function<void(Row&, const StepFigures&, const QsFigures*)> Fill;
};

class Row {
  public:
    explicit Row(CsvStyle style) : style_(style) {}

    void Number(double value) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        std::string text(buffer, end);
        if (style_.DecimalMark != '.')
            std::replace(text.begin(), text.end(), '.', style_.DecimalMark);
        Field(text);
    }
    void Whole(long long value) { Field(std::to_string(value)); }
    void Flag(bool value) { Field(value ? "1" : "0"); }
    void Empty() { Field({}); }
    // Quoted when it holds the separator, a quote or a line end; quotes doubled.
    void Field(const std::string& text) {
        if (!first_) line_ += style_.Separator;
        first_ = false;
        const bool quoted =
            text.find_first_of(std::string{style_.Separator, '"', '\r', '\n'}) != std::string::npos;
        if (!quoted) {
            line_ += text;
            return;
        }
        line_ += '"';
        for (char c : text) {
            if (c == '"') line_ += '"';
            line_ += c;
        }
        line_ += '"';
    }
    std::string Take() {
        first_ = true;
        line_.append(LineEnd);
        return std::exchange(line_, std::string());
    }

  private:
    CsvStyle style_;
    std::string line_;
    bool first_ = true;
};

using Step = const StepFigures&;
using Qs = const QsFigures*;

// A figure of the QS, empty in the row of a network without QS.
Column QsNumber(const char* header, double QsFigures::*field) {
    return {header, [field](Row& row, Step, Qs qs) { qs ? row.Number(qs->*field) : row.Empty(); }};
}

// Only a bounded QS loses requests.
Column LossNumber(const char* header, double QsFigures::*field) {
    return {header, [field](Row& row, Step, Qs qs) {
                qs && qs->Kind == QsKind::Bounded ? row.Number(qs->*field) : row.Empty();
            }};
}

std::vector<Column> Columns(const RunFigures& figures) {
    std::vector<Column> columns = {
        {"Шаг", [](Row& row, Step step, Qs) { row.Whole(step.Step); }},
    };
    const StepAxis& axis = figures.Axis();
    const int steps = static_cast<int>(figures.Steps().size());
    // A varied input rate has its column anyway.
    if (figures.VariedRun() && axis.ShowsValues(steps) &&
        axis.Parameter != VariedParameter::InputRate)
        columns.push_back({axis.ParameterName(), [&axis](Row& row, Step step, Qs) {
                               row.Number(axis.Values[step.Step - 1]);
                           }});
    const std::vector<Column> rest = {
        {"Интенсивность входящего потока", [](Row& row, Step s, Qs) { row.Number(s.InputRate); }},
        {"Сеть перегружена", [](Row& row, Step s, Qs) { row.Flag(s.Overloaded); }},
        {"Среднее число заявок в очередях",
         [](Row& row, Step s, Qs) { row.Number(s.Totals.QueuedTotal); }},
        {"Среднее число заявок в сети",
         [](Row& row, Step s, Qs) { row.Number(s.Totals.InNetworkTotal); }},
        {"Среднее время ожидания в очередях",
         [](Row& row, Step s, Qs) { row.Number(s.Totals.NetworkWaitTime); }},
        {"Среднее время пребывания заявки в сети",
         [](Row& row, Step s, Qs) { row.Number(s.Totals.NetworkSojournTime); }},
        {"Номер СМО", [](Row& row, Step, Qs qs) { qs ? row.Whole(qs->Number) : row.Empty(); }},
        {"Наименование СМО", [](Row& row, Step, Qs qs) { row.Field(qs ? qs->Name : ""); }},
        {"Вид СМО", [](Row& row, Step, Qs qs) { row.Field(qs ? QsKindText(qs->Kind) : ""); }},
        QsNumber("Время обслуживания", &QsFigures::ServiceTime),
        {"Число каналов",
         [](Row& row, Step, Qs qs) { qs ? row.Whole(qs->Channels) : row.Empty(); }},
        {"Число мест",
         [](Row& row, Step, Qs qs) {
             qs && qs->Kind == QsKind::Bounded ? row.Whole(qs->Places) : row.Empty();
         }},
        {"СМО перегружена",
         [](Row& row, Step, Qs qs) { qs ? row.Flag(qs->Overloaded) : row.Empty(); }},
        QsNumber("Коэфф. передачи", &QsFigures::TransferCoefficient),
        QsNumber("Интенсивность входного потока", &QsFigures::ArrivalRate),
        QsNumber("Коэфф. загрузки", &QsFigures::LoadFactor),
        QsNumber("Ср. число занятых каналов", &QsFigures::OfferedLoad),
        QsNumber("Вероятность простоя", &QsFigures::IdleProbability),
        QsNumber("Ср. число заявок в СМО", &QsFigures::InSystem),
        QsNumber("Ср. длина очереди", &QsFigures::QueueLength),
        QsNumber("Ср. время ожидания в очереди", &QsFigures::WaitTime),
        QsNumber("Ср. время пребывания в СМО", &QsFigures::SojournTime),
        LossNumber("Вероятность потери", &QsFigures::LossProbability),
        LossNumber("Обслуженный поток", &QsFigures::ServedRate),
    };
    columns.insert(columns.end(), rest.begin(), rest.end());
    return columns;
}

}  // namespace

CsvStyle CsvStyleFor(char decimalSeparator) {
    return decimalSeparator == ',' ? CsvStyle{';', ','} : CsvStyle{',', '.'};
}

std::string ResultsCsvText(const RunFigures& figures, CsvStyle style) {
    const std::vector<Column> columns = Columns(figures);
    Row row(style);
    std::string text(ByteOrderMark);
    for (const Column& column : columns) row.Field(column.Header);
    text += row.Take();
    const auto add = [&](const StepFigures& step, const QsFigures* qs) {
        for (const Column& column : columns) column.Fill(row, step, qs);
        text += row.Take();
    };
    for (const StepFigures& step : figures.Steps()) {
        if (step.Qs.empty()) add(step, nullptr);
        for (const QsFigures& qs : step.Qs) add(step, &qs);
    }
    return text;
}

FileResult WriteResultsCsv(const std::string& fileName, const RunFigures& figures, CsvStyle style) {
    return WriteWholeFile(fileName, ResultsCsvText(figures, style));
}

}  // namespace qnetica
