#include <gtest/gtest.h>

#include <vector>

#include "model/NetworkModel.h"

namespace qnetica {
namespace {

struct RecordingListener : NetworkModelListener {
    int nodeListChanges = 0;
    std::vector<bool> modifiedChanges;
    std::vector<std::string> inputRateTexts;
    void NodeListChanged() override { ++nodeListChanges; }
    void ModifiedChanged(bool modified) override { modifiedChanges.push_back(modified); }
    void InputRateTextChanged(const std::string& text) override { inputRateTexts.push_back(text); }
};

TEST(NetworkModelTest, StartsEmptyWithOneChannelEverywhere) {
    NetworkModel model;
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_EQ(model.NodeLabels(), std::vector<std::string>{"S0"});
    EXPECT_FALSE(model.Modified());
    EXPECT_FALSE(model.Generated());
    EXPECT_EQ(model.InputRate(), 0);
    for (int k = 1; k <= SlotCount; ++k) {
        EXPECT_EQ(model.Qs(k).Channels, 1);
        EXPECT_EQ(model.Qs(k).ServiceTime, 0);
    }
    EXPECT_TRUE(model.Matrix().Cell(150, 150).empty());
}

TEST(NetworkModelTest, AddAndRemoveKeepLabelsAndEmptyTheRemovedNode) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.Qs(2).ServiceTime = 3;
    model.Qs(2).Channels = 4;
    model.Qs(2).Name = "Касса";
    model.Qs(2).QueuePlaces = 7;
    model.Matrix().SetCell(2, 0, "1");
    model.Matrix().SetCell(0, 2, "0.5");
    model.Matrix().SetCell(1, 2, "0.5");
    model.Matrix().SetCell(2, 2, "x");
    model.Matrix().SetCell(1, 1, "kept");
    model.SetModified(false);

    ASSERT_TRUE(model.RemoveLastNode());
    EXPECT_EQ(model.NodeLabels(), (std::vector<std::string>{"S0", "S1"}));
    EXPECT_TRUE(model.Modified());
    for (int other = 0; other <= 2; ++other) {
        EXPECT_TRUE(model.Matrix().Cell(2, other).empty());
        EXPECT_TRUE(model.Matrix().Cell(other, 2).empty());
    }
    EXPECT_EQ(model.Matrix().Cell(1, 1), "kept");
    EXPECT_EQ(model.Qs(2).ServiceTime, 0);
    EXPECT_EQ(model.Qs(2).Channels, 1);
    EXPECT_EQ(model.Qs(2).Name, "");
    EXPECT_EQ(model.Qs(2).QueuePlaces, 7);  // only three fields are reset
}

TEST(NetworkModelTest, RemoveWithOnlyTheOutsideNodeDoesNothing) {
    NetworkModel model;
    RecordingListener listener;
    model.AddListener(&listener);
    EXPECT_FALSE(model.RemoveLastNode());
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(listener.nodeListChanges, 0);
    model.RemoveListener(&listener);
}

TEST(NetworkModelTest, RefusesTheHundredFiftyFirstQs) {
    NetworkModel model;
    for (int i = 0; i < 150; ++i) ASSERT_TRUE(model.AddNode());
    EXPECT_EQ(model.NodeCount(), MaxNodeCount);
    model.SetModified(false);
    EXPECT_FALSE(model.AddNode());
    EXPECT_EQ(model.NodeCount(), MaxNodeCount);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(model.NodeLabels().back(), "S150");
}

TEST(NetworkModelTest, ClearKeepsSlotFlagsAndPositionsForTheNextQs) {
    NetworkModel model;
    model.AddNode();
    QsParams& slot = model.Qs(1);
    slot.ServiceTime = 2;
    slot.Channels = 3;
    slot.Name = "Узел";
    slot.BoundedQueue = true;
    slot.QueuePlaces = 5;
    slot.PriorityClasses = 2;
    slot.ClassShare(1) = 0.25;
    slot.PosX = 120;
    slot.PosY = 80;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(150, 150, "far");
    model.SetInputRate(4);
    model.SetInputRateText("4");

    int hookNodeCount = 0;
    int nodeCountSeenByHook = 0;
    model.SetClearHook([&](int nodeCount) {
        hookNodeCount = nodeCount;
        nodeCountSeenByHook = model.NodeCount();
    });
    model.Clear();
    EXPECT_EQ(hookNodeCount, 2);
    EXPECT_EQ(nodeCountSeenByHook, 2);  // the plan is reset before the node count changes
    EXPECT_EQ(model.NodeCount(), 1);
    EXPECT_EQ(model.InputRate(), 0);
    EXPECT_EQ(model.InputRateText(), "");
    EXPECT_FALSE(model.Modified());
    EXPECT_TRUE(model.Matrix().Cell(0, 1).empty());
    EXPECT_TRUE(model.Matrix().Cell(150, 150).empty());

    model.AddNode();
    EXPECT_EQ(slot.ServiceTime, 0);
    EXPECT_EQ(slot.Channels, 1);
    EXPECT_EQ(slot.Name, "");
    EXPECT_TRUE(slot.BoundedQueue);
    EXPECT_EQ(slot.QueuePlaces, 5);
    EXPECT_EQ(slot.PriorityClasses, 2);
    EXPECT_EQ(slot.ClassShare(1), 0.25);
    EXPECT_EQ(slot.PosX, 120);
    EXPECT_EQ(slot.PosY, 80);
}

TEST(NetworkModelTest, InputRateTextMarksModifiedOnlyWhenItChanges) {
    NetworkModel model;
    RecordingListener listener;
    model.AddListener(&listener);
    model.SetInputRateText("");
    EXPECT_FALSE(model.Modified());
    model.SetInputRateText("0.5");
    EXPECT_TRUE(model.Modified());
    model.SetModified(false);
    model.SetInputRateText("0.5");
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(listener.inputRateTexts, std::vector<std::string>{"0.5"});
    EXPECT_EQ(listener.modifiedChanges, (std::vector<bool>{true, false}));
    model.RemoveListener(&listener);
}

TEST(NetworkModelTest, ListenersHearNodeListChanges) {
    NetworkModel model;
    RecordingListener listener;
    model.AddListener(&listener);
    model.AddNode();
    model.AddNode();
    model.RemoveLastNode();
    model.Clear();
    EXPECT_EQ(listener.nodeListChanges, 4);
    model.RemoveListener(&listener);
    model.AddNode();
    EXPECT_EQ(listener.nodeListChanges, 4);
}

}  // namespace
}  // namespace qnetica
