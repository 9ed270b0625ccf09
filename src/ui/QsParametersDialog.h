#pragma once

#include <QDialog>
#include <optional>

#include "model/NetworkModel.h"
#include "widgets/PlatformDialogs.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qnetica {

// The QS parameters dialog: edits one slot of the model. Default and reset class shares go
// into the slot at once; everything typed is taken over when the dialog closes, by "ОК" or by
// the close box alike. Node 0 and "no node" show the dialog but change no slot.
class QsParametersDialog : public QDialog {
    Q_OBJECT

  public:
    QsParametersDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // The QS parameters command for a node (-1: none selected).
    void EditQs(int node);
    // Its parts, for the tests: the steps before the dialog shows, and the take-over after it
    // closed (false when a failed conversion stopped it).
    void PrepareForQs(int node);
    bool TakeOver();

    bool Confirm();  // true when the dialog closed
    void ResetClassShares();

    int EditedSlot() const { return slot_; }
    char DecimalSeparator() const { return decimalSeparator_; }
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    // The class table: one row per class k = 1..K with the share as text.
    int ClassRowCount() const;
    QString ShareText(int k) const;
    void SetShareText(int k, const QString& text);

    QLineEdit* NameEdit() const { return nameEdit_; }
    QLineEdit* ServiceTimeEdit() const { return serviceTimeEdit_; }
    QLineEdit* ChannelsEdit() const { return channelsEdit_; }
    QCheckBox* BoundedQueueBox() const { return boundedQueueBox_; }
    QLineEdit* PlacesEdit() const { return placesEdit_; }
    QCheckBox* PriorityBox() const { return priorityBox_; }
    QLineEdit* ClassesEdit() const { return classesEdit_; }
    QTableWidget* ClassTable() const { return classTable_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* ResetButton() const { return resetButton_; }

  private:
    void CreateControls();
    void ConnectControls();
    void FillFromSlot(const QsParams& slot);
    void ClassesChanged(const QString& text);
    void ShowClassShares(int classes);
    void AppendClassRow(int k, double share);
    std::optional<int> ReadClasses();  // nullopt after the error box
    bool CheckFields();                // the checks of "ОК"; each refusal shows its box
    bool CheckClassShares(int classes);
    bool CheckCounts();
    void TakeOverFields(QsParams& slot);
    void Refuse(const QString& message);

    NetworkModel& model_;
    PlatformDialogs& dialogs_;
    int slot_ = -1;
    bool filling_ = false;  // the opener rebuilds the class table once, after all fields
    char decimalSeparator_ = '.';

    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* serviceTimeEdit_ = nullptr;
    QLineEdit* channelsEdit_ = nullptr;
    QCheckBox* boundedQueueBox_ = nullptr;
    QLineEdit* placesEdit_ = nullptr;
    QCheckBox* priorityBox_ = nullptr;
    QLineEdit* classesEdit_ = nullptr;
    QTableWidget* classTable_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
};

}  // namespace qnetica
