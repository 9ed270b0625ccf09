#include "runs/VariedRunReport.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/NumberText.h"
#include "runs/ClassRecordReader.h"
#include "runs/ReportTableLines.h"

namespace qnetica {
namespace {

constexpr const char* HeadTitle = "Результат расчета сети с варьируемыми параметрами:";
constexpr const char* ParameterHeader =
    "| Параметр              | Начальное значение | Конечное значение  | Шаг            |";
constexpr const char* StepCountLabel = "Общее число шагов: ";
constexpr const char* StepMark = ">>";
constexpr const char* StepTitle = "Расчет по варьируемым параметрам шаг ";
constexpr const char* ClassLabel = "Пр. кл.";

// One row of the parameter table: label, from, to, increment.
using ParameterRow = std::array<std::string, 4>;
constexpr std::array<std::size_t, 4> ParameterWidths = {21, 18, 18, 14};

// Unlike a result table, every cell here is followed by "| ", so the line ends with a blank.
std::string ParameterLine(const ParameterRow& row) {
    std::string line = "| ";
    for (std::size_t c = 0; c < row.size(); ++c) line += PadCell(row[c], ParameterWidths[c]) + "| ";
    return line;
}

std::vector<ParameterRow> ParameterRows(const VariationPlan& plan, const NetworkModel& model) {
    std::vector<ParameterRow> rows;
    if (plan.InputRateIncrement != 0 && plan.VaryInputRate)
        rows.push_back({"Инт. вх. потока", FormatFixed5(plan.InputRateFrom),
                        FormatFixed5(plan.InputRateTo), FormatFixed5(plan.InputRateIncrement)});
    for (int k = 1; k <= model.QsCount(); ++k) {
        const QsPlan& qs = plan.Qs(k);
        const std::string number = std::to_string(k);
        if (qs.ServiceIncrement != 0 && plan.VaryServiceTime)
            rows.push_back({"Время обслуж. в СМО" + number, FormatFixed5(qs.ServiceFrom),
                            FormatFixed5(qs.ServiceTo), FormatFixed5(qs.ServiceIncrement)});
        if (qs.ChannelsIncrement != 0 && plan.VaryChannels)
            rows.push_back({"Число каналов в СМО" + number, std::to_string(qs.ChannelsFrom),
                            std::to_string(qs.ChannelsTo), FormatFixed5(qs.ChannelsIncrement)});
        if (qs.PlacesIncrement != 0 && plan.VaryPlaces)
            rows.push_back({"Число мест в СМО" + number, std::to_string(qs.PlacesFrom),
                            std::to_string(qs.PlacesTo), FormatFixed5(qs.PlacesIncrement)});
    }
    return rows;
}

// From step 2 on only the QS whose channels or service time change are listed again.
bool SourceRowShown(int row, int step, const VariationPlan& plan) {
    return row == 0 || step == 1 || plan.ChannelsVaried[row - 1] || plan.ServiceVaried[row - 1];
}

void AppendSourcePart(ReportLines& out, const VariationPlan& plan, const NetworkModel& model,
                      const ResultTables& tables, int step) {
    out.push_back(SourceTitle);
    out.push_back(UnderscoreRule(SourceRuleWidth));
    for (int r = 0; r <= model.QsCount(); ++r) {
        if (r == 1) out.push_back(HyphenRule(SourceRuleWidth));
        if (SourceRowShown(r, step, plan)) out.push_back(SourceTableLine(tables, r));
    }
    out.push_back(HyphenRule(SourceRuleWidth));
}

// The engine writes a record for a relative-priority QS that it computed as such: not one
// with a bounded queue (which takes precedence) and not one that was overloaded in this step.
bool LeftClassRecord(const NetworkModel& model, const CalculationContext& context, int k) {
    const QsParams& qs = model.Qs(k);
    return context.ClassFileStarted && qs.RelativePriority && !qs.BoundedQueue &&
           !context.QsOverloaded[k];
}

// Every array of the record lists the classes in one order, class 1 first.
void AppendClassLines(ReportLines& out, const ClassResults& record, int classCount,
                      const QsColumnWidths& widths, char separator) {
    auto number = [separator](double value) { return FormatLocale(value, separator); };
    for (int j = 1; j <= classCount; ++j) {
        const std::size_t i = j - 1;
        const std::array<std::string, QsColumnCount> cells = {ClassLabel + std::to_string(j),
                                                              " ",
                                                              number(record.ClassArrivalRate[i]),
                                                              number(record.ClassLoad[i]),
                                                              " ",
                                                              number(record.ClassInSystem[i]),
                                                              number(record.ClassQueueLength[i]),
                                                              number(record.ClassWaitTime[i]),
                                                              number(record.ClassSojournTime[i])};
        out.push_back(TableRow(cells, widths));
    }
}

FileResult AppendQsPart(ReportLines& out, const NetworkModel& model, const ResultTables& tables,
                        const CalculationContext& context, char separator,
                        const std::string& classFileName) {
    ClassRecordReader classRecords;
    if (context.ClassFileStarted) {
        if (auto opened = classRecords.Open(classFileName); !opened.Ok) return opened;
    }
    out.push_back(QsTitle);
    out.push_back(UnderscoreRule(VariedQsRuleWidth));
    const QsColumnWidths widths = QsTableWidths(tables);
    for (int r = 0; r <= model.QsCount(); ++r) {
        if (r == 1) out.push_back(HyphenRule(VariedQsRuleWidth));
        out.push_back(QsTableLine(tables, r, widths));
        if (r == 0 || !LeftClassRecord(model, context, r)) continue;
        ClassResults record;
        if (auto read = classRecords.Next(record); !read.Ok) return read;
        const int classCount = std::clamp(model.Qs(r).PriorityClasses, 0, MaxPriorityClasses);
        AppendClassLines(out, record, classCount, widths, separator);
    }
    out.push_back(HyphenRule(VariedQsRuleWidth));
    return {};
}

void AppendNetworkPart(ReportLines& out, const ResultTables& tables) {
    out.push_back(NetworkTitle);
    out.push_back(UnderscoreRule(NetworkRuleWidth));
    for (int r = 0; r < static_cast<int>(NetworkRowCount); ++r)
        out.push_back(NetworkTableLine(tables, r));
    out.push_back(HyphenRule(NetworkRuleWidth));
}

}  // namespace

void WriteReportHead(ReportLines& out, const VariationPlan& plan, const NetworkModel& model) {
    out.push_back(HeadTitle);
    out.push_back("");
    out.push_back(UnderscoreRule(ParameterRuleWidth));
    out.push_back(ParameterHeader);
    out.push_back(HyphenRule(ParameterRuleWidth));
    for (const auto& row : ParameterRows(plan, model)) out.push_back(ParameterLine(row));
    out.push_back(HyphenRule(ParameterRuleWidth));
    out.push_back(StepCountLabel + std::to_string(plan.StepCount));
    out.push_back("");
}

FileResult WriteStepSection(ReportLines& out, const VariationPlan& plan, const NetworkModel& model,
                            const ResultTables& tables, const CalculationContext& context,
                            char decimalSeparator, const std::string& classFileName) {
    ReportLines section;
    section.push_back(StepMark);
    section.push_back(StepTitle + std::to_string(context.Step) + " :");
    section.push_back(UnderscoreRule(VariedQsRuleWidth));
    AppendSourcePart(section, plan, model, tables, context.Step);
    auto qsPart = AppendQsPart(section, model, tables, context, decimalSeparator, classFileName);
    if (!qsPart.Ok) return qsPart;
    AppendNetworkPart(section, tables);
    out.insert(out.end(), section.begin(), section.end());
    return {};
}

}  // namespace qnetica
