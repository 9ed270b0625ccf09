#include "model/GenerateModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/EngineMessages.h"
#include "runs/QuietRunPresenter.h"
#include "runs/RunCalculation.h"

namespace qnetica {
namespace {

const std::string Half = "0.500000000000000";
const std::string Third = "0.333333333333333";
const std::string Seventh = "0.142857142857143";
const std::string Seventieth = "0.014285714285714";

GenerationRequest Request(const std::string& qsCount, int width = 1000, int height = 700) {
    GenerationRequest request;
    request.IntensityText = "12";
    request.ServiceTimeText = "0.25";
    request.ChannelsText = "3";
    request.QsCountText = qsCount;
    request.AreaWidth = width;
    request.AreaHeight = height;
    return request;
}

// Every non-empty cell of the used part of the matrix, row by row, as "i,j=text".
std::vector<std::string> FilledCells(const NetworkModel& model) {
    std::vector<std::string> cells;
    for (int from = 0; from < model.NodeCount(); ++from)
        for (int to = 0; to < model.NodeCount(); ++to)
            if (!model.Matrix().Cell(from, to).empty())
                cells.push_back(std::to_string(from) + "," + std::to_string(to) + "=" +
                                model.Matrix().Cell(from, to));
    return cells;
}

std::vector<std::string> Names(const NetworkModel& model) {
    std::vector<std::string> names;
    for (int k = 1; k < model.NodeCount(); ++k) names.push_back(model.Qs(k).Name);
    return names;
}

int CountInRow(const NetworkModel& model, int row, const std::string& text) {
    int count = 0;
    for (int to = 0; to < TransferMatrix::Size; ++to) count += model.Matrix().Cell(row, to) == text;
    return count;
}

TEST(GenerateModelTest, TwoBaseQsGiveTheExampleMatrix) {
    NetworkModel model;
    const GenerationOutcome outcome = GenerateModel(model, Request("2"), nullptr);
    EXPECT_EQ(outcome.End, GenerationEnd::Generated);
    EXPECT_EQ(model.NodeCount(), 4);
    EXPECT_EQ(Names(model), (std::vector<std::string>{"", "", "s12"}));
    EXPECT_EQ(FilledCells(model),
              (std::vector<std::string>{"0,1=" + Half, "0,2=" + Half,                    //
                                        "1,0=" + Third, "1,2=" + Third, "1,3=" + Third,  //
                                        "2,0=" + Third, "2,1=" + Third, "2,3=" + Third,  //
                                        "3,1=" + Half, "3,2=" + Half}));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(model.Qs(k).ServiceTime, 0.25);
        EXPECT_EQ(model.Qs(k).Channels, 3);
    }
    EXPECT_EQ(model.InputRate(), 12);
    EXPECT_EQ(model.InputRateText(), "12");
    EXPECT_TRUE(model.Generated());
    EXPECT_TRUE(model.Modified());
}

TEST(GenerateModelTest, SevenBaseQsGive127QsWithEqualShares) {
    NetworkModel model;
    ASSERT_EQ(GenerateModel(model, Request("7"), nullptr).End, GenerationEnd::Generated);
    ASSERT_EQ(model.NodeCount(), 128);
    EXPECT_EQ(model.Qs(127).Name, "s1234567");
    EXPECT_EQ(model.Qs(8).Name, "s12");
    EXPECT_EQ(model.Qs(126).Name, "s234567");
    for (int base = 1; base <= 7; ++base) {
        EXPECT_EQ(model.Matrix().Cell(127, base), Seventh);
        EXPECT_EQ(model.Matrix().Cell(0, base), Seventh);
        EXPECT_EQ(CountInRow(model, base, Seventieth), 70) << "row " << base;
        EXPECT_EQ(CountInRow(model, base, ""), TransferMatrix::Size - 70) << "row " << base;
    }
    EXPECT_EQ(CountInRow(model, 127, ""), TransferMatrix::Size - 7);
    EXPECT_EQ(CountInRow(model, 0, ""), TransferMatrix::Size - 7);
}

TEST(GenerateModelTest, SubsetsComeInLexicographicOrderBySize) {
    NetworkModel model;
    GenerateModel(model, Request("4"), nullptr);
    EXPECT_EQ(Names(model),
              (std::vector<std::string>{"", "", "", "", "s12", "s13", "s14", "s23", "s24", "s34",
                                        "s123", "s124", "s134", "s234", "s1234"}));
    // s134 (QS 13) goes both ways with each of its members only.
    EXPECT_EQ(model.Matrix().Cell(13, 1), Third);
    EXPECT_EQ(model.Matrix().Cell(13, 2), "");
    EXPECT_EQ(model.Matrix().Cell(4, 13), "0.090909090909091");  // base row: 1 + 3 + 7 links
}

struct Position {
    int X;
    int Y;
    bool operator==(const Position&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Position& p) {
    return out << "(" << p.X << ", " << p.Y << ")";
}

std::vector<Position> Positions(const NetworkModel& model) {
    std::vector<Position> positions{{model.SourcePosX(), model.SourcePosY()}};
    for (int k = 1; k < model.NodeCount(); ++k)
        positions.push_back({model.Qs(k).PosX, model.Qs(k).PosY});
    return positions;
}

TEST(GenerateModelTest, PlacesBaseQsDownTheLeftAndSubsetQsInRowsOnTheRight) {
    NetworkModel model;
    model.SetSourcePos(33, 5);
    GenerateModel(model, Request("3", 1000, 700), nullptr);
    // Base QS: x = (W - 50) / 4 + a with a = -50, 6, 73; y = (H - 10) / 3 * (p - 1) + 10.
    EXPECT_EQ(Positions(model), (std::vector<Position>{{33, 350},
                                                       {187, 10},
                                                       {243, 240},
                                                       {310, 470},
                                                       {475, 10},
                                                       {515, 10},
                                                       {555, 10},
                                                       {595, 10}}));
}

TEST(GenerateModelTest, SubsetRowsWrapAtTheRightEdgeOfTheArea) {
    NetworkModel model;
    GenerateModel(model, Request("4", 400, 300), nullptr);
    const std::vector<Position> all = Positions(model);
    const std::vector<Position> subsets(all.begin() + 5, all.begin() + 9);
    EXPECT_EQ(subsets, (std::vector<Position>{{175, 10}, {215, 10}, {255, 10}, {295, 10}}));
    EXPECT_EQ(all[10], (Position{375, 10}));
    EXPECT_EQ(all[11], (Position{175, 50}));  // x went to 415 > 400
    EXPECT_EQ(all[15], (Position{335, 50}));
}

// Typed with a comma or a point, the intensity reaches the field and the value input dialog with
// its digits as typed and "." before its decimals.
TEST(GenerateModelTest, TheIntensityTextGoesToTheFieldAndTheValueDialogWithAPoint) {
    for (const char* typed : {"2,5", "2.5", " 2,5 "}) {
        NetworkModel model;
        GenerationRequest request = Request("2");
        request.IntensityText = typed;
        std::vector<std::string> shown;
        GenerateModel(model, request, [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(model.InputRate(), 2.5) << typed;
        EXPECT_EQ(model.InputRateText(), "2.5") << typed;
        EXPECT_EQ(shown, std::vector<std::string>{"2.5"}) << typed;
    }
}

struct BadInput {
    const char* Case;
    const char* Intensity;
    const char* ServiceTime;
    const char* QsCount;
    const char* Channels;
    GenerationEnd End;
    const char* Message;
};

void PrintTo(const BadInput& input, std::ostream* out) {
    *out << input.Case;
}

class GenerateModelBadInputTest : public ::testing::TestWithParam<BadInput> {};

// Every text is read before anything changes: a refusal leaves the network as it was.
TEST_P(GenerateModelBadInputTest, RefusesWithTheFieldsMessageAndChangesNothing) {
    const BadInput& input = GetParam();
    NetworkModel model;
    GenerationRequest request = Request(input.QsCount);
    request.IntensityText = input.Intensity;
    request.ServiceTimeText = input.ServiceTime;
    request.ChannelsText = input.Channels;
    int shown = 0;
    const GenerationOutcome outcome =
        GenerateModel(model, request, [&](const std::string&) { ++shown; });
    EXPECT_EQ(outcome.End, input.End);
    EXPECT_EQ(outcome.Message, input.Message);
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_TRUE(model.Generated());
    EXPECT_EQ(model.InputRateText(), "");
    EXPECT_EQ(model.InputRate(), 0);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(FilledCells(model).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, GenerateModelBadInputTest,
    ::testing::Values(
        BadInput{"IntensityText", "abc", "1", "3", "1", GenerationEnd::NotANumber,
                 "Интенсивность входящего потока: \"abc\" не является числом"},
        BadInput{"IntensityEmpty", "", "1", "3", "1", GenerationEnd::NotANumber,
                 "Интенсивность входящего потока: значение не указано"},
        BadInput{"ServiceTimeText", "5", "0,2,3", "3", "1", GenerationEnd::NotANumber,
                 "Время обслуживания: \"0,2,3\" не является числом"},
        BadInput{"ServiceTimeEmpty", "5", "", "3", "1", GenerationEnd::NotANumber,
                 "Время обслуживания: значение не указано"},
        BadInput{"QsCountText", "5", "1", "x", "1", GenerationEnd::NotANumber,
                 "Количество СМО: \"x\" не является целым числом"},
        BadInput{"OneQs", "5", "1", "1", "1", GenerationEnd::QsCountOutOfRange, BaseQsCountRefusal},
        BadInput{"EightQs", "5", "1", "8", "1", GenerationEnd::QsCountOutOfRange,
                 BaseQsCountRefusal},
        BadInput{"ChannelsText", "5", "1", "3", "1.5", GenerationEnd::NotANumber,
                 "Число каналов: \"1.5\" не является целым числом"},
        // The texts in the order of the dialog's fields, then the range of the number of QS.
        BadInput{"ChannelsBeforeQsCount", "5", "1", "9", "x", GenerationEnd::NotANumber,
                 "Число каналов: \"x\" не является целым числом"}),
    [](const auto& info) { return std::string(info.param.Case); });

TEST(GenerateModelTest, TheServiceTimeTakesACommaToo) {
    NetworkModel model;
    GenerationRequest request = Request("2");
    request.ServiceTimeText = "0,125";
    EXPECT_EQ(GenerateModel(model, request, nullptr).End, GenerationEnd::Generated);
    for (int k = 1; k < model.NodeCount(); ++k) EXPECT_EQ(model.Qs(k).ServiceTime, 0.125);
}

// A fixed run whose parameters dialog is confirmed at once; it keeps the messages shown.
class FixedRunPresenter : public QuietRunPresenter {
  public:
    std::vector<std::string> Messages;

    void ShowMessage(MessageKind, const std::string& text) override { Messages.push_back(text); }
    void AskRunParameters(VariationPlan& plan) override {
        plan.VariedRun = false;
        plan.Confirmed = true;
    }
};

std::vector<std::string> FixedRunMessages(NetworkModel& model) {
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;
    FixedRunPresenter presenter;
    RunCalculation(model, {plan, tables, totals, engine, work}, presenter);
    return presenter.Messages;
}

// Every generated QS gets far more than one channel can serve.
GenerationRequest OverloadingRequest() {
    GenerationRequest request = Request("2");
    request.IntensityText = "100";
    request.ServiceTimeText = "1";
    request.ChannelsText = "1";
    return request;
}

TEST(GenerateModelTest, GeneratedSuppressesTheOverloadBoxesOfTheNextFixedRunOnly) {
    NetworkModel model;
    GenerateModel(model, OverloadingRequest(), nullptr);
    EXPECT_TRUE(FixedRunMessages(model).empty());
    EXPECT_FALSE(model.Generated());

    const std::vector<std::string> second = FixedRunMessages(model);
    ASSERT_EQ(second.size(), 3u);  // one per QS now
    EXPECT_EQ(second[0], OverloadMessage(1, model.Qs(1).Results.LoadFactor));
}

}  // namespace
}  // namespace qnetica
