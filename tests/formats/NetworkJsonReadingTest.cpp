// What the JSON reader refuses and with which words, what the writer cannot write, how a
// cell's text is written, and which form a file is read in.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>

#include "FormatsTestSupport.h"
#include "formats/NetworkFiles.h"
#include "formats/NetworkJson.h"

namespace qnetica {
namespace {

using namespace test;

// Three QS: a plain, a bounded and a priority one; the cases below change one thing each.
const std::string Valid = R"({
  "format": {"name": "qnetica-network", "version": 1},
  "input_rate": 0.8,
  "qs": [
    {"name": "A", "service_time": 0.5, "channels": 1},
    {"service_time": 2, "channels": 2, "kind": "bounded", "places": 5},
    {"service_time": 1.5, "channels": 1, "kind": "priority", "classes": [0.7, 0.3]}
  ],
  "transfers": [
    {"from": 0, "to": 1, "p": 1},
    {"from": 1, "to": 2, "p": "0.6"},
    {"from": 1, "to": 3, "p": 0.4},
    {"from": 2, "to": 0, "p": 1},
    {"from": 3, "to": 0, "p": 1}
  ]
})";

std::string Replaced(const std::string& from, const std::string& to) {
    const auto at = Valid.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return std::string(Valid).replace(at, from.size(), to);
}

std::string ManyQs(int count) {
    std::string list;
    for (int k = 1; k <= count; ++k)
        list += std::string(k > 1 ? ", " : "") + R"({"service_time": 1, "channels": 1})";
    return R"({"format": {"name": "qnetica-network", "version": 1}, "input_rate": 1, "qs": [)" +
           list + "]}";
}

struct RefusedCase {
    std::string Document;
    std::string Message;
};

std::string ZeroShares(int count) {
    std::string list = R"("classes": [0)";
    for (int j = 2; j <= count; ++j) list += ", 0";
    return list + "]";
}

const std::string Qs1 = R"({"name": "A", "service_time": 0.5, "channels": 1})";
const std::string Qs3Classes = R"("classes": [0.7, 0.3])";

const RefusedCase RefusedCases[] = {
    {"[]", "expected an object, got a list"},
    {Replaced(R"("format": {"name": "qnetica-network", "version": 1},)", ""),
     "missing key \"format\""},
    {Replaced("qnetica-network", "qnetica-net"),
     "format.name: expected \"qnetica-network\", got \"qnetica-net\""},
    {Replaced(R"("version": 1)", R"("version": 2)"),
     "format.version: this program reads version 1, got 2"},
    {Replaced(R"("input_rate": 0.8)", R"("input_rate": "0.8")"),
     "input_rate: expected a number, got \"0.8\""},
    {Replaced(R"("input_rate")", R"("inputrate")"), "unknown key \"inputrate\""},
    {Replaced(R"("channels": 1, "kind": "priority")", R"("channels": "two", "kind": "priority")"),
     "qs[3].channels: expected a whole number >= 1, got \"two\""},
    {Replaced(R"("channels": 2)", R"("channels": 0)"),
     "qs[2].channels: expected a whole number >= 1, got 0"},
    {Replaced(R"("channels": 2)", R"("channels": 2.5)"),
     "qs[2].channels: expected a whole number >= 1, got 2.5"},
    {Replaced(R"("channels": 2)", R"("channels": 2147483648)"),
     "qs[2].channels: expected a whole number >= 1, got 2147483648"},
    {Replaced(R"("places": 5)", R"("places": -1)"),
     "qs[2].places: expected a whole number >= 0, got -1"},
    {Replaced(R"(, "places": 5)", ""), "qs[2]: a bounded QS needs \"places\""},
    {Replaced(R"(, "classes": [0.7, 0.3])", ""),
     "qs[3]: a priority QS needs \"classes\", its classes' shares of the input flow"},
    {Replaced(Qs3Classes, R"("classes": [0.7, "x"])"),
     "qs[3].classes[2]: expected a number, got \"x\""},
    {Replaced(Qs3Classes, ZeroShares(51)), "qs[3].classes: at most 50 classes, got 51"},
    {Replaced(R"("kind": "bounded")", R"("kind": "fifo")"),
     "qs[2].kind: expected \"plain\", \"bounded\" or \"priority\", got \"fifo\""},
    {Replaced(Qs1, R"({"name": "A", "service_time": 0.5, "channels": 1, "also_priority": true})"),
     "qs[1].also_priority: only a bounded QS carries it"},
    {Replaced(Qs1, R"({"name": "A", "service": 0.5, "channels": 1})"),
     "qs[1]: unknown key \"service\""},
    {Replaced(Qs1, R"({"name": "A", "channels": 1})"), "qs[1]: missing key \"service_time\""},
    {Replaced(Qs1, R"({"name": "A", "service_time": 0.5, "channels": 1, "channels": 2})"),
     "qs[1]: the key \"channels\" is given twice"},
    {Replaced(R"("name": "A")", R"("name": "АБВГДЕЁЖЗИЙ")"),
     "qs[1].name: expected a text of at most 10 characters, got \"АБВГДЕЁЖЗИЙ\" (11 characters)"},
    {Replaced(R"("name": "A")", R"("name": "A中")"),
     "qs[1].name: the character \"中\" has no place in a network file (Windows-1251)"},
    {Replaced(R"("name": "A")", R"("name": "A", "position": {"x": 10, "y": "20"})"),
     "qs[1].position.y: expected a whole number of pixels, got \"20\""},
    {ManyQs(151), "qs: at most 150 QS, got 151"},
    {Replaced(R"("to": 1, "p": 1})", R"("to": 4, "p": 1})"),
     "transfers[1].to: expected a node from 0 to 3 (0: outside the network), got 4"},
    {Replaced(R"({"from": 3,)", R"({"from": -1,)"),
     "transfers[5].from: expected a node from 0 to 3 (0: outside the network), got -1"},
    {Replaced(R"("p": "0.6")", R"("p": "0;6")"),
     "transfers[2].p: expected a probability: a number, or a text that reads as one, got \"0;6\""},
    {Replaced(R"("p": "0.6")", R"("p": null)"),
     "transfers[2].p: expected a probability: a number, or a text that reads as one, got null"},
    {Replaced(R"("p": "0.6")", R"("p": "0.600000000000000000001")"),
     "transfers[2].p: expected a text of at most 20 characters, got \"0.600000000000000000001\" "
     "(23 characters)"},
    {Replaced(R"("p": 0.4)", R"("p": 1.2345678901234567e-100)"),
     "transfers[3].p: the number 1.2345678901234567e-100 is longer than a cell's 20 characters; "
     "give it as a text"},
    {Replaced(R"({"from": 3, "to": 0, "p": 1})", R"({"from": 1, "to": 2, "p": 0.6})"),
     "transfers[5]: a second transfer from S1 to S2 (the first is transfers[2])"},
    {Replaced(R"({"from": 3, "to": 0, "p": 1})", R"({"from": 3, "to": 0, "p": 1, "q": 0})"),
     "transfers[5]: unknown key \"q\""},
};

