// Any bytes as the texts a user types: first into the number readers, then into the cells of
// the transfer matrix, the input rate and the QS parameters of a small network, which is then
// calculated (one step, or a short varied run) with its result tables and reports written.

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "model/Error.h"
#include "model/NumberEntry.h"
#include "model/NumberText.h"
#include "runs/ReportText.h"
#include "runs/ResultsReport.h"
#include "runs/RunCalculation.h"

namespace {

using namespace qnetica;

constexpr int MaxFuzzedQs = 4;
constexpr std::size_t MaxTextLength = 24;  // a cell holds 20; longer texts come from the grid

// A number's text with either separator reads as the text did; other texts stay as they are.
void CheckSeparators(const std::string& text, const ParsedNumber& number) {
    for (char separator : {'.', ','}) {
        const std::string changed = WithDecimalSeparator(text, separator);
        const ParsedNumber again = ParseNumberChecked(changed);
        fuzz::Require(again.IsNumber == number.IsNumber, "a changed separator changes the kind");
        fuzz::Require(
            std::bit_cast<std::uint64_t>(again.Value) == std::bit_cast<std::uint64_t>(number.Value),
            "a changed separator changes the value");
        if (!number.IsNumber) fuzz::Require(changed == text, "a text that is no number changed");
    }
}

// A typed text is taken exactly when the lenient reader finds a number in it (or, where that is
// allowed, nothing at all); what is taken reads back from the kept text, what is refused says so.
void CheckEntries(const std::string& text, const ParsedNumber& number) {
    const bool blank = text.find_first_not_of(' ') == std::string::npos;
    const NumberEntry required = ReadNumberEntry("поле", text, EmptyEntry::Refused);
    const NumberEntry optional = ReadNumberEntry("поле", text, EmptyEntry::Allowed);
    fuzz::Require(required.Taken() == (number.IsNumber && !blank), "a number entry misjudged");
    fuzz::Require(optional.Taken() == number.IsNumber, "an optional entry misjudged");
    if (required.Taken()) {
        fuzz::Require(required.Text.find(',') == std::string::npos, "a kept text with a comma");
        fuzz::Require(ParseNumberChecked(required.Text).Value == required.Value,
                      "a kept text reads as another number");
    } else {
        fuzz::Require(!required.Refusal.empty(), "a refusal without a message");
    }
    const IntegerEntry integer = ReadIntegerEntry("поле", text);
    const ParsedInteger lenient = ParseIntegerChecked(text);
    fuzz::Require(integer.Taken() == (lenient.IsNumber && !blank), "an integer entry misjudged");
    if (integer.Taken()) fuzz::Require(integer.Value == lenient.Value, "an integer entry's value");
}

// Every reader either refuses a text or gives a value whose own texts read back.
void CheckNumberReaders(const std::string& text) {
    const ParsedNumber number = ParseNumberChecked(text);
    fuzz::Require(number.IsNumber || number.Value == 0, "a refused number text is not 0");
    CheckSeparators(text, number);
    CheckEntries(text, number);
    fuzz::Require(!std::isnan(number.Value), "the lenient reader gave NaN");
    const std::string fixed = FormatFixed(number.Value);
    FormatFixed5(number.Value);
    if (std::isfinite(number.Value))
        fuzz::Require(ParseNumberChecked(fixed).IsNumber, "a fixed text does not read back");
    for (char separator : {'.', ','}) {
        const std::string locale = FormatLocale(number.Value, separator);
        try {
            ParseLocaleStrict(locale, separator);
        } catch (const Error&) {
            fuzz::Require(!std::isfinite(number.Value), "a locale text of a number is refused");
        }
        try {
            ParseLocaleStrict(text, separator);
        } catch (const Error&) {
        }
    }
    const ParsedInteger integer = ParseIntegerChecked(text);
    fuzz::Require(integer.IsNumber || integer.Value == 0, "a refused integer text is not 0");
    try {
        fuzz::Require(
            ParseIntegerStrict(FormatInteger(ParseIntegerStrict(text))) == ParseIntegerStrict(text),
            "an integer text does not read back");
    } catch (const Error&) {
    }
}

// A double either from a typed text or straight from the bytes (NaN and infinities included),
// as a network file may hold it.
double FuzzedDouble(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return ParseNumber(input.ConsumeRandomLengthString(MaxTextLength));
    return input.ConsumeFloatingPoint<double>();
}

std::int32_t FuzzedCount(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return input.ConsumeIntegralInRange<std::int32_t>(-2, 60);
    return input.ConsumeIntegral<std::int32_t>();
}

void FillQs(FuzzedDataProvider& input, QsParams& qs) {
    qs = QsParams();  // nothing of an earlier input, so that every finding can be replayed
    const auto kind = input.ConsumeIntegralInRange<int>(0, 3);
    qs.BoundedQueue = (kind & 1) != 0;
    qs.RelativePriority = (kind & 2) != 0;
    qs.ServiceTime = FuzzedDouble(input);
    qs.Channels = FuzzedCount(input);
    qs.QueuePlaces = FuzzedCount(input);
    qs.PriorityClasses = FuzzedCount(input);
    const int shares = input.ConsumeIntegralInRange<int>(0, MaxPriorityClasses);
    for (int j = 0; j < shares; ++j) qs.ClassShares[j] = FuzzedDouble(input);
    qs.Name = input.ConsumeRandomLengthString(MaxTextLength);
}

void FillNetwork(FuzzedDataProvider& input, NetworkModel& model) {
    model.Clear();
    const int qsCount = input.ConsumeIntegralInRange<int>(0, MaxFuzzedQs);
    for (int k = 1; k <= qsCount; ++k) {
        model.AddNode();
        FillQs(input, model.Qs(k));
    }
    for (int from = 0; from <= qsCount; ++from)
        for (int to = 0; to <= qsCount; ++to)
            model.Matrix().SetCell(from, to, input.ConsumeRandomLengthString(MaxTextLength));
    model.SetInputRateText(input.ConsumeRandomLengthString(MaxTextLength));
}

// The plan as the parameters dialog would leave it, with the ranges and steps from the input.
struct PlanInput {
    FuzzedDataProvider* Input;
};

void SetPlan(VariationPlan& plan, const NetworkModel& model, void* data) {
    FuzzedDataProvider& input = *static_cast<PlanInput*>(data)->Input;
    plan = VariationPlan();
    plan.LoadPlanDefaults(model);
    const bool varied = input.ConsumeBool();
    plan.StepCount = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(1, 3)
                                         : input.ConsumeIntegral<std::int32_t>();
    plan.VaryInputRate = input.ConsumeBool();
    plan.VaryServiceTime = input.ConsumeBool();
    plan.VaryChannels = input.ConsumeBool();
    plan.VaryPlaces = input.ConsumeBool();
    plan.InputRateFrom = FuzzedDouble(input);
    plan.InputRateTo = FuzzedDouble(input);
    for (int k = 1; k <= model.QsCount(); ++k) {
        QsPlan& qs = plan.Qs(k);
        qs.ServiceFrom = FuzzedDouble(input);
        qs.ServiceTo = FuzzedDouble(input);
        qs.ChannelsFrom = FuzzedCount(input);
        qs.ChannelsTo = FuzzedCount(input);
        qs.PlacesFrom = FuzzedCount(input);
        qs.PlacesTo = FuzzedCount(input);
    }
    plan.ReportFileName = "report.txt";
    if (plan.PreparePlanSteps(model, varied)) return;  // refused: the run does not start
    plan.VariedRun = varied;
    plan.Confirmed = true;
}

struct Workspace {
    NetworkModel Model;
    VariationPlan Plan;
    ResultTables Tables;
    StepTotals Totals;
    AnalysisEngine Engine;
    WorkFolder Work;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto work = std::make_unique<Workspace>();
    FuzzedDataProvider input(data, size);
    const int texts = input.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < texts; ++i) CheckNumberReaders(input.ConsumeRandomLengthString(64));

    FillNetwork(input, work->Model);
    PlanInput planInput{&input};
    fuzz::SilentPresenter presenter(work->Model, SetPlan, &planInput);
    const RunOutcome outcome = RunCalculation(
        work->Model, {work->Plan, work->Tables, work->Totals, work->Engine, work->Work}, presenter);
    if (outcome.End != RunEnd::Completed) return 0;
    work->Tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    const std::string report =
        EncodeReport(BuildResultsReport(work->Tables, work->Model.NodeCount()));
    fuzz::Require(!report.empty(), "empty report");
    return 0;
}
