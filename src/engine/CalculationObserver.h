#pragma once

#include <string>

namespace qnetica {

enum class MessageKind { Plain, Error, Information };

// How a calculation talks to the user. Each call returns only when the user has answered,
// exactly as a modal message box would; the core itself never shows anything.
class CalculationObserver {
  public:
    virtual ~CalculationObserver() = default;
    virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
    // The progress gauge's new value; the window repaints it at once.
    virtual void SetProgress(int value) = 0;
};

}  // namespace qnetica