// Each refused document leaves the open network as it was, Modified included, and says where.
TEST(NetworkJsonReadingTest, RefusedDocumentsNameThePlaceAndLeaveTheNetworkUntouched) {
    NetworkModel model;
    ASSERT_TRUE(OpenNetworkFileByContent(model, ModelPath("three-kinds.qnf")).Result.Ok);
    model.SetModified(true);
    const NetworkImage before = BuildNetworkImage(model);
    for (const RefusedCase& refused : RefusedCases) {
        WriteText("refused.json", refused.Document);
        const OpenedNetwork opened = OpenNetworkFileByContent(model, "refused.json");
        EXPECT_FALSE(opened.Result.Ok) << refused.Message;
        EXPECT_EQ(opened.Result.Message,
                  "Файл \"refused.json\" не является файлом сети или поврежден: " +
                      refused.Message + ".");
        EXPECT_TRUE(BuildNetworkImage(model) == before) << refused.Message;
        EXPECT_TRUE(model.Modified());
    }
    WriteText("broken.json", Replaced(R"("to": 1, "p": 1},)", R"("to": 1, "p": 1})"));
    const OpenedNetwork broken = OpenNetworkFileByContent(model, "broken.json");
    EXPECT_NE(broken.Result.Message.find("поврежден: parse error at line 11, column 5:"),
              std::string::npos)
        << broken.Result.Message;
    WriteText("valid.json", Valid);
    EXPECT_TRUE(OpenNetworkFileByContent(model, "valid.json").Result.Ok);
}

// A cell's text becomes a JSON number only when that number gives the same text back.
TEST(NetworkJsonReadingTest, CellTextsAreWrittenAsNumbersOnlyWhenTheyComeBackTheSame) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"},
        {"0", "0"},
        {"0.5", "0.5"},
        {"0.3333333333", "0.3333333333"},
        {"0.30000000000000004", "0.30000000000000004"},
        {"1e-05", "1e-05"},
        {"0.0001", "0.0001"},
        {"-0.0", "-0.0"},
        {"0.5000000000", "\"0.5000000000\""},
        {".5", "\".5\""},
        {" 0.25", "\" 0.25\""},
        {"2.0", "\"2.0\""},
        {"1e-3", "\"1e-3\""},
        {"-0", "\"-0\""},
        {"+1", "\"+1\""},
        {"1E+20", "\"1E+20\""},
    };
    for (const auto& [cell, p] : cases) {
        NetworkModel model;
        model.AddNode();
        model.Matrix().SetCell(0, 1, cell);
        const std::string json = WrittenJson(model.Content());
        const std::string line = std::string(R"({"from": 0, "to": 1, "p": )") + p + "}";
        EXPECT_NE(json.find(line), std::string::npos) << cell << "\n" << json;
        auto read = ReadNetworkJson(json);
        ASSERT_TRUE(std::holds_alternative<NetworkContent>(read)) << cell;
        EXPECT_EQ(std::get<NetworkContent>(read).Matrix.Cell(0, 1), cell);
    }
}

