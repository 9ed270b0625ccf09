#pragma once

#include <QDialog>
#include <optional>

#include "document/NetworkDocument.h"
#include "model/NetworkModel.h"
#include "widgets/PlatformDialogs.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qnetica {

class FieldReader;

// The QS parameters dialog: edits one slot of the model. It works on a copy of the slot (the
// default and reset class shares go there) and stores it only on "ОК", after every field was
// read and checked; "Отмена", Esc and the close box discard everything. A field whose text is
// still the one shown keeps the slot's exact value, so opening and confirming unchanged changes
// nothing and does not mark the network.
class QsParametersDialog : public QDialog {
    Q_OBJECT

  public:
    QsParametersDialog(NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);
    // The same dialog that records each change it stores in the document's history itself.
    QsParametersDialog(NetworkDocument& document, PlatformDialogs& dialogs,
                       QWidget* parent = nullptr);

    // The QS parameters command for a node; the outside world (0) and "none" (-1) have none.
    void EditQs(int node);
    // The steps before the dialog shows: the caption and the fields from slot node (> 0).
    void PrepareForQs(int node);

    bool Confirm();  // "ОК": true when the fields were stored and the dialog closed
    void Cancel() { reject(); }
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
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* ResetButton() const { return resetButton_; }

  private:
    void CreateControls();
    void ConnectControls();
    void FillFromSlot(const QsParams& slot);
    void ClassesChanged(const QString& text);
    void ShowClassShares(int classes);
    void AppendClassRow(int k, double share);
    QString ShownShare(double share) const;
    std::optional<int> ReadClasses();  // nullopt after the error box
    // The fields as a slot, checked as "ОК" checks them; nullopt after the first refusal.
    std::optional<QsParams> ReadFields();
    void ReadNumbers(FieldReader& reader, QsParams& edited);
    void ReadClassShares(FieldReader& reader, QsParams& edited);
    void CheckCounts(FieldReader& reader, const QsParams& edited);
    void Store(const QsParams& edited);

    NetworkModel& model_;
    NetworkDocument* document_ = nullptr;  // records the changes when there is one
    PlatformDialogs& dialogs_;
    int slot_ = -1;
    QsParams opened_;            // the slot as it was when the dialog opened
    QsParams working_;           // its copy with the default or reset shares the table shows
    QString serviceShown_;       // the service time as the dialog showed it
    bool sharesEdited_ = false;  // typed into the table, reset, or another number of classes
    bool filling_ = false;       // the dialog itself writes the fields, not the user
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
    QPushButton* cancelButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
};

}  // namespace qnetica
