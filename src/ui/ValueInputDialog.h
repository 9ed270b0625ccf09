#pragma once

#include <QDialog>

#include "model/NetworkModel.h"
#include "widgets/PlatformDialogs.h"

class QLineEdit;
class QPushButton;

namespace qnetica {

// The value input dialog: asks for one number (a transfer probability, the input rate). The
// caller sets the prompt (the window caption, which names the value) and the text in the model's
// form, and reads the text back in that form however the dialog was closed. The field shows the
// user's decimal separator and takes "," and "." alike; it may be left empty (no transfer, no
// input rate yet), but a text that is no number is refused and the dialog stays open. Every
// change of the text marks the network modified.
class ValueInputDialog : public QDialog {
    Q_OBJECT

  public:
    ValueInputDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // Sets prompt and text, shows the dialog modally and returns the number it closed with, "."
    // before its decimals (or empty).
    QString AskValue(const QString& prompt, const QString& text);

    void SetPrompt(const QString& prompt) { setWindowTitle(prompt); }
    void SetValueText(const QString& text);  // in the model's form
    // The field's number in the model's form; a text that is no number as it was typed.
    QString ValueText() const;
    void Confirm() { accept(); }
    // Closing by "OK", Esc or the close box alike: refused while the text is no number.
    void done(int result) override;

    QLineEdit* ValueEdit() const { return edit_; }
    QPushButton* OkButton() const { return okButton_; }

  private:
    bool CheckValue();

    NetworkModel& model_;
    PlatformDialogs& dialogs_;
    QLineEdit* edit_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace qnetica
