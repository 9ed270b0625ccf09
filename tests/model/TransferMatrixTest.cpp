#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>

#include "model/GenerateModel.h"
#include "model/NetworkFile.h"
#include "model/NetworkModel.h"
#include "model/NumberText.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

// The random fill's full network with a few texts that are no numbers, every number read once.
void PrepareReadNetwork(NetworkModel& model, RandomGenerator& random) {
    while (model.AddNode()) {
    }
    RandomFill(model, random, 800, 600);
    model.Matrix().SetCell(3, 4, "0,5,1");
    model.Matrix().SetCell(150, 0, "x");
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to) model.Matrix().Number(from, to);
}

// Every number the matrix keeps is, bit for bit, what its text reads as now.
void ExpectNumbersOfTheTexts(const TransferMatrix& matrix) {
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to) {
            const ParsedNumber kept = matrix.Number(from, to);
            const ParsedNumber read = ParseNumberChecked(matrix.Cell(from, to));
            ASSERT_EQ(std::bit_cast<std::uint64_t>(kept.Value),
                      std::bit_cast<std::uint64_t>(read.Value))
                << from << ", " << to << ": \"" << matrix.Cell(from, to) << "\"";
            ASSERT_EQ(kept.IsNumber, read.IsNumber) << from << ", " << to;
        }
}

// Another full network, for the ways that bring a whole matrix at once.
NetworkContent OtherNetworkContent() {
    NetworkModel other;
    RandomGenerator random;
    random.NextInt(7);
    PrepareReadNetwork(other, random);
    return std::get<NetworkContent>(ReadNetworkImage(BuildNetworkImage(other)));
}

TEST(TransferMatrixTest, EveryWayACellChangesRenewsItsNumber) {
    struct Case {
        const char* name;
        std::function<void(NetworkModel&)> change;
    };
    const Case cases[] = {
        {"cells typed",
         [](NetworkModel& m) {
             m.Matrix().SetCell(1, 2, "0.25");
             m.Matrix().SetCell(3, 4, "0.5");
             m.Matrix().SetCell(5, 6, "");
             m.Matrix().SetCell(7, 8, "abc");
         }},
        {"all cells emptied", [](NetworkModel& m) { m.Matrix().ClearAll(); }},
        {"network cleared", [](NetworkModel& m) { m.Clear(); }},
        {"last QS removed and added again",
         [](NetworkModel& m) {
             m.RemoveLastNode();
             m.AddNode();
         }},
        {"file opened",
         [](NetworkModel& m) {
             m.Clear();
             m.Restore(OtherNetworkContent());
         }},
        {"random fill again",
         [](NetworkModel& m) {
             RandomGenerator random;
             random.NextInt(3);
             RandomFill(m, random, 800, 600);
         }},
        {"network generated",
         [](NetworkModel& m) {
             m.Clear();
             GenerateModel(m, {"1", "0.1", "1", "7", 800, 600}, [](const std::string&) {});
         }},
        {"matrix swapped",
         [](NetworkModel& m) {
             TransferMatrix other = OtherNetworkContent().Matrix;
             m.Matrix().Swap(other);
             ExpectNumbersOfTheTexts(other);
         }},
        {"matrix copied, then the original typed into",
         [](NetworkModel& m) {
             const TransferMatrix copy = m.Matrix();
             m.Matrix().SetCell(0, 1, "0.125");
             ExpectNumbersOfTheTexts(copy);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkModel model;
        RandomGenerator random;
        PrepareReadNetwork(model, random);
        c.change(model);
        ExpectNumbersOfTheTexts(model.Matrix());
    }
}

}  // namespace
}  // namespace qnetica
