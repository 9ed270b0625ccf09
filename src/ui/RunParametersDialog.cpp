#include "ui/RunParametersDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/DecimalSeparator.h"
#include "widgets/FieldReader.h"
#include "widgets/ReportFileRequest.h"

namespace qnetica {
namespace {

constexpr int FieldCharacters = 17;  // "50000.0000000000" and a little room

// The fields as the refusals name them.
const QString InputRateName = QStringLiteral("Интенсивность входного потока");
const QString RowNames[] = {QStringLiteral("Время обслуживания"), QStringLiteral("Число каналов"),
                            QStringLiteral("Число мест")};  // by Kind
const QString StepCountName = QStringLiteral("Кол-во циклов");
QString FromName(const QString& name) {
    return name + QStringLiteral(", от");
}
QString ToName(const QString& name) {
    return name + QStringLiteral(", до");
}

QString Integer(std::int32_t value) {
    return QString::number(value);
}

QLineEdit* NumberField(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance('0') * FieldCharacters);
    return edit;
}

}  // namespace

RunParametersDialog::RunParametersDialog(const NetworkModel& model, PlatformDialogs& dialogs,
                                         QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Параметры расчета сети"));
    CreateControls();
    ConnectControls();
    fixedRunButton_->setChecked(true);
    SetVariedControlsEnabled(false);
}

void RunParametersDialog::CreateControls() {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(CreateModeRow());
    inner->addWidget(CreateVariedGroup(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    setMinimumSize(sizeHint());
}

QWidget* RunParametersDialog::CreateModeRow() {
    auto* row = new QWidget(this);
    fixedRunButton_ =
        new QRadioButton(QStringLiteral("Расчет сети с фиксированными параметрами"), row);
    variedRunButton_ =
        new QRadioButton(QStringLiteral("Расчет сети с варьируемыми параметрами"), row);
    accountLossesBox_ =
        new QCheckBox(QStringLiteral("Учитывать потери в СМО с ограниченной очередью"), row);
    accountLossesBox_->setToolTip(QStringLiteral(
        "СМО с ограниченной очередью передает дальше только обслуженные заявки; без отметки —\n"
        "весь входящий поток, и потерянные заявки тоже (так считается по умолчанию)"));
    continueButton_ = new QPushButton(QStringLiteral("Продолжить >>"), row);
    continueButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Отменить"), row);
    cancelButton_->setAutoDefault(false);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(fixedRunButton_, 0, 0);
    grid->addWidget(variedRunButton_, 1, 0);
    grid->addWidget(continueButton_, 0, 2);
    grid->addWidget(cancelButton_, 1, 2);
    grid->addWidget(accountLossesBox_, 2, 0, 1, 3);  // fixed and varied runs alike
    grid->setColumnStretch(1, 1);
    return row;
}

QGroupBox* RunParametersDialog::CreateVariedGroup() {
    variedGroup_ = new QGroupBox(QStringLiteral("Настройка варьируемых параметров:"), this);
    QGroupBox* group = variedGroup_;
    auto box = [group](const char* text) { return new QCheckBox(QString::fromUtf8(text), group); };
    varyInputRateBox_ = box("Изменять интенсивность входного потока");
    varyServiceTimeBox_ = box("Изменять время обслуживания в СМО");
    varyChannelsBox_ = box("Изменять число каналов в СМО");
    viewReportBox_ = box("Просмотреть отчет");
    chartBox_ = box("Диаграмма");
    varyPlacesBox_ = box("Изменять число мест в СМО");
    inputRateFromField_ = NumberField(group);
    inputRateToField_ = NumberField(group);
    const char* okTexts[] = {"OK", "OK", "ОК"};  // Latin, Latin, Cyrillic
    for (int r = 0; r < 3; ++r) {
        QsRow& row = rows_[r];
        row.List = new QComboBox(group);
        row.List->setMinimumContentsLength(3);
        row.From = NumberField(group);
        row.To = NumberField(group);
        row.Ok = new QPushButton(QString::fromUtf8(okTexts[r]), group);
        row.Ok->setAutoDefault(false);
        row.Ok->setFixedWidth(row.Ok->fontMetrics().horizontalAdvance(QStringLiteral("OK")) + 24);
    }
    reportFileButton_ = new QPushButton(QStringLiteral("Файл отчета"), group);
    reportFileButton_->setAutoDefault(false);
    stepCountField_ = new QLineEdit(group);
    stepCountField_->setFixedWidth(stepCountField_->fontMetrics().horizontalAdvance('0') * 6 + 12);

    // Columns: list, "от", from, "до", to, OK.
    auto* grid = new QGridLayout(group);
    auto label = [group](const char* text) { return new QLabel(QString::fromUtf8(text), group); };
    auto addRange = [&](int line, QComboBox* list, QLineEdit* from, QLineEdit* to,
                        QPushButton* ok) {
        if (list) grid->addWidget(list, line, 0);
        grid->addWidget(label("от"), line, 1);
        grid->addWidget(from, line, 2);
        grid->addWidget(label("до"), line, 3);
        grid->addWidget(to, line, 4);
        if (ok) grid->addWidget(ok, line, 5);
    };
    grid->addWidget(varyInputRateBox_, 0, 0, 1, 6);
    addRange(1, nullptr, inputRateFromField_, inputRateToField_, nullptr);
    QCheckBox* const rowBoxes[] = {varyServiceTimeBox_, varyChannelsBox_, varyPlacesBox_};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(rowBoxes[r], 2 + 2 * r, 0, 1, 6);
        addRange(3 + 2 * r, rows_[r].List, rows_[r].From, rows_[r].To, rows_[r].Ok);
    }
    auto* last = new QHBoxLayout;
    last->addWidget(reportFileButton_);
    last->addWidget(viewReportBox_);
    last->addWidget(chartBox_);
    last->addStretch(1);
    last->addWidget(label("Кол-во циклов:"));
    last->addWidget(stepCountField_);
    grid->addLayout(last, 8, 0, 1, 6);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(9, 1);
    return group;
}

void RunParametersDialog::ConnectControls() {
    // The mode buttons act only when they become checked.
    connect(fixedRunButton_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) SetVariedControlsEnabled(false);
    });
    connect(variedRunButton_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) SetVariedControlsEnabled(true);
    });
    connect(continueButton_, &QPushButton::clicked, this, [this] { Continue(); });
    connect(cancelButton_, &QPushButton::clicked, this, &RunParametersDialog::Cancel);
    connect(reportFileButton_, &QPushButton::clicked, this, &RunParametersDialog::ChooseReportFile);
    connect(ServiceOkButton(), &QPushButton::clicked, this,
            &RunParametersDialog::StoreServiceRange);
    connect(ChannelsOkButton(), &QPushButton::clicked, this,
            &RunParametersDialog::StoreChannelsRange);
    connect(PlacesOkButton(), &QPushButton::clicked, this, &RunParametersDialog::StorePlacesRange);
    for (Kind kind : {Kind::Service, Kind::Channels, Kind::Places})
        connect(Row(kind).List, &QComboBox::currentIndexChanged, this,
                [this, kind] { ShowSelectedQs(kind); });
}

