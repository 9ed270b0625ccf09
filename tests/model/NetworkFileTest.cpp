#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "model/Cp1251.h"
#include "model/NetworkFile.h"
#include "model/NumberText.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;
using namespace file_layout;

template <typename T>
T At(const NetworkImage& image, std::size_t offset) {
    T value{};
    std::memcpy(&value, &image[offset], sizeof value);
    return value;
}

template <typename T>
void Put(NetworkImage& image, std::size_t offset, T value) {
    std::memcpy(&image[offset], &value, sizeof value);
}

std::string ShortStringAt(const NetworkImage& image, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(&image[offset + 1]), image[offset]);
}

NetworkImage ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return NetworkImage(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const NetworkImage& image) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
}

class NetworkFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::current_path() / ("qnf-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// A network that uses every kind of field, with texts in both alphabets.
void FillRichNetwork(NetworkModel& model) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> real(-1e6, 1e6);
    for (int i = 0; i < 4; ++i) model.AddNode();
    model.SetInputRate(12.5);
    model.SetSourcePos(33, 44);
    for (int k = 1; k <= SlotCount; ++k) {
        QsParams& slot = model.Qs(k);
        slot.ServiceTime = real(random);
        slot.Results.ArrivalRate = real(random);
        slot.Results.OfferedLoad = real(random);
        slot.Results.QueueLength = real(random);
        slot.Results.InSystem = real(random);
        slot.Results.WaitTime = real(random);
        slot.Results.SojournTime = real(random);
        slot.Results.LoadFactor = real(random);
        slot.Results.IdleProbability = real(random);
        slot.Results.TransferCoefficient = real(random);
        slot.BoundedQueue = k % 3 == 0;
        slot.RelativePriority = k % 3 == 1;
        slot.Channels = k;
        slot.PosX = 10 * k;
        slot.PosY = -k;
        slot.QueuePlaces = 100 + k;
        slot.PriorityClasses = k % 51;
        for (int c = 1; c <= MaxPriorityClasses; ++c) slot.ClassShare(c) = real(random);
        slot.Name =
            k % 2 ? Concat({"Касса №", std::to_string(k % 100)}) : Concat({"Q", std::to_string(k)});
    }
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to)
            model.Matrix().SetCell(
                from, to,
                (from + to) % 5 == 0 ? ""
                                     : "ячейка " + std::to_string(from) + "-" + std::to_string(to));
}

TEST_F(NetworkFileTest, FieldsLieAtTheirOffsets) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.SetInputRate(2.5);
    model.SetSourcePos(-7, 1300);
    model.Qs(2).Channels = 7;
    model.Qs(2).ServiceTime = 0.75;
    model.Qs(2).QueuePlaces = 9;
    model.Qs(2).PriorityClasses = 3;
    model.Qs(2).ClassShare(3) = 0.125;
    model.Qs(2).RelativePriority = true;
    model.Qs(2).PosX = 640;
    model.Qs(2).PosY = 480;
    model.Qs(2).Name = "АБВ";
    model.Qs(2).Results.LoadFactor = 0.875;
    model.Matrix().SetCell(1, 2, "0.5");
    model.Matrix().SetCell(150, 0, "end");

    const NetworkImage image = BuildNetworkImage(model);
    ASSERT_EQ(image.size(), 564160u);
    EXPECT_EQ(At<double>(image, 564136), 2.5);
    EXPECT_EQ(At<std::int32_t>(image, 564144), 3);
    EXPECT_EQ(At<std::int32_t>(image, 564148), -7);
    EXPECT_EQ(At<std::int32_t>(image, 564152), 1300);
    const std::size_t slot = (2 - 1) * 544;
    EXPECT_EQ(At<double>(image, slot + 0), 0.75);
    EXPECT_EQ(At<double>(image, slot + 72), 0.875);
    EXPECT_EQ(image[slot + 96], 0);
    EXPECT_EQ(image[slot + 97], 1);
    EXPECT_EQ(At<std::int32_t>(image, slot + 100), 7);
    EXPECT_EQ(At<std::int32_t>(image, slot + 104), 640);
    EXPECT_EQ(At<std::int32_t>(image, slot + 108), 480);
    EXPECT_EQ(At<std::int32_t>(image, slot + 112), 9);
    EXPECT_EQ(At<std::int32_t>(image, slot + 120), 3);
    EXPECT_EQ(At<double>(image, slot + 128 + 2 * 8), 0.125);
    EXPECT_EQ(ShortStringAt(image, slot + 528), "\xC0\xC1\xC2");
    EXPECT_EQ(ShortStringAt(image, 82144 + 2 * 3171 + 1 * 21), "0.5");
    EXPECT_EQ(ShortStringAt(image, 82144 + 0 * 3171 + 150 * 21), "end");
    EXPECT_EQ(At<std::int32_t>(image, 100), 1);  // slot 1 channels, untouched default
    // A model that started empty writes zeros in every reserved and padding byte.
    for (std::size_t offset : {16, 64, 98, 99, 116, 124, 127, 539, 543})
        EXPECT_EQ(image[slot + offset], 0) << offset;
}

