#include <gtest/gtest.h>

#include <array>
#include <string>

#include "TwoQsNetwork.h"
#include "runs/ResultTables.h"

namespace qnetica {
namespace {

TEST(ResultTablesTest, OverloadedQsShowsNumberFlowAndLoadOnly) {
    test::TwoQsNetwork network;
    network.LoadStep1();
    network.LoadStep2();
    ResultTables tables;
    tables.FillResultTables(network.model, network.context, network.totals);

    const std::array<std::string, 9> overloaded = {
        "2", "", "1.0000000000", "1.0000000000", "", "", "", "", ""};
    EXPECT_EQ(tables.QsTable[2], overloaded);
    EXPECT_EQ(tables.QsTable[1][1], "1.0000000000");
    EXPECT_EQ(tables.NetworkTable[0][0], "Сеть перегружена, инт. вх. потока:");
    EXPECT_EQ(tables.NetworkTable[0][1], "1.0000000000");
    EXPECT_EQ(tables.NetworkTable[1][1], "0.8333333333");
}

// A bounded-queue QS may carry a/n >= 1 and still be computed; only the engine's verdict counts.
TEST(ResultTablesTest, LoadOfOneIsNotOverloadedUnlessTheEngineSaysSo) {
    test::TwoQsNetwork network;
    network.LoadStep1();
    network.model.Qs(1).BoundedQueue = true;
    network.model.Qs(1).Results.OfferedLoad = 3;
    ResultTables tables;
    tables.FillResultTables(network.model, network.context, network.totals);
    EXPECT_EQ(tables.QsTable[1][3], "1.5000000000");
    EXPECT_EQ(tables.QsTable[1][4], "3.0000000000");
    EXPECT_EQ(tables.QsTable[1][5], "0.5333333333");
    EXPECT_EQ(tables.NetworkTable[0][0], "Интенсивность входящего потока: ");
}

TEST(ResultTablesTest, LoadColumnIsPerChannelAlsoForARelativePriorityQs) {
    test::TwoQsNetwork network;
    network.LoadStep1();
    network.model.Qs(2).Channels = 4;
    network.model.Qs(2).Results.LoadFactor = 0.5;  // the sum of the class loads
    ResultTables tables;
    tables.FillResultTables(network.model, network.context, network.totals);
    EXPECT_EQ(tables.QsTable[2][3], "0.1250000000");
    const std::array<std::string, 4> source = {"2", "Приоритет", "1.0000000000", "4"};
    EXPECT_EQ(tables.SourceTable[2], source);
}

}  // namespace
}  // namespace qnetica
