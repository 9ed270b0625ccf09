// The calculator with networks as JSON: computing one, and --export-network in both directions.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/CalculatorRun.h"
#include "formats/FormatsTestSupport.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

using test::Calc;
using test::FileBytes;

// Written as a user would: no positions, a bounded QS, a priority QS of three classes, one
// probability as a text and one as a number of ten decimals.
const std::string HandWritten = R"({
  "format": {"name": "qnetica-network", "version": 1},
  "input_rate": 0.9,
  "qs": [
    {"name": "Вход", "service_time": 0.4, "channels": 1},
    {"name": "Склад", "service_time": 1.5, "channels": 2, "kind": "bounded", "places": 3},
    {"name": "Касса", "service_time": 0.3, "channels": 1, "kind": "priority",
     "classes": [0.5, 0.3, 0.2]}
  ],
  "transfers": [
    {"from": 0, "to": 1, "p": 1},
    {"from": 1, "to": 2, "p": "0.6666666667"},
    {"from": 1, "to": 3, "p": 0.3333333333},
    {"from": 2, "to": 3, "p": 1},
    {"from": 3, "to": 0, "p": 0.75},
    {"from": 3, "to": 1, "p": 0.25}
  ]
}
)";

// The same network built through the model.
void SaveModelBuilt(const std::string& path) {
    NetworkModel model;
    for (int k = 1; k <= 3; ++k) model.AddNode();
    model.SetInputRate(0.9);
    const char* names[] = {"Вход", "Склад", "Касса"};
    const double serviceTimes[] = {0.4, 1.5, 0.3};
    for (int k = 1; k <= 3; ++k) {
        model.Qs(k).Name = names[k - 1];
        model.Qs(k).ServiceTime = serviceTimes[k - 1];
    }
    model.Qs(2).Channels = 2;
    model.Qs(2).BoundedQueue = true;
    model.Qs(2).QueuePlaces = 3;
    QsParams& priority = model.Qs(3);
    priority.RelativePriority = true;
    priority.PriorityClasses = 3;
    priority.ClassShare(1) = 0.5;
    priority.ClassShare(2) = 0.3;
    priority.ClassShare(3) = 0.2;
    TransferMatrix& matrix = model.Matrix();
    matrix.SetCell(0, 1, "1");
    matrix.SetCell(1, 2, "0.6666666667");
    matrix.SetCell(1, 3, "0.3333333333");
    matrix.SetCell(2, 3, "1");
    matrix.SetCell(3, 0, "0.75");
    matrix.SetCell(3, 1, "0.25");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

// Fixed and varied runs, as report and as JSON, give the same output for both files; the JSON
// file is named without a suffix, since its content tells what it is.
TEST(CalculatorNetworkJsonTest, HandWrittenJsonComputesAsTheNetworkBuiltThroughTheModel) {
    test::WriteText("hand-written", HandWritten);
    SaveModelBuilt("model-built.qnf");
    const std::vector<std::vector<std::string>> runs = {
        {},
        {"--json"},
        {"--json", "--steps", "4", "--vary-channels", "2=1:4", "--vary-input-rate", "0.5:1"},
    };
    for (const auto& options : runs) {
        std::vector<std::string> fromJson{"hand-written"}, fromModel{"model-built.qnf"};
        fromJson.insert(fromJson.end(), options.begin(), options.end());
        fromModel.insert(fromModel.end(), options.begin(), options.end());
        const test::CalculatorResult json = Calc(fromJson), model = Calc(fromModel);
        EXPECT_EQ(json.code, ExitCompleted) << json.err;
        EXPECT_EQ(json.err, model.err);
        EXPECT_EQ(json.out, model.out);
        EXPECT_GT(json.out.size(), 500u);
    }
    const auto steps = nlohmann::json::parse(Calc({"hand-written", "--json"}).out)["steps"];
    ASSERT_EQ(steps.size(), 1u);
}

// .qnf -> JSON gives the shipped example byte for byte, JSON -> .qnf gives back every byte
// that carries the network; both quietly, with status 0.
TEST(CalculatorNetworkJsonTest, ExportNetworkConvertsBothWays) {
    const std::string qnf = test::ModelPath("three-kinds.qnf");
    const test::CalculatorResult toJson = Calc({qnf, "--export-network", "three-kinds.json"});
    EXPECT_EQ(toJson.code, ExitCompleted) << toJson.err;
    EXPECT_EQ(toJson.out + toJson.err, "");
    EXPECT_EQ(FileBytes("three-kinds.json"), FileBytes(test::ModelPath("three-kinds.json")));

    const test::CalculatorResult toQnf = Calc({"three-kinds.json", "--export-network", "back"});
    EXPECT_EQ(toQnf.code, ExitCompleted) << toQnf.err;
    EXPECT_EQ(toQnf.out + toQnf.err, "");
    const NetworkImage back = test::ImageOf(FileBytes("back"));
    ASSERT_EQ(back.size(), 564160u);
    EXPECT_EQ(test::MeaningfulBytes(back), test::MeaningfulBytes(test::ImageOf(FileBytes(qnf))));
}

struct ExportCase {
    std::vector<std::string> Args;
    int Code;
    std::string Err;
};

// Every refusal leaves the target unwritten: usage errors with status 2, files with 1.
TEST(CalculatorNetworkJsonTest, ExportRefusalsSayWhyAndWriteNothing) {
    ASSERT_EQ(Calc({test::ModelPath("three-kinds.qnf"), "--export-network", "three.json"}).code,
              ExitCompleted);
    std::filesystem::copy_file(test::ModelPath("three-kinds.qnf"), "three.qnf");
    test::WriteText("bad.json", R"({"format": {"name": "qnetica-network", "version": 1},
        "input_rate": 1, "qs": [{"service_time": 1, "channels": 0}]})");
    const std::string help = "\nTry 'qnetica-calc --help'.\n";
    const ExportCase cases[] = {
        {{"three.qnf", "--export-network", "out.json", "--json"},
         ExitUsage,
         "qnetica-calc: --export-network converts the network and computes nothing: leave out "
         "--json" +
             help},
        {{"three.qnf", "--vary-service", "1=1:2", "--export-network", "out.json"},
         ExitUsage,
         "qnetica-calc: --export-network converts the network and computes nothing: leave out "
         "--vary-service" +
             help},
        {{"three.qnf", "--export-network", ""},
         ExitUsage,
         "qnetica-calc: --export-network: the file name is empty" + help},
        {{"three.qnf", "--export-network", "out.qnf"},
         ExitUsage,
         "qnetica-calc: --export-network: 'out.qnf' would get JSON, the other form of a .qnf "
         "FILE; name it *.json" +
             help},
        {{"three.json", "--export-network", "out.JSON"},
         ExitUsage,
         "qnetica-calc: --export-network: 'out.JSON' would get a .qnf image, the other form of a "
         "JSON FILE; name it *.qnf" +
             help},
        {{"three.qnf", "--export-network", "./three.qnf"},
         ExitUsage,
         "qnetica-calc: --export-network: './three.qnf' is FILE itself" + help},
        {{"missing.qnf", "--export-network", "out.json"},
         ExitFailed,
         "qnetica-calc: Не удалось открыть файл \"missing.qnf\": No such file or directory\n"},
        {{"three.qnf", "--export-network", "no-folder/out.json"},
         ExitFailed,
         "qnetica-calc: Не удалось сохранить файл \"no-folder/out.json\": No such file or "
         "directory\n"},
        {{"bad.json", "--export-network", "out.qnf"},
         ExitFailed,
         "qnetica-calc: Файл \"bad.json\" не является файлом сети или поврежден: "
         "qs[1].channels: expected a whole number >= 1, got 0.\n"},
    };
    const std::string threeQnf = FileBytes("three.qnf");
    for (const ExportCase& refused : cases) {
        const test::CalculatorResult result = Calc(refused.Args);
        EXPECT_EQ(result.code, refused.Code) << refused.Err;
        EXPECT_EQ(result.err, refused.Err);
        EXPECT_EQ(result.out, "");
        for (const char* target : {"out.json", "out.qnf", "out.JSON"})
            EXPECT_FALSE(std::filesystem::exists(target)) << target;
    }
    EXPECT_EQ(FileBytes("three.qnf"), threeQnf);
}

}  // namespace
}  // namespace qnetica