TEST_F(NetworkFileTest, FullRoundTripKeepsEveryField) {
    NetworkModel original;
    FillRichNetwork(original);
    const std::string path = PathOf("rich.qnf");
    ASSERT_TRUE(SaveNetworkFile(original, path).Ok);
    EXPECT_EQ(fs::file_size(path), 564160u);

    NetworkModel opened;
    opened.AddNode();
    opened.SetModified(true);
    const FileResult result = OpenNetworkFile(opened, path);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_FALSE(opened.Modified());
    EXPECT_EQ(opened.NodeCount(), 5);
    EXPECT_EQ(opened.NodeLabels().back(), "S4");
    EXPECT_EQ(opened.InputRate(), 12.5);
    EXPECT_EQ(opened.InputRateText(), "12.5000000000");
    EXPECT_EQ(opened.SourcePosX(), 33);
    EXPECT_EQ(opened.SourcePosY(), 44);
    for (int k = 1; k <= SlotCount; ++k) {
        const QsParams& a = original.Qs(k);
        const QsParams& b = opened.Qs(k);
        EXPECT_EQ(b.ServiceTime, a.ServiceTime);
        EXPECT_EQ(b.Results.ArrivalRate, a.Results.ArrivalRate);
        EXPECT_EQ(b.Results.LoadFactor, a.Results.LoadFactor);
        EXPECT_EQ(b.Results.TransferCoefficient, a.Results.TransferCoefficient);
        EXPECT_EQ(b.Results.IdleProbability, a.Results.IdleProbability);
        EXPECT_EQ(b.BoundedQueue, a.BoundedQueue);
        EXPECT_EQ(b.RelativePriority, a.RelativePriority);
        EXPECT_EQ(b.Channels, a.Channels);
        EXPECT_EQ(b.PosX, a.PosX);
        EXPECT_EQ(b.PosY, a.PosY);
        EXPECT_EQ(b.QueuePlaces, a.QueuePlaces);
        EXPECT_EQ(b.PriorityClasses, a.PriorityClasses);
        EXPECT_EQ(b.ClassShares, a.ClassShares);
        EXPECT_EQ(b.Name, a.Name);
    }
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to)
            ASSERT_EQ(opened.Matrix().Cell(from, to), original.Matrix().Cell(from, to))
                << from << "," << to;
    // Saving what was opened gives the same bytes.
    EXPECT_EQ(BuildNetworkImage(opened), ReadBytes(path));
}

