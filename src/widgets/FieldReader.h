#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "model/NumberEntry.h"
#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

// Reads the numbers typed into a window's fields for one command, such as a dialog's "ОК".
// The first text that is refused is shown in an error box over the window, which names the
// field and quotes the text; the reads after it return nothing and show nothing, so the command
// asks Refused() and then stores nothing.
class FieldReader {
  public:
    FieldReader(PlatformDialogs& dialogs, QWidget* window) : dialogs_(&dialogs), window_(window) {}
    // A reader that shows nothing and reads every field: each text that is refused is merely
    // passed over, for a command that stores what it can (a cancelled dialog).
    static FieldReader Quiet() { return FieldReader(); }

    std::optional<NumberEntry> Number(const QString& field, const QString& text,
                                      EmptyEntry empty = EmptyEntry::Refused);
    std::optional<std::int32_t> Integer(const QString& field, const QString& text);
    // A refusal of the command's own (a range, a sum), shown like those of the texts.
    void Refuse(const QString& message);

    bool Refused() const { return refused_; }

  private:
    FieldReader() = default;
    bool Stopped() const { return refused_ && dialogs_; }

    PlatformDialogs* dialogs_ = nullptr;
    QWidget* window_ = nullptr;
    bool refused_ = false;
};

}  // namespace qnetica