// The group's children follow it; their own enabled flags are never touched, so they come
// back as they were when the varied mode is chosen again.
void RunParametersDialog::SetVariedControlsEnabled(bool enabled) {
    variedGroup_->setEnabled(enabled);
}

bool RunParametersDialog::AskRunParameters(VariationPlan& plan) {
    PrepareForOpening(plan);
    continueButton_->setFocus();
    dialogs_.ShowModal(*this);
    return plan.Confirmed;
}

void RunParametersDialog::PrepareForOpening(VariationPlan& plan) {
    plan_ = &plan;
    if (fixedRunButton_->isChecked()) SetVariedControlsEnabled(false);
    plan.LoadPlanDefaults(model_);
    accountLossesBox_->setChecked(plan.AccountLosses);
    stepCountField_->setText(Integer(plan.StepCount));
    FillQsLists();
    ShowNumber(inputRateFromField_, plan.InputRateFrom);
    ShowNumber(inputRateToField_, plan.InputRateTo);
    // Filling the lists selected the first QS of each and showed its values; a network
    // without QS leaves the rows' fields as they were.
}

void RunParametersDialog::FillQsLists() {
    QStringList numbers;
    for (int k = 1; k <= model_.QsCount(); ++k) numbers << QString::number(k);
    for (Kind kind : {Kind::Service, Kind::Channels, Kind::Places}) {
        QComboBox* list = Row(kind).List;
        {
            const QSignalBlocker quiet(list);
            list->clear();
            list->addItems(numbers);
            list->setCurrentIndex(numbers.isEmpty() ? -1 : 0);
        }
        ShowSelectedQs(kind);
    }
}

QsPlan* RunParametersDialog::SelectedQs(Kind kind) const {
    const int index = Row(kind).List->currentIndex();
    if (!plan_ || index < 0 || index >= model_.QsCount()) return nullptr;
    return &plan_->Qs(index + 1);
}

void RunParametersDialog::ShowSelectedQs(Kind kind) {
    const QsPlan* qs = SelectedQs(kind);
    if (!qs) return;
    const QsRow& row = Row(kind);
    switch (kind) {
        case Kind::Service:
            ShowNumber(row.From, qs->ServiceFrom);
            ShowNumber(row.To, qs->ServiceTo);
            break;
        case Kind::Channels:
            row.From->setText(Integer(qs->ChannelsFrom));
            row.To->setText(Integer(qs->ChannelsTo));
            break;
        case Kind::Places:
            row.From->setText(Integer(qs->PlacesFrom));
            row.To->setText(Integer(qs->PlacesTo));
            break;
    }
}

