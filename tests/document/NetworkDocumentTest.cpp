// The document's commands without any window: the questions are answered from a script. Each
// test process works in a fresh folder of its own.
#include "document/NetworkDocument.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

namespace qnetica {
namespace {

struct ScriptedQuestions : DocumentQuestions {
    std::deque<SaveChangesAnswer> Answers;
    std::deque<std::optional<std::string>> Paths;
    std::vector<std::string> Errors;
    std::vector<std::string> Notices;
    int Questions = 0;

    SaveChangesAnswer AskSaveChanges(const std::string&) override {
        ++Questions;
        return Next(Answers, SaveChangesAnswer::Cancel);
    }
    std::optional<std::string> AskOpenPath() override { return Next(Paths, {}); }
    std::optional<std::string> AskSavePath() override { return Next(Paths, {}); }
    void ShowError(const std::string& message) override { Errors.push_back(message); }
    void ShowNotice(const std::string& message) override { Notices.push_back(message); }

    template <typename T>
    static T Next(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T next = queue.front();
        queue.pop_front();
        return next;
    }
};

class NetworkDocumentTest : public ::testing::Test {
  protected:
    void MakeChangedNetwork() {
        document.AddQs();
        document.Model().Matrix().SetCell(0, 1, "1");
        document.Model().SetModified(true);
    }

    ScriptedQuestions questions;
    NetworkDocument document{questions};
};

struct DiscardCase {
    const char* name;
    SaveChangesAnswer answer;
    std::optional<std::string> savePath;  // the save dialog's answer, when asked
    bool discarded;
    bool saved;
};

const DiscardCase DiscardCases[] = {
    {"SaveIntoAFile", SaveChangesAnswer::Save, "kept.qnf", true, true},
    {"SaveCancelled", SaveChangesAnswer::Save, std::nullopt, false, false},
    {"SaveFailed", SaveChangesAnswer::Save, "no-such-folder/kept.qnf", false, false},
    {"Discard", SaveChangesAnswer::Discard, std::nullopt, true, false},
    {"Cancel", SaveChangesAnswer::Cancel, std::nullopt, false, false},
};

class NetworkDocumentDiscardTest : public NetworkDocumentTest,
                                   public ::testing::WithParamInterface<DiscardCase> {};

// New throws a changed network away only when the user let it go, saved or not.
TEST_P(NetworkDocumentDiscardTest, NewAsksAndKeepsOrClears) {
    const DiscardCase& c = GetParam();
    MakeChangedNetwork();
    questions.Answers = {c.answer};
    questions.Paths = {c.savePath};
    EXPECT_EQ(document.New(), c.discarded);
    EXPECT_EQ(questions.Questions, 1);
    EXPECT_EQ(document.Model().NodeCount(), c.discarded ? 1 : 2);
    EXPECT_EQ(std::filesystem::exists("kept.qnf"), c.saved);
    EXPECT_EQ(questions.Errors.size(), c.savePath && !c.saved ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Answers, NetworkDocumentDiscardTest, ::testing::ValuesIn(DiscardCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NetworkDocumentTest, UnchangedNetworkGoesWithoutAQuestion) {
    document.AddQs();
    document.Model().SetModified(false);
    EXPECT_TRUE(document.New());
    EXPECT_EQ(questions.Questions, 0);
    EXPECT_EQ(document.Model().NodeCount(), 1);
}

// A refused file leaves the network and the remembered file as they were.
TEST_F(NetworkDocumentTest, RefusedFileKeepsTheNetwork) {
    MakeChangedNetwork();
    questions.Paths = {"net.qnf"};
    ASSERT_TRUE(document.Save());
    std::ofstream("short.qnf") << "not a network";
    EXPECT_FALSE(document.OpenPath("short.qnf"));
    ASSERT_EQ(questions.Errors.size(), 1u);
    EXPECT_NE(questions.Errors[0].find("short.qnf"), std::string::npos);
    EXPECT_EQ(document.Model().NodeCount(), 2);
    EXPECT_EQ(document.FilePath(), "net.qnf");
    EXPECT_TRUE(document.OpenPath("net.qnf"));
    EXPECT_EQ(document.Model().Matrix().Cell(0, 1), "1");
}

// The plan forgets the QS of the discarded network, so a varied run of the next starts clean.
TEST_F(NetworkDocumentTest, ClearingResetsThePlanOfTheDiscardedQs) {
    document.AddQs();
    document.AddQs();
    document.Plan().Qs(2).ServiceFrom = 7;
    document.Model().SetModified(false);
    ASSERT_TRUE(document.New());
    EXPECT_EQ(document.Plan().Qs(2).ServiceFrom, 0);
}

TEST_F(NetworkDocumentTest, AHundredAndFiftyFirstQsIsRefusedWithANotice) {
    for (int k = 1; k <= 150; ++k) ASSERT_TRUE(document.AddQs()) << k;
    EXPECT_FALSE(document.AddQs());
    EXPECT_EQ(questions.Notices,
              std::vector<std::string>{"Сеть может содержать не более 150 СМО."});
    EXPECT_EQ(document.Model().QsCount(), 150);
}

// A network saved as JSON opens again, told by its content; a refused JSON document is shown
// with the place of its fault and leaves the changed network and the remembered file alone.
TEST_F(NetworkDocumentTest, JsonNetworksSaveAndOpenAndARefusedOneKeepsTheNetwork) {
    MakeChangedNetwork();
    document.Model().Qs(1).Name = "Вход";
    ASSERT_TRUE(document.SaveAs("net.data", NetworkForm::Json));
    EXPECT_FALSE(document.Model().Modified());
    EXPECT_EQ(document.FileForm(), NetworkForm::Json);
    std::ofstream("bad.json") << R"({"format": {"name": "qnetica-network", "version": 1},
        "input_rate": 1, "qs": [{"service_time": 1, "channels": "two"}]})";
    document.AddQs();
    EXPECT_FALSE(document.OpenPath("bad.json"));
    EXPECT_EQ(questions.Errors, std::vector<std::string>{
                                    "Файл \"bad.json\" не является файлом сети или поврежден: "
                                    "qs[1].channels: expected a whole number >= 1, got \"two\"."});
    EXPECT_EQ(document.Model().QsCount(), 2);
    EXPECT_TRUE(document.Model().Modified());
    EXPECT_EQ(document.FilePath(), "net.data");
    ASSERT_TRUE(document.OpenPath("net.data"));
    EXPECT_EQ(document.Model().QsCount(), 1);
    EXPECT_EQ(document.Model().Qs(1).Name, "Вход");
    EXPECT_EQ(document.Model().Matrix().Cell(0, 1), "1");
    ASSERT_TRUE(document.Save());  // into its own file, in its own form, without asking
    EXPECT_EQ(document.FileForm(), NetworkForm::Json);
    questions.Paths = {"net.qnf"};
    ASSERT_TRUE(document.SaveAs());  // the name chooses the form
    EXPECT_EQ(document.FileForm(), NetworkForm::Image);
}

}  // namespace
}  // namespace qnetica
