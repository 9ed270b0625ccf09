#pragma once

#include <string>
#include <vector>

#include "model/NetworkModel.h"

namespace qnetica {

// One change of the network as the user made it, both ways: every part that it altered, as it
// was before and after. Results of calculations are not part of a change: they are outputs.
struct NetworkChange {
    struct Slot {
        int K = 0;
        QsParams Before;
        QsParams After;
    };
    struct Cell {
        int From = 0;
        int To = 0;
        std::string Before;
        std::string After;
    };
    template <typename T>
    struct Both {
        T Before{};
        T After{};
    };

    std::string What;  // for the undo command, e.g. "добавление СМО"
    std::vector<Slot> Slots;
    std::vector<Cell> Cells;
    Both<int> NodeCount;
    Both<double> InputRate;
    Both<std::string> InputRateText;
    Both<int> SourceX;
    Both<int> SourceY;
};

// The network as it was after the last recorded change, kept to find what the next one altered.
class NetworkBaseline {
  public:
    explicit NetworkBaseline(const NetworkModel& model) { Reset(model); }

    // Forgets the past: the network as it is now is where the next change starts.
    void Reset(const NetworkModel& model);
    // What altered since the baseline, which then follows the model; empty parts when nothing.
    NetworkChange TakeChange(const NetworkModel& model, std::string what);
    static bool IsEmpty(const NetworkChange& change);

  private:
    NetworkContent content_;
    std::string inputRateText_;
};

// The change moved symbols or renamed QS and nothing else: the results of a calculation before
// it still belong to the network.
bool LeavesResults(const NetworkChange& change);

enum class ChangeDirection { Undo, Redo };

// Puts the network back to the state before (Undo) or after (Redo) the change. The model's
// listeners hear of the nodes and cells as when a file is opened; results stay as they are.
void ApplyChange(NetworkModel& model, const NetworkChange& change, ChangeDirection direction);

}  // namespace qnetica