TEST_F(NetworkFileTest, ReservedBytesOfAnOpenedFileAreSavedBack) {
    NetworkModel model;
    NetworkImage image = BuildNetworkImage(model);
    std::mt19937 random(3);
    for (int k = 1; k <= SlotCount; ++k)
        for (std::size_t offset : {16, 20, 64, 70, 98, 99, 116, 119, 124, 127, 539, 543})
            image[SlotOffset(k) + offset] = static_cast<std::uint8_t>(random() % 255 + 1);
    const std::string path = PathOf("reserved.qnf");
    WriteBytes(path, image);
    ASSERT_TRUE(OpenNetworkFile(model, path).Ok);
    const NetworkImage saved = BuildNetworkImage(model);
    for (int k = 1; k <= SlotCount; ++k)
        EXPECT_EQ(0, std::memcmp(&saved[SlotOffset(k)], &image[SlotOffset(k)], SlotSize))
            << "slot " << k;
}

TEST_F(NetworkFileTest, EmptyNetworkRoundTrip) {
    NetworkModel model;
    const std::string path = PathOf("empty.qnf");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    NetworkModel opened;
    FillRichNetwork(opened);
    ASSERT_TRUE(OpenNetworkFile(opened, path).Ok);
    EXPECT_EQ(opened.NodeCount(), 1);
    EXPECT_EQ(opened.InputRate(), 0);
    EXPECT_EQ(opened.InputRateText(), "0.0000000000");
    EXPECT_FALSE(opened.Modified());
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to)
            ASSERT_TRUE(opened.Matrix().Cell(from, to).empty());
}

TEST_F(NetworkFileTest, LongTextsAreCutToTheirFieldsInCharacters) {
    NetworkModel model;
    model.AddNode();
    model.Matrix().SetCell(0, 1, "0123456789abcdefghijKLMNO");  // 25 characters
    model.Matrix().SetCell(1, 0, "ВероятностьПереходаИзУзла");  // 25 Cyrillic characters
    model.Qs(1).Name = "Обслуживание";                          // 12 characters
    const std::string path = PathOf("long.qnf");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    const NetworkImage image = ReadBytes(path);
    EXPECT_EQ(image[CellOffset(0, 1)], 20);
    EXPECT_EQ(image[SlotOffset(1) + 528], 10);
    NetworkModel opened;
    ASSERT_TRUE(OpenNetworkFile(opened, path).Ok);
    EXPECT_EQ(opened.Matrix().Cell(0, 1), "0123456789abcdefghij");
    EXPECT_EQ(opened.Matrix().Cell(1, 0), "ВероятностьПереходаИ");
    EXPECT_EQ(opened.Qs(1).Name, "Обслуживан");
}

TEST_F(NetworkFileTest, LongerFileIsReadUpToTheImage) {
    NetworkModel model;
    model.AddNode();
    model.SetInputRate(5);
    NetworkImage image = BuildNetworkImage(model);
    image.resize(image.size() + 1000, 0xAB);
    const std::string path = PathOf("longer.qnf");
    WriteBytes(path, image);
    NetworkModel opened;
    ASSERT_TRUE(OpenNetworkFile(opened, path).Ok);
    EXPECT_EQ(opened.NodeCount(), 2);
    EXPECT_EQ(opened.InputRateText(), "5.0000000000");
}

struct BadFile {
    const char* name;
    std::function<void(NetworkImage&)> spoil;
    const char* reason;
};

