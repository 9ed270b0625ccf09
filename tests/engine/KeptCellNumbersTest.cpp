#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "EngineTestSupport.h"
#include "model/NetworkFile.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::RecordedMessage;

// A step reads the numbers that the matrix keeps from earlier steps. After the cells change it
// must give the bits of a network whose matrix reads every text afresh (that every way a cell
// changes renews its number is model/TransferMatrixTest.cpp's).
class KeptCellNumbersTest : public test::ScratchFolderTest {};

// The random fill's full network with every kind of QS; the service times are cut so that most
// QS are not overloaded.
void FillMixedNetwork(NetworkModel& model, RandomGenerator& random) {
    while (model.AddNode()) {
    }
    RandomFill(model, random, 800, 600);
    for (int k = 1; k < model.NodeCount(); ++k) {
        QsParams& qs = model.Qs(k);
        qs.ServiceTime *= 0.3;
        qs.BoundedQueue = k % 3 == 1;
        qs.QueuePlaces = k % 7 + 1;
        qs.RelativePriority = k % 3 == 2;
        qs.PriorityClasses = 3;
        qs.ClassShares = {0.2, 0.3, 0.5};
    }
}

// The same network in a model whose matrix has read none of its texts.
void CopyUnread(const NetworkModel& from, NetworkModel& to) {
    NetworkContent content;
    content.Slots = from.Content().Slots;
    for (int row = 0; row < TransferMatrix::Size; ++row)
        for (int column = 0; column < TransferMatrix::Size; ++column)
            content.Matrix.SetCell(row, column, from.Matrix().Cell(row, column));
    content.InputRate = from.InputRate();
    content.NodeCount = from.NodeCount();
    to.Clear();
    to.Restore(std::move(content));
}

struct StepBits {
    bool Completed = false;
    std::vector<RecordedMessage> Messages;
    std::vector<QsResults> Results;
    NetworkTotals Totals;
    StepSnapshot Snapshots;
};

StepBits CalculateStep(NetworkModel& model) {
    CommandRun run(true);
    StepBits bits;
    bits.Completed = run.Step(model).Completed;
    bits.Messages = run.Observer.Messages;
    for (int k = 1; k < model.NodeCount(); ++k) bits.Results.push_back(model.Qs(k).Results);
    bits.Totals = run.Engine.Totals();
    bits.Snapshots = run.Engine.Snapshots();
    return bits;
}

void ExpectSameBits(const StepBits& kept, const StepBits& fresh) {
    EXPECT_EQ(kept.Completed, fresh.Completed);
    EXPECT_EQ(kept.Messages, fresh.Messages);
    ASSERT_EQ(kept.Results.size(), fresh.Results.size());
    for (std::size_t k = 0; k < kept.Results.size(); ++k)
        EXPECT_EQ(std::memcmp(&kept.Results[k], &fresh.Results[k], sizeof(QsResults)), 0)
            << "QS " << k + 1;
    EXPECT_EQ(std::memcmp(&kept.Totals, &fresh.Totals, sizeof(NetworkTotals)), 0);
    EXPECT_EQ(std::memcmp(&kept.Snapshots, &fresh.Snapshots, sizeof(StepSnapshot)), 0);
}

TEST_F(KeptCellNumbersTest, StepsGiveTheBitsOfANetworkReadAfresh) {
    struct Change {
        const char* name;
        std::function<void(NetworkModel&)> apply;
    };
    const Change changes[] = {
        {"as filled", [](NetworkModel&) {}},
        {"two cells of a row swapped",
         [](NetworkModel& m) {
             const std::string first = m.Matrix().Cell(5, 0);
             m.Matrix().SetCell(5, 0, m.Matrix().Cell(5, 7));
             m.Matrix().SetCell(5, 7, first);
         }},
        {"a cell that is no number", [](NetworkModel& m) { m.Matrix().SetCell(9, 9, "0,1,2"); }},
        {"last QS removed and added again",
         [](NetworkModel& m) {
             m.RemoveLastNode();
             m.AddNode();
         }},
        {"another network opened",
         [](NetworkModel& m) {
             NetworkModel other;
             RandomGenerator random;
             random.NextInt(5);
             FillMixedNetwork(other, random);
             auto content = std::get<NetworkContent>(ReadNetworkImage(BuildNetworkImage(other)));
             m.Clear();
             m.Restore(std::move(content));
         }},
    };
    NetworkModel kept;
    RandomGenerator random;
    FillMixedNetwork(kept, random);
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.apply(kept);
        NetworkModel fresh;
        CopyUnread(kept, fresh);
        const StepBits keptBits = CalculateStep(kept);
        ExpectSameBits(keptBits, CalculateStep(fresh));
    }
}

}  // namespace
}  // namespace qnetica
