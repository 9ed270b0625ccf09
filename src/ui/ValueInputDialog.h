#pragma once

#include <QDialog>

#include "model/NetworkModel.h"
#include "widgets/PlatformDialogs.h"

class QLineEdit;
class QPushButton;

namespace qnetica {

// The value input dialog: asks for one value as text. The caller sets the prompt (the window
// caption) and the text, and reads the text back however the dialog was closed. Every change
// of the text marks the network modified.
class ValueInputDialog : public QDialog {
    Q_OBJECT

  public:
    ValueInputDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // Sets prompt and text, shows the dialog modally and returns the text it closed with.
    QString AskValue(const QString& prompt, const QString& text);

    void SetPrompt(const QString& prompt) { setWindowTitle(prompt); }
    void SetValueText(const QString& text);
    QString ValueText() const;
    void Confirm() { accept(); }

    QLineEdit* ValueEdit() const { return edit_; }
    QPushButton* OkButton() const { return okButton_; }

  private:
    NetworkModel& model_;
    PlatformDialogs& dialogs_;
    QLineEdit* edit_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace qnetica