TEST_F(NetworkFileTest, RefusedFilesLeaveTheCurrentNetworkUntouched) {
    const BadFile cases[] = {
        {"short", [](NetworkImage& i) { i.resize(564159); }, "длина файла 564159 байт"},
        {"empty", [](NetworkImage& i) { i.clear(); }, "длина файла 0 байт"},
        {"nodes0", [](NetworkImage& i) { Put<std::int32_t>(i, NodeCountOffset, 0); },
         "число узлов сети 0"},
        {"nodes152", [](NetworkImage& i) { Put<std::int32_t>(i, NodeCountOffset, 152); },
         "число узлов сети 152"},
        {"nodesNegative", [](NetworkImage& i) { Put<std::int32_t>(i, NodeCountOffset, -5); },
         "число узлов сети -5"},
        {"name", [](NetworkImage& i) { i[SlotOffset(151) + 528] = 11; },
         "длина наименования СМО в записи 151 равна 11"},
        {"cell", [](NetworkImage& i) { i[CellOffset(150, 7)] = 21; }, "ячейки (S150, S7) равна 21"},
        {"cellMax", [](NetworkImage& i) { i[CellOffset(0, 0)] = 255; },
         "ячейки (S0, S0) равна 255"},
    };
    NetworkModel good;
    good.AddNode();
    const NetworkImage goodImage = BuildNetworkImage(good);
    for (const auto& c : cases) {
        NetworkImage image = goodImage;
        c.spoil(image);
        const std::string path = PathOf(std::string(c.name) + ".qnf");
        WriteBytes(path, image);

        NetworkModel current;
        FillRichNetwork(current);
        current.SetInputRateText("12.5");
        current.SetModified(true);
        const NetworkImage before = BuildNetworkImage(current);
        int hookCalls = 0;
        current.SetClearHook([&](int) { ++hookCalls; });

        const FileResult result = OpenNetworkFile(current, path);
        EXPECT_FALSE(result.Ok) << c.name;
        EXPECT_NE(result.Message.find(path), std::string::npos) << result.Message;
        EXPECT_NE(result.Message.find(c.reason), std::string::npos) << result.Message;
        EXPECT_EQ(BuildNetworkImage(current), before) << c.name;
        EXPECT_TRUE(current.Modified()) << c.name;
        EXPECT_EQ(current.InputRateText(), "12.5");
        EXPECT_EQ(hookCalls, 0) << c.name;
    }
}

TEST_F(NetworkFileTest, MissingFileIsReportedWithTheSystemText) {
    NetworkModel model;
    model.AddNode();
    const FileResult result = OpenNetworkFile(model, PathOf("absent.qnf"));
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("absent.qnf"), std::string::npos);
    EXPECT_NE(result.Message.find(std::strerror(ENOENT)), std::string::npos);
    EXPECT_EQ(model.NodeCount(), 2);
}

// Saving fails while writing: the file-size limit stops the write half way.
TEST_F(NetworkFileTest, FailedWriteKeepsTheOldFileAndModified) {
    NetworkModel model;
    model.AddNode();
    model.SetInputRate(3);
    const std::string path = PathOf("kept.qnf");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    const NetworkImage old = ReadBytes(path);

    model.AddNode();
    ASSERT_TRUE(model.Modified());
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const FileResult result = SaveNetworkFile(model, path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find(std::strerror(EFBIG)), std::string::npos) << result.Message;
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(ReadBytes(path), old);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++files;
    EXPECT_EQ(files, 1) << "the temporary file was left behind";
}

TEST_F(NetworkFileTest, SaveIntoAMissingFolderKeepsModified) {
    NetworkModel model;
    model.AddNode();
    const FileResult result = SaveNetworkFile(model, PathOf("no-such-folder/net.qnf"));
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Message.find("net.qnf"), std::string::npos);
    EXPECT_NE(result.Message.find(std::strerror(ENOENT)), std::string::npos);
    EXPECT_TRUE(model.Modified());
}

TEST_F(NetworkFileTest, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    NetworkModel model;
    model.AddNode();
    FileResult result;
    const std::string path = PathOf("locked.qnf");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    const NetworkImage old = ReadBytes(path);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    model.AddNode();
    result = SaveNetworkFile(model, path);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(ReadBytes(path), old);
}

TEST_F(NetworkFileTest, SaveReplacesAnExistingFileAndClearsModified) {
    NetworkModel model;
    const std::string path = PathOf("replaced.qnf");
    WriteBytes(path, NetworkImage(10, 1));
    model.AddNode();
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(ReadBytes(path), BuildNetworkImage(model));
}

}  // namespace
}  // namespace qnetica
