#include "ui/ValueInputDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/NumberEntry.h"
#include "model/NumberText.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/FieldReader.h"

namespace qnetica {

ValueInputDialog::ValueInputDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
    auto* group = new QGroupBox(this);
    edit_ = new QLineEdit(group);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance('0') * 16);
    okButton_ = new QPushButton(QStringLiteral("OK"), group);
    okButton_->setDefault(true);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Введите значение:"), group), 0, 0);
    grid->addWidget(edit_, 0, 1);
    grid->addWidget(okButton_, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    setMinimumSize(sizeHint());

    connect(edit_, &QLineEdit::textChanged, this, [this] { model_.SetModified(true); });
    connect(okButton_, &QPushButton::clicked, this, &ValueInputDialog::Confirm);
}

QString ValueInputDialog::AskValue(const QString& prompt, const QString& text) {
    SetPrompt(prompt);
    SetValueText(text);
    edit_->setFocus();
    dialogs_.ShowModal(*this);
    // Only a closing that went round the check leaves a text that is no number: the caller then
    // gets back what it offered.
    const NumberEntry entry = ReadNumberEntry({}, edit_->text().toStdString(), EmptyEntry::Allowed);
    return entry.Taken() ? QString::fromStdString(entry.Text) : text;
}

void ValueInputDialog::SetValueText(const QString& text) {
    // Only a different text is a change; writing the same text leaves the network unmarked.
    const QString shown = ShownNumber(text.toStdString());
    if (edit_->text() != shown) edit_->setText(shown);
}

QString ValueInputDialog::ValueText() const {
    return QString::fromStdString(WithDecimalSeparator(edit_->text().toStdString(), '.'));
}

void ValueInputDialog::done(int result) {
    if (!CheckValue()) return;
    QDialog::done(result);
}

bool ValueInputDialog::CheckValue() {
    FieldReader reader(dialogs_, this);
    return reader.Number(windowTitle(), edit_->text(), EmptyEntry::Allowed).has_value();
}

}  // namespace qnetica
