#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/QsParams.h"
#include "model/TextConcat.h"
#include "model/TransferMatrix.h"

namespace qnetica {

inline constexpr int MaxNodeCount = 151;  // "S0" and at most 150 QS
inline constexpr int SlotCount = 151;     // slot 151 exists but no QS uses it

// Whatever the windows show of the model; every callback has an empty default.
class NetworkModelListener {
  public:
    virtual ~NetworkModelListener() = default;
    virtual void NodeListChanged() {}
    virtual void ModifiedChanged(bool /*modified*/) {}
    virtual void InputRateTextChanged(const std::string& /*text*/) {}
    virtual void MatrixReplaced() {}  // many cells changed at once (Clear, Open, random fill)
};

// Everything that a network file holds.
struct NetworkContent {
    std::array<QsParams, SlotCount> Slots{};
    TransferMatrix Matrix;
    double InputRate = 0;
    std::int32_t NodeCount = 1;
    std::int32_t SourcePosX = 0;
    std::int32_t SourcePosY = 0;
};

// The one network the program works on. It is cleared and reloaded in place, never re-created.
class NetworkModel {
  public:
    NetworkModel();
    NetworkModel(const NetworkModel&) = delete;
    NetworkModel& operator=(const NetworkModel&) = delete;

    static std::string NodeLabel(int node) { return Concat({"S", std::to_string(node)}); }

    QsParams& Qs(int k) { return content_.Slots[k - 1]; }  // k = 1..151
    const QsParams& Qs(int k) const { return content_.Slots[k - 1]; }
    TransferMatrix& Matrix() { return content_.Matrix; }  // cells change through SetCell
    const TransferMatrix& Matrix() const { return content_.Matrix; }
    const NetworkContent& Content() const { return content_; }

    int NodeCount() const { return content_.NodeCount; }
    int QsCount() const { return content_.NodeCount - 1; }
    std::vector<std::string> NodeLabels() const;

    double InputRate() const { return content_.InputRate; }
    void SetInputRate(double rate) { content_.InputRate = rate; }
    int SourcePosX() const { return content_.SourcePosX; }
    int SourcePosY() const { return content_.SourcePosY; }
    void SetSourcePos(int x, int y);

    // The text of the input-rate field; a different text marks the network modified.
    const std::string& InputRateText() const { return inputRateText_; }
    void SetInputRateText(const std::string& text);

    bool Modified() const { return modified_; }
    void SetModified(bool modified);
    bool Generated() const { return generated_; }
    void SetGenerated(bool generated) { generated_ = generated; }

    void ResetSlot(int k);
    bool AddNode();         // false when the network already has 150 QS
    bool RemoveLastNode();  // false when there is no QS to remove
    void Clear();
    void Restore(NetworkContent&& content);  // after Clear: takes over an opened file
    void NotifyMatrixReplaced();
    // Sets the node count alone, for an undo or redo that puts the slots and cells back itself.
    void ResizeTo(int nodeCount);

    // Called by Clear with the node count of the network being discarded, before it changes.
    void SetClearHook(std::function<void(int nodeCount)> hook) { clearHook_ = std::move(hook); }
    void AddListener(NetworkModelListener* listener);
    void RemoveListener(NetworkModelListener* listener);

  private:
    void SetNodeCount(int count);
    template <typename Call>
    void Notify(Call call);

    NetworkContent content_;
    std::string inputRateText_;
    bool modified_ = false;
    bool generated_ = false;
    std::function<void(int)> clearHook_;
    std::vector<NetworkModelListener*> listeners_;
};

}  // namespace qnetica