// Both fields of the row or neither: a refused text leaves the plan as it was.
bool RunParametersDialog::StoreSelectedQs(Kind kind) {
    QsPlan* qs = SelectedQs(kind);
    if (!qs) return true;
    const QsRow& row = Row(kind);
    const QString& name = RowNames[static_cast<int>(kind)];
    FieldReader reader(dialogs_, this);
    if (kind == Kind::Service) {
        const auto from = ReadNumber(reader, FromName(name), row.From);
        const auto to = ReadNumber(reader, ToName(name), row.To);
        if (reader.Refused()) return false;
        qs->ServiceFrom = *from;
        qs->ServiceTo = *to;
        return true;
    }
    const auto from = reader.Integer(FromName(name), row.From->text());
    const auto to = reader.Integer(ToName(name), row.To->text());
    if (reader.Refused()) return false;
    if (kind == Kind::Channels) {
        qs->ChannelsFrom = *from;
        qs->ChannelsTo = *to;
    } else {
        qs->PlacesFrom = *from;
        qs->PlacesTo = *to;
    }
    return true;
}

void RunParametersDialog::StoreServiceRange() {
    StoreSelectedQs(Kind::Service);
}

void RunParametersDialog::StoreChannelsRange() {
    StoreSelectedQs(Kind::Channels);
}

void RunParametersDialog::StorePlacesRange() {
    StoreSelectedQs(Kind::Places);
}

void RunParametersDialog::ShowNumber(QLineEdit* field, double value) {
    const QString text = ShownFixed(value);
    shown_[field] = {text, value};
    field->setText(text);
}

// A field that still shows its number gives that number exactly, not its ten decimals.
std::optional<double> RunParametersDialog::ReadNumber(FieldReader& reader, const QString& name,
                                                      const QLineEdit* field) const {
    const auto shown = shown_.find(field);
    if (shown != shown_.end() && shown->Text == field->text()) return shown->Value;
    const auto entry = reader.Number(name, field->text());
    if (!entry) return std::nullopt;
    return entry->Value;
}

// The range of the input rate and the number of steps. Refused texts are shown when asked for;
// otherwise (a fixed run, a cancelled dialog) they are passed over and the plan keeps its values.
bool RunParametersDialog::StoreFirstFields(bool refuse) {
    FieldReader reader = refuse ? FieldReader(dialogs_, this) : FieldReader::Quiet();
    const auto from = ReadNumber(reader, FromName(InputRateName), inputRateFromField_);
    if (from) plan_->InputRateFrom = *from;
    const auto to = ReadNumber(reader, ToName(InputRateName), inputRateToField_);
    if (to) plan_->InputRateTo = *to;
    const auto steps = reader.Integer(StepCountName, stepCountField_->text());
    if (steps) plan_->StepCount = *steps;
    return !reader.Refused();
}

bool RunParametersDialog::Continue() {
    if (!plan_) return false;
    // The fields of a varied run must be numbers; a fixed run takes what it can.
    const bool varied = variedRunButton_->isChecked();
    if (!StoreFirstFields(varied) && varied) return false;
    // Read in either mode; they were cleared when the dialog opened.
    if (varyInputRateBox_->isChecked()) plan_->VaryInputRate = true;
    if (varyServiceTimeBox_->isChecked()) plan_->VaryServiceTime = true;
    if (varyChannelsBox_->isChecked()) plan_->VaryChannels = true;
    if (varyPlacesBox_->isChecked()) plan_->VaryPlaces = true;
    plan_->AccountLosses = accountLossesBox_->isChecked();
    if (const auto refusal = plan_->ConfirmPlan(model_, varied)) {
        dialogs_.ShowError(this, QString::fromStdString(*refusal));
        return false;
    }
    accept();
    return true;
}

void RunParametersDialog::Cancel() {
    if (plan_) {
        StoreFirstFields(false);  // shown again at the next opening
        plan_->AccountLosses = accountLossesBox_->isChecked();
    }
    reject();
}

void RunParametersDialog::ChooseReportFile() {
    if (!plan_) return;
    if (const auto chosen = dialogs_.AskSaveFile(this, ReportFileRequest()))
        plan_->ReportFileName = chosen->Path.toStdString();
}

bool RunParametersDialog::ReportViewRequested() const {
    return viewReportBox_->isChecked();
}

bool RunParametersDialog::ChartRequested() const {
    return chartBox_->isChecked();
}

}  // namespace qnetica
