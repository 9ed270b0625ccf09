#pragma once

#include <cstddef>
#include <ostream>

#include "sim/SimulationProgress.h"

namespace qnetica {

// The progress of a simulation as one line on a terminal, rewritten in place: the events so
// far, the seconds and the widest relative half-width. The line is cleared when the object
// goes, so that what follows starts on a clean line.
class TerminalProgress : public sim::SimulationProgress {
  public:
    explicit TerminalProgress(std::ostream& terminal) : terminal_(terminal) {}
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void Report(const sim::ProgressReport& report) override;

  private:
    std::ostream& terminal_;
    std::size_t shown_ = 0;  // characters of the line on the terminal
};

}  // namespace qnetica