// What JSON cannot hold, or the reader would refuse, is not written, and the file is not made.
TEST(NetworkJsonReadingTest, NetworksWithoutAJsonFormAreRefusedWithThePlace) {
    struct Case {
        void (*Change)(NetworkModel&);
        const char* Message;
    };
    const Case cases[] = {
        {[](NetworkModel& m) { m.Qs(2).ServiceTime = std::nan(""); },
         "qs[2].service_time: NAN is not a number that JSON can hold"},
        {[](NetworkModel& m) { m.SetInputRate(-INFINITY); },
         "input_rate: -INF is not a number that JSON can hold"},
        {[](NetworkModel& m) { m.Qs(1).Channels = 0; },
         "qs[1].channels: expected a whole number >= 1, got 0"},
        {[](NetworkModel& m) { m.Qs(1).QueuePlaces = -3; },
         "qs[1].places: expected a whole number >= 0, got -3"},
        {[](NetworkModel& m) { m.Qs(2).PriorityClasses = 51; },
         "qs[2].classes: 51 classes, where a QS has 0 to 50"},
        {[](NetworkModel& m) { m.Qs(3).ClassShare(2) = INFINITY; },
         "qs[3].classes[2]: INF is not a number that JSON can hold"},
        {[](NetworkModel& m) { m.Matrix().SetCell(2, 1, "0;5"); },
         "transfers: the cell from S2 to S1 holds \"0;5\", which is not a number"},
    };
    std::filesystem::remove("refused.json");
    for (const Case& refused : cases) {
        NetworkModel model;
        ASSERT_TRUE(OpenNetworkFileByContent(model, ModelPath("three-kinds.qnf")).Result.Ok);
        refused.Change(model);
        model.SetModified(true);
        const FileResult saved = SaveNetworkJsonFile(model, "refused.json");
        EXPECT_EQ(saved.Message, std::string("Не удалось сохранить файл \"refused.json\": сеть не "
                                             "записывается в JSON: ") +
                                     refused.Message + ".");
        EXPECT_FALSE(std::filesystem::exists("refused.json")) << refused.Message;
        EXPECT_TRUE(model.Modified());
    }
}

// The form is told by the content: an image whose first byte is "{" is still an image, JSON
// may begin with a byte order mark and blanks, a file of neither is refused as an image.
TEST(NetworkJsonReadingTest, TheFormIsToldByContentNotByName) {
    NetworkModel model;
    ASSERT_TRUE(OpenNetworkFileByContent(model, ModelPath("three-kinds.qnf")).Result.Ok);
    model.Qs(1).ServiceTime = std::bit_cast<double>(std::uint64_t{0x3FE000000000227B});
    ASSERT_TRUE(SaveNetworkFile(model, "brace.json").Ok);
    ASSERT_EQ(FileBytes("brace.json").substr(0, 2), "{\"");
    NetworkModel opened;
    OpenedNetwork image = OpenNetworkFileByContent(opened, "brace.json");
    EXPECT_TRUE(image.Result.Ok) << image.Result.Message;
    EXPECT_EQ(image.Form, NetworkForm::Image);
    EXPECT_EQ(opened.Qs(1).ServiceTime, model.Qs(1).ServiceTime);

    WriteText("bom.qnf", "\xEF\xBB\xBF \r\n\t" + Valid);
    const OpenedNetwork json = OpenNetworkFileByContent(opened, "bom.qnf");
    EXPECT_TRUE(json.Result.Ok) << json.Result.Message;
    EXPECT_EQ(json.Form, NetworkForm::Json);
    EXPECT_EQ(opened.Qs(3).ClassShare(1), 0.7);

    WriteText("empty.json", "");
    EXPECT_EQ(OpenNetworkFileByContent(opened, "empty.json").Result.Message,
              "Файл \"empty.json\" не является файлом сети или поврежден: длина файла 0 байт, а "
              "должна быть 564160.");
    EXPECT_EQ(opened.QsCount(), 3);
}

}  // namespace
}  // namespace qnetica
