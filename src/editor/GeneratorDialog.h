#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

#include "document/NetworkDocument.h"
#include "widgets/PlatformDialogs.h"

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace qnetica {

// The dialog "Автоматическая генерация модели": four numbers, and "ОК" builds the test network
// with GenerateModel. The field texts stay as typed between openings.
class GeneratorDialog : public QDialog {
    Q_OBJECT

  public:
    GeneratorDialog(NetworkDocument& document, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // The editor's visible image area, read when the symbols are placed.
    void SetImageAreaSource(std::function<QSize()> source) { imageArea_ = std::move(source); }
    // Where the intensity text goes besides the input-rate field: the value input dialog, which
    // gets it without being shown (a quirk users of the generator have always seen).
    void SetIntensityShown(std::function<void(const QString&)> show) {
        showIntensity_ = std::move(show);
    }

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

    NetworkDocument& document_;
    PlatformDialogs& dialogs_;
    std::function<QSize()> imageArea_;
    std::function<void(const QString&)> showIntensity_;

    QLineEdit* intensityEdit_ = nullptr;
    QLineEdit* serviceTimeEdit_ = nullptr;
    QLineEdit* channelsEdit_ = nullptr;
    QLineEdit* qsCountEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace qnetica
