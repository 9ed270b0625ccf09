#pragma once

#include <QDialog>
#include <QHash>
#include <array>
#include <optional>

#include "model/NetworkModel.h"
#include "runs/VariationPlan.h"
#include "widgets/PlatformDialogs.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qnetica {

class FieldReader;

// The calculation parameters dialog: fixed or varied run and, for the latter, what varies, from
// where to where, in how many steps, the report file and what to show at the end. It keeps no
// values of its own: everything lives in the plan it is opened with, and only the actions of
// its buttons store typed texts there. Numbers show the user's separator and take "," and ".".
class RunParametersDialog : public QDialog {
    Q_OBJECT

  public:
    RunParametersDialog(const NetworkModel& model, PlatformDialogs& dialogs,
                        QWidget* parent = nullptr);

    // The calculation command's question: prepares the dialog for the plan, shows it modally
    // and returns whether it was confirmed.
    bool AskRunParameters(VariationPlan& plan);
    // The steps of every opening: the mode's enabled state, the plan's defaults from the model,
    // the QS lists "1".."N" with the first QS selected, and the plan's values in the fields.
    void PrepareForOpening(VariationPlan& plan);

    // "Продолжить >>": true when the plan was confirmed and the dialog closed; a refused number
    // of steps shows its error box and leaves the dialog open.
    bool Continue();
    void Cancel();            // "Отменить"
    void ChooseReportFile();  // "Файл отчета"
    // The small OK buttons: store their row's two fields for the QS selected in the row; a text
    // that is no number is refused with its box and nothing of the row is stored.
    void StoreServiceRange();
    void StoreChannelsRange();
    void StorePlacesRange();

    // Read by the run at the end of a varied run, straight from the check boxes.
    bool ReportViewRequested() const;
    bool ChartRequested() const;

    QRadioButton* FixedRunButton() const { return fixedRunButton_; }
    QRadioButton* VariedRunButton() const { return variedRunButton_; }
    QPushButton* ContinueButton() const { return continueButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QGroupBox* VariedGroup() const { return variedGroup_; }
    QCheckBox* VaryInputRateBox() const { return varyInputRateBox_; }
    QCheckBox* VaryServiceTimeBox() const { return varyServiceTimeBox_; }
    QCheckBox* VaryChannelsBox() const { return varyChannelsBox_; }
    QCheckBox* VaryPlacesBox() const { return varyPlacesBox_; }
    QCheckBox* ViewReportBox() const { return viewReportBox_; }
    QCheckBox* ChartBox() const { return chartBox_; }
    // "Учитывать потери в СМО с ограниченной очередью": the plan's AccountLosses, for a fixed and
    // a varied run; off unless the user ticked it, kept like the other choices.
    QCheckBox* AccountLossesBox() const { return accountLossesBox_; }
    QLineEdit* InputRateFromField() const { return inputRateFromField_; }
    QLineEdit* InputRateToField() const { return inputRateToField_; }
    QLineEdit* StepCountField() const { return stepCountField_; }
    // The per-QS rows: the QS list, the range's two fields and the row's OK button.
    QComboBox* ServiceQsList() const { return Row(Kind::Service).List; }
    QLineEdit* ServiceFromField() const { return Row(Kind::Service).From; }
    QLineEdit* ServiceToField() const { return Row(Kind::Service).To; }
    QPushButton* ServiceOkButton() const { return Row(Kind::Service).Ok; }
    QComboBox* ChannelsQsList() const { return Row(Kind::Channels).List; }
    QLineEdit* ChannelsFromField() const { return Row(Kind::Channels).From; }
    QLineEdit* ChannelsToField() const { return Row(Kind::Channels).To; }
    QPushButton* ChannelsOkButton() const { return Row(Kind::Channels).Ok; }
    QComboBox* PlacesQsList() const { return Row(Kind::Places).List; }
    QLineEdit* PlacesFromField() const { return Row(Kind::Places).From; }
    QLineEdit* PlacesToField() const { return Row(Kind::Places).To; }
    QPushButton* PlacesOkButton() const { return Row(Kind::Places).Ok; }
    QPushButton* ReportFileButton() const { return reportFileButton_; }

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
    bool StoreSelectedQs(Kind kind);
    QsPlan* SelectedQs(Kind kind) const;  // nullptr when the list selects no QS
    const QsRow& Row(Kind kind) const { return rows_[static_cast<int>(kind)]; }
    bool StoreFirstFields(bool refuse);  // false when a text was refused
    // A number in a field with the user's separator, remembered with the value it stands for.
    void ShowNumber(QLineEdit* field, double value);
    std::optional<double> ReadNumber(FieldReader& reader, const QString& name,
                                     const QLineEdit* field) const;

    const NetworkModel& model_;
    PlatformDialogs& dialogs_;
    VariationPlan* plan_ = nullptr;  // the plan of the last opening

    QRadioButton* fixedRunButton_ = nullptr;
    QRadioButton* variedRunButton_ = nullptr;
    QPushButton* continueButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QGroupBox* variedGroup_ = nullptr;
    QCheckBox* varyInputRateBox_ = nullptr;
    QCheckBox* varyServiceTimeBox_ = nullptr;
    QCheckBox* varyChannelsBox_ = nullptr;
    QCheckBox* varyPlacesBox_ = nullptr;
    QCheckBox* viewReportBox_ = nullptr;
    QCheckBox* chartBox_ = nullptr;
    QCheckBox* accountLossesBox_ = nullptr;
    QLineEdit* inputRateFromField_ = nullptr;
    QLineEdit* inputRateToField_ = nullptr;
    QLineEdit* stepCountField_ = nullptr;
    std::array<QsRow, 3> rows_{};  // by Kind
    struct FieldNumber {
        QString Text;
        double Value = 0;
    };
    QHash<const QLineEdit*, FieldNumber> shown_;
    QPushButton* reportFileButton_ = nullptr;
};

}  // namespace qnetica
