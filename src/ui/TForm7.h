#pragma once

#include <QDialog>
#include <array>

#include "model/NetworkModel.h"
#include "runs/VariationPlan.h"
#include "ui/PlatformDialogs.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qnetica {

// The calculation parameters dialog: fixed or varied run and, for the latter, what varies, from
// where to where, in how many steps, the report file and what to show at the end. It keeps no
// values of its own: everything lives in the plan it is opened with, and only the actions of
// its buttons store typed texts there.
class TForm7 : public QDialog {
    Q_OBJECT

  public:
    TForm7(const NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // The calculation command's question: prepares the dialog for the plan, shows it modally
    // and returns whether it was confirmed.
    bool AskRunParameters(VariationPlan& plan);
    // The steps of every opening: the mode's enabled state, the plan's defaults from the model,
    // the QS lists "1".."N" with the first QS selected, and the plan's values in the fields.
    void PrepareForOpening(VariationPlan& plan);

    // "Продолжить >>": true when the plan was confirmed and the dialog closed; a refused number
    // of steps shows its error box and leaves the dialog open.
    bool ContinueClick();
    void CancelClick();      // "Отменить"
    void ReportFileClick();  // "Файл отчета"
    // The small OK buttons: store their row's two fields for the QS selected in the row.
    void ServiceOkClick();
    void ChannelsOkClick();
    void PlacesOkClick();

    // Read by the run at the end of a varied run, straight from the check boxes.
    bool ReportViewRequested() const;
    bool ChartRequested() const;

    QRadioButton* RadioButton1() const { return radioButton1_; }
    QRadioButton* RadioButton2() const { return radioButton2_; }
    QPushButton* BitBtn2() const { return bitBtn2_; }
    QPushButton* Button1() const { return button1_; }
    QGroupBox* GroupBox2() const { return groupBox2_; }
    QCheckBox* CheckBox(int k) const;  // 1..6
    QComboBox* ComboBox(int k) const;  // 1..3
    QLineEdit* Edit(int k) const;      // 1..9
    QPushButton* Button2() const { return button2_; }
    QPushButton* Button3() const { return button3_; }
    QPushButton* Button4() const { return button4_; }
    QPushButton* BitBtn1() const { return bitBtn1_; }

  private:
    // One row of per-QS values: the list, the two fields and the row's OK button.
    struct QsRow {
        QComboBox* List = nullptr;
        QLineEdit* From = nullptr;
        QLineEdit* To = nullptr;
        QPushButton* Ok = nullptr;
    };
    enum class Kind { Service, Channels, Places };

    void CreateControls();
    QWidget* CreateModeRow();
    QGroupBox* CreateVariedGroup();
    void ConnectControls();
    void SetVariedControlsEnabled(bool enabled);
    void FillQsLists();
    void ShowSelectedQs(Kind kind);
    void StoreSelectedQs(Kind kind);
    QsPlan* SelectedQs(Kind kind) const;  // nullptr when the list selects no QS
    const QsRow& Row(Kind kind) const { return rows_[static_cast<int>(kind)]; }
    void StoreFirstFields();

    const NetworkModel& model_;
    PlatformDialogs& dialogs_;
    VariationPlan* plan_ = nullptr;  // the plan of the last opening

    QRadioButton* radioButton1_ = nullptr;
    QRadioButton* radioButton2_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QGroupBox* groupBox2_ = nullptr;
    std::array<QCheckBox*, 6> checkBoxes_{};
    QLineEdit* edit1_ = nullptr;  // input rate from
    QLineEdit* edit4_ = nullptr;  // input rate to
    QLineEdit* edit7_ = nullptr;  // number of steps
    std::array<QsRow, 3> rows_{};
    std::array<QLineEdit*, 9> edits_{};  // [k-1] for Edit1..Edit9
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button4_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
};

}  // namespace qnetica
