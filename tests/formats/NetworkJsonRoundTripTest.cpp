// .qnf -> JSON -> .qnf keeps every byte that carries the network, JSON -> .qnf -> JSON gives
// the same text; compared through the image's byte layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include <nlohmann/json.hpp>

#include "FormatsTestSupport.h"
#include "formats/NetworkJson.h"
#include "model/NumberText.h"

namespace qnetica {
namespace {

using namespace test;

// Every byte of a JSON-made image outside the network's pieces is zero, but the channel count
// of a free slot, which is 1 as in a new network.
void ExpectZeroOutsideTheNetwork(NetworkImage image) {
    std::int32_t nodes = 0;
    std::memcpy(&nodes, &image[564144], 4);
    for (const Piece& piece : MeaningfulPieces(image))
        std::fill_n(image.begin() + piece.Offset, piece.Size, 0);
    for (int k = nodes; k <= 151; ++k) {
        EXPECT_EQ(image[(k - 1) * 544 + 100], 1) << "channels of free slot " << k;
        image[(k - 1) * 544 + 100] = 0;
    }
    const auto nonZero = std::find_if(image.begin(), image.end(), [](auto b) { return b != 0; });
    EXPECT_EQ(nonZero, image.end()) << "a byte without meaning at " << (nonZero - image.begin());
}

// The image through JSON and back, and the JSON through the image and back.
void ExpectRoundTrips(const NetworkImage& original, const std::string& label) {
    SCOPED_TRACE(label);
    auto content = ReadNetworkImage(original);
    ASSERT_TRUE(std::holds_alternative<NetworkContent>(content));
    const std::string json = WrittenJson(std::get<NetworkContent>(content));
    auto read = ReadNetworkJson(json);
    ASSERT_TRUE(std::holds_alternative<NetworkContent>(read)) << json.substr(0, 200);
    const NetworkImage image = ImageOfContent(std::move(std::get<NetworkContent>(read)));
    EXPECT_EQ(MeaningfulBytes(image), MeaningfulBytes(original));
    ExpectZeroOutsideTheNetwork(image);
    EXPECT_EQ(WrittenJson(std::get<NetworkContent>(ReadNetworkImage(image))), json);
}

TEST(NetworkJsonRoundTripTest, ExampleNetworksKeepTheirBytesAndTheShippedJsonIsTheExporters) {
    for (const char* name : {"single-qs", "three-kinds"}) {
        const NetworkImage image = ImageOf(FileBytes(ModelPath(std::string(name) + ".qnf")));
        ASSERT_EQ(image.size(), 564160u) << name;
        ExpectRoundTrips(image, name);
    }
    const auto threeKinds = ReadNetworkImage(ImageOf(FileBytes(ModelPath("three-kinds.qnf"))));
    EXPECT_EQ(WrittenJson(std::get<NetworkContent>(threeKinds)),
              FileBytes(ModelPath("three-kinds.json")));
}

// Cell texts of every sort: numbers that JSON writes alike, texts it must keep as they are.
std::string RandomCellText(std::mt19937& random) {
    std::uniform_real_distribution<double> share(0, 1);
    const double x = share(random);
    switch (random() % 10) {
        case 0:
            return FormatFixed(x);  // "0.4170220047"
        case 1:
            return nlohmann::json(x).dump();  // shortest: a number
        case 2:
            return std::to_string(random() % 3);  // "0", "1", "2"
        case 3:
            return ".5";
        case 4:
            return " 0.25";
        case 5:
            return "1e-3";
        case 6:
            return "-0";
        case 7:
            return "2.0";
        case 8:
            return "0.3333333333";
        default:
            return FormatFixed(x * 1e8).substr(0, 20);  // 20 characters
    }
}

std::string RandomName(std::mt19937& random) {
    static const char* const letters[] = {"A", "z", "7", " ", "Ж", "ё", "Щ", "№", "-", "я"};
    std::string name;
    for (unsigned i = random() % 11; i > 0; --i) name += letters[random() % 10];
    return name;
}

// Kinds in turn: plain, bounded, priority, both marks, plain keeping places and classes of an
// earlier kind, priority without classes.
void FillQs(QsParams& qs, int k, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> position(-50, 2000);
    qs.Name = RandomName(random);
    qs.ServiceTime = unit(random) * 3;
    qs.Channels = 1 + static_cast<int>(random() % 12);
    qs.PosX = position(random);
    qs.PosY = position(random);
    const int kind = k % 6;
    qs.BoundedQueue = kind == 1 || kind == 3;
    qs.RelativePriority = kind == 2 || kind == 3 || kind == 5;
    if (kind == 1 || kind == 3 || kind == 4) qs.QueuePlaces = static_cast<int>(random() % 40);
    if (kind == 2 || kind == 3 || kind == 4) {
        qs.PriorityClasses = 1 + static_cast<int>(random() % 50);
        for (int j = 1; j <= qs.PriorityClasses; ++j) qs.ClassShare(j) = unit(random);
    }
}

TEST(NetworkJsonRoundTripTest, RandomNetworkOf150QsOfEveryKindKeepsItsBytes) {
    std::mt19937 random(20240521);
    NetworkModel model;
    for (int k = 1; k <= 150; ++k) {
        ASSERT_TRUE(model.AddNode());
        FillQs(model.Qs(k), k, random);
    }
    for (int from = 0; from <= 150; ++from)
        for (int to = 0; to <= 150; ++to)
            if (random() % 3 == 0) model.Matrix().SetCell(from, to, RandomCellText(random));
    model.SetInputRate(std::uniform_real_distribution<double>(0, 100)(random));
    model.SetSourcePos(-7, 1333);
    ExpectRoundTrips(BuildNetworkImage(model), "150 QS");
}

// A QS or the source without a position: the source at the middle of the left edge, the QS in
// rows of 22, 80 pixels apart from (60, 10); all 150 apart from each other and on the scheme.
TEST(NetworkJsonRoundTripTest, MissingPositionsTakeTheDefaultLayout) {
    std::string qs;
    for (int k = 1; k <= 150; ++k)
        qs += std::string(k > 1 ? "," : "") + R"({"service_time": 1, "channels": 1})";
    auto read = ReadNetworkJson(R"({"format": {"name": "qnetica-network", "version": 1},
        "input_rate": 1, "qs": [)" +
                                qs + "]}");
    ASSERT_TRUE(std::holds_alternative<NetworkContent>(read));
    const NetworkContent& content = std::get<NetworkContent>(read);
    EXPECT_EQ(content.SourcePosX, 0);
    EXPECT_EQ(content.SourcePosY, 1334 / 2);
    const std::pair<int, std::pair<int, int>> expected[] = {
        {1, {60, 10}}, {22, {1740, 10}}, {23, {60, 90}}, {150, {1420, 490}}};
    for (const auto& [k, at] : expected) {
        EXPECT_EQ(content.Slots[k - 1].PosX, at.first) << k;
        EXPECT_EQ(content.Slots[k - 1].PosY, at.second) << k;
    }
    std::set<std::pair<int, int>> places;
    for (int k = 1; k <= 150; ++k) {
        const QsParams& slot = content.Slots[k - 1];
        EXPECT_TRUE(places.insert({slot.PosX, slot.PosY}).second) << k;
        EXPECT_TRUE(slot.PosX >= 0 && slot.PosX + 30 <= 1858 && slot.PosY + 30 <= 1334) << k;
    }
}

}  // namespace
}  // namespace qnetica
