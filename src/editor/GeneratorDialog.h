#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

#include "model/NetworkModel.h"
#include "ui/PlatformDialogs.h"
#include "ui/ProgramWindows.h"

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace qnetica {

// The dialog "Автоматическая генерация модели": four numbers, and "ОК" builds the test network
// with GenerateModel. The field texts stay as typed between openings.
class GeneratorDialog : public QDialog {
    Q_OBJECT

  public:
    GeneratorDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    void SetWindows(const ProgramWindows& windows) { windows_ = windows; }
    // The editor's visible image area, read when the symbols are placed.
    void SetImageAreaSource(std::function<QSize()> source) { imageArea_ = std::move(source); }
    char DecimalSeparator() const { return decimalSeparator_; }
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    void Generate();  // closes the dialog when the network was generated
    void Cancel() { reject(); }

    QLineEdit* IntensityEdit() const { return intensityEdit_; }
    QLineEdit* ServiceTimeEdit() const { return serviceTimeEdit_; }
    QLineEdit* ChannelsEdit() const { return channelsEdit_; }
    QLineEdit* QsCountEdit() const { return qsCountEdit_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

  private:
    void CreateControls();
    QLineEdit* AddField(QVBoxLayout* layout, const QString& label, const QString& text);
    void ShowIntensityInValueDialog(const std::string& text);

    NetworkModel& model_;
    PlatformDialogs& dialogs_;
    ProgramWindows windows_;
    std::function<QSize()> imageArea_;
    char decimalSeparator_ = '.';

    QLineEdit* intensityEdit_ = nullptr;
    QLineEdit* serviceTimeEdit_ = nullptr;
    QLineEdit* channelsEdit_ = nullptr;
    QLineEdit* qsCountEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace qnetica
