// Undo and redo of every kind of change, checked on the network file's image: after an undo the
// image is byte for byte the one before the change, after a redo the one after it.
#include "document/NetworkChange.h"

#include <gtest/gtest.h>

#include <functional>

#include "document/NetworkDocument.h"
#include "model/GenerateModel.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

struct Recorder : DocumentQuestions, DocumentListener {
    std::vector<std::shared_ptr<const NetworkChange>> Changes;
    SaveChangesAnswer AskSaveChanges(const std::string&) override {
        return SaveChangesAnswer::Discard;
    }
    std::optional<std::string> AskOpenPath() override { return {}; }
    std::optional<std::string> AskSavePath() override { return {}; }
    void ShowError(const std::string&) override {}
    void ShowNotice(const std::string&) override {}
    void ChangeRecorded(const std::shared_ptr<const NetworkChange>& change) override {
        Changes.push_back(change);
    }
};

struct ChangeCase {
    const char* name;
    std::function<void(NetworkDocument&)> change;
};

const ChangeCase ChangeCases[] = {
    {"AddQs", [](NetworkDocument& d) { d.AddQs(); }},
    {"RemoveQsWithItsLinks", [](NetworkDocument& d) { d.RemoveQs(); }},
    {"CellText", [](NetworkDocument& d) { d.Model().Matrix().SetCell(2, 0, "0.3333333333"); }},
    {"QsParameters",
     [](NetworkDocument& d) {
         QsParams& qs = d.Model().Qs(1);
         qs.ServiceTime = 0.75;
         qs.RelativePriority = true;
         qs.PriorityClasses = 2;
         qs.ClassShare(1) = 0.25;
         qs.ClassShare(2) = 0.75;
         qs.Name = "Касса";
     }},
    {"MoveSymbolAndSource",
     [](NetworkDocument& d) {
         d.Model().Qs(2).PosX = 640;
         d.Model().SetSourcePos(5, 6);
     }},
    {"InputRate",
     [](NetworkDocument& d) {
         d.Model().SetInputRateText("2,5");
         d.Model().SetInputRate(2.5);
     }},
    {"RandomFill", [](NetworkDocument& d) { d.RandomFill(); }},
    {"Generation",
     [](NetworkDocument& d) {
         d.Model().Clear();
         d.Generate({"1", "0.1", "1", "3", 800, 600}, nullptr);
     }},
};

class NetworkChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(NetworkChangeTest, UndoAndRedoGiveTheImagesBeforeAndAfter) {
    Recorder recorder;
    NetworkDocument document(recorder);
    document.AddListener(&recorder);
    NetworkModel& model = document.Model();
    for (int k = 1; k <= 3; ++k) document.AddQs();
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "1");
    model.Matrix().SetCell(2, 3, "0.5");
    model.Matrix().SetCell(3, 0, "1");
    model.Qs(3).ServiceTime = 0.2;
    model.Qs(3).Results.WaitTime = 9;  // results are no part of a change
    document.RecordChange("сеть");
    recorder.Changes.clear();

    const NetworkImage before = BuildNetworkImage(model);
    const std::string textBefore = model.InputRateText();
    GetParam().change(document);
    document.RecordChange("изменение");
    const NetworkImage after = BuildNetworkImage(model);
    const std::string textAfter = model.InputRateText();
    ASSERT_EQ(recorder.Changes.size(), 1u);
    ASSERT_NE(before, after);

    document.Undo(*recorder.Changes[0]);
    EXPECT_EQ(BuildNetworkImage(model), before);
    EXPECT_EQ(model.InputRateText(), textBefore);
    document.Redo(*recorder.Changes[0]);
    EXPECT_EQ(BuildNetworkImage(model), after);
    EXPECT_EQ(model.InputRateText(), textAfter);
    document.RecordChange("ничего");  // undo and redo leave nothing new to record
    EXPECT_EQ(recorder.Changes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NetworkChangeTest, ::testing::ValuesIn(ChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A calculation writes results and reads the input rate's text: nothing to undo.
TEST(NetworkChangeRecordTest, ResultsAreNoChange) {
    Recorder recorder;
    NetworkDocument document(recorder);
    document.AddListener(&recorder);
    document.AddQs();
    document.RecordChange("сеть");
    recorder.Changes.clear();
    document.Model().Qs(1).Results.ArrivalRate = 3;
    document.RecordChange("расчет");
    EXPECT_TRUE(recorder.Changes.empty());
}

}  // namespace
}  // namespace qnetica
