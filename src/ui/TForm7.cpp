#include "ui/TForm7.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/NumberText.h"

namespace qnetica {
namespace {

const QString ReportDialogTitle = QStringLiteral("Сохранить отчет");
const QString ReportFileDescription = QStringLiteral("Файлы отчета");
const QString ReportFilePattern = QStringLiteral("*.txt");
const QString ReportFileSuffix = QStringLiteral("txt");

constexpr int FieldCharacters = 17;  // "50000.0000000000" and a little room

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}
std::string ToStd(const QLineEdit* edit) {
    return edit->text().toStdString();
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

TForm7::TForm7(const NetworkModel& model, PlatformDialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Параметры расчета сети"));
    CreateControls();
    ConnectControls();
    radioButton1_->setChecked(true);
    SetVariedControlsEnabled(false);
}

void TForm7::CreateControls() {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(CreateModeRow());
    inner->addWidget(CreateVariedGroup(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    setMinimumSize(sizeHint());
}

QWidget* TForm7::CreateModeRow() {
    auto* row = new QWidget(this);
    radioButton1_ =
        new QRadioButton(QStringLiteral("Расчет сети с фиксированными параметрами"), row);
    radioButton2_ = new QRadioButton(QStringLiteral("Расчет сети с варьируемыми параметрами"), row);
    bitBtn2_ = new QPushButton(QStringLiteral("Продолжить >>"), row);
    bitBtn2_->setDefault(true);
    button1_ = new QPushButton(QStringLiteral("Отменить"), row);
    button1_->setAutoDefault(false);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(radioButton1_, 0, 0);
    grid->addWidget(radioButton2_, 1, 0);
    grid->addWidget(bitBtn2_, 0, 2);
    grid->addWidget(button1_, 1, 2);
    grid->setColumnStretch(1, 1);
    return row;
}

QGroupBox* TForm7::CreateVariedGroup() {
    groupBox2_ = new QGroupBox(QStringLiteral("Настройка варьируемых параметров:"), this);
    QGroupBox* group = groupBox2_;
    const char* boxTexts[] = {"Изменять интенсивность входного потока",
                              "Изменять время обслуживания в СМО",
                              "Изменять число каналов в СМО",
                              "Просмотреть отчет",
                              "Диаграмма",
                              "Изменять число мест в СМО"};
    for (int k = 0; k < 6; ++k)
        checkBoxes_[k] = new QCheckBox(QString::fromUtf8(boxTexts[k]), group);
    edit1_ = NumberField(group);
    edit4_ = NumberField(group);
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
    button2_ = rows_[0].Ok;
    button3_ = rows_[1].Ok;
    button4_ = rows_[2].Ok;
    bitBtn1_ = new QPushButton(QStringLiteral("Файл отчета"), group);
    bitBtn1_->setAutoDefault(false);
    edit7_ = new QLineEdit(group);
    edit7_->setFixedWidth(edit7_->fontMetrics().horizontalAdvance('0') * 6 + 12);
    edits_ = {edit1_,      rows_[0].From, rows_[1].From, edit4_,     rows_[0].To,
              rows_[1].To, edit7_,        rows_[2].From, rows_[2].To};

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
    grid->addWidget(checkBoxes_[0], 0, 0, 1, 6);
    addRange(1, nullptr, edit1_, edit4_, nullptr);
    const int boxOfRow[] = {1, 2, 5};  // CheckBox2, CheckBox3, CheckBox6
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(checkBoxes_[boxOfRow[r]], 2 + 2 * r, 0, 1, 6);
        addRange(3 + 2 * r, rows_[r].List, rows_[r].From, rows_[r].To, rows_[r].Ok);
    }
    auto* last = new QHBoxLayout;
    last->addWidget(bitBtn1_);
    last->addWidget(checkBoxes_[3]);
    last->addWidget(checkBoxes_[4]);
    last->addStretch(1);
    last->addWidget(label("Кол-во циклов:"));
    last->addWidget(edit7_);
    grid->addLayout(last, 8, 0, 1, 6);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(9, 1);
    return group;
}

void TForm7::ConnectControls() {
    // The mode buttons act only when they become checked.
    connect(radioButton1_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) SetVariedControlsEnabled(false);
    });
    connect(radioButton2_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) SetVariedControlsEnabled(true);
    });
    connect(bitBtn2_, &QPushButton::clicked, this, [this] { ContinueClick(); });
    connect(button1_, &QPushButton::clicked, this, &TForm7::CancelClick);
    connect(bitBtn1_, &QPushButton::clicked, this, &TForm7::ReportFileClick);
    connect(button2_, &QPushButton::clicked, this, &TForm7::ServiceOkClick);
    connect(button3_, &QPushButton::clicked, this, &TForm7::ChannelsOkClick);
    connect(button4_, &QPushButton::clicked, this, &TForm7::PlacesOkClick);
    for (Kind kind : {Kind::Service, Kind::Channels, Kind::Places})
        connect(Row(kind).List, &QComboBox::currentIndexChanged, this,
                [this, kind] { ShowSelectedQs(kind); });
}

// The group's children follow it; their own enabled flags are never touched, so they come
// back as they were when the varied mode is chosen again.
void TForm7::SetVariedControlsEnabled(bool enabled) {
    groupBox2_->setEnabled(enabled);
}

bool TForm7::AskRunParameters(VariationPlan& plan) {
    PrepareForOpening(plan);
    bitBtn2_->setFocus();
    dialogs_.ShowModal(*this);
    return plan.Confirmed;
}

void TForm7::PrepareForOpening(VariationPlan& plan) {
    plan_ = &plan;
    if (radioButton1_->isChecked()) SetVariedControlsEnabled(false);
    plan.LoadPlanDefaults(model_);
    edit7_->setText(Integer(plan.StepCount));
    FillQsLists();
    edit1_->setText(FromStd(FormatFixed(plan.InputRateFrom)));
    edit4_->setText(FromStd(FormatFixed(plan.InputRateTo)));
    // Filling the lists selected the first QS of each and showed its values; a network
    // without QS leaves the rows' fields as they were.
}

void TForm7::FillQsLists() {
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

QsPlan* TForm7::SelectedQs(Kind kind) const {
    const int index = Row(kind).List->currentIndex();
    if (!plan_ || index < 0 || index >= model_.QsCount()) return nullptr;
    return &plan_->Qs(index + 1);
}

void TForm7::ShowSelectedQs(Kind kind) {
    const QsPlan* qs = SelectedQs(kind);
    if (!qs) return;
    const QsRow& row = Row(kind);
    switch (kind) {
        case Kind::Service:
            row.From->setText(FromStd(FormatFixed(qs->ServiceFrom)));
            row.To->setText(FromStd(FormatFixed(qs->ServiceTo)));
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

void TForm7::StoreSelectedQs(Kind kind) {
    QsPlan* qs = SelectedQs(kind);
    if (!qs) return;
    const QsRow& row = Row(kind);
    switch (kind) {
        case Kind::Service:
            qs->ServiceFrom = ParseNumber(ToStd(row.From));
            qs->ServiceTo = ParseNumber(ToStd(row.To));
            break;
        case Kind::Channels:
            qs->ChannelsFrom = ParseInteger(ToStd(row.From));
            qs->ChannelsTo = ParseInteger(ToStd(row.To));
            break;
        case Kind::Places:
            qs->PlacesFrom = ParseInteger(ToStd(row.From));
            qs->PlacesTo = ParseInteger(ToStd(row.To));
            break;
    }
}

void TForm7::ServiceOkClick() {
    StoreSelectedQs(Kind::Service);
}

void TForm7::ChannelsOkClick() {
    StoreSelectedQs(Kind::Channels);
}

void TForm7::PlacesOkClick() {
    StoreSelectedQs(Kind::Places);
}

void TForm7::StoreFirstFields() {
    plan_->InputRateFrom = ParseNumber(ToStd(edit1_));
    plan_->InputRateTo = ParseNumber(ToStd(edit4_));
    plan_->StepCount = ParseInteger(ToStd(edit7_));
}

bool TForm7::ContinueClick() {
    if (!plan_) return false;
    StoreFirstFields();
    // Read in either mode; they were cleared when the dialog opened.
    if (checkBoxes_[0]->isChecked()) plan_->VaryInputRate = true;
    if (checkBoxes_[1]->isChecked()) plan_->VaryServiceTime = true;
    if (checkBoxes_[2]->isChecked()) plan_->VaryChannels = true;
    if (checkBoxes_[5]->isChecked()) plan_->VaryPlaces = true;
    const bool varied = radioButton2_->isChecked();
    if (const auto refusal = plan_->PreparePlanSteps(model_, varied)) {
        dialogs_.ShowError(this, FromStd(*refusal));
        return false;
    }
    plan_->VariedRun = varied;
    plan_->Confirmed = true;
    accept();
    return true;
}

void TForm7::CancelClick() {
    if (plan_) StoreFirstFields();  // shown again at the next opening
    reject();
}

void TForm7::ReportFileClick() {
    if (!plan_) return;
    FileDialogRequest request;
    request.Title = ReportDialogTitle;
    request.Types = {{ReportFileDescription, ReportFilePattern}};
    request.FileName = ReportFilePattern;
    request.Folder = QDir::currentPath();  // where a varied run writes its report too
    request.DefaultSuffix = ReportFileSuffix;
    if (const auto chosen = dialogs_.AskSaveFile(this, request))
        plan_->ReportFileName = chosen->Path.toStdString();
}

bool TForm7::ReportViewRequested() const {
    return checkBoxes_[3]->isChecked();
}

bool TForm7::ChartRequested() const {
    return checkBoxes_[4]->isChecked();
}

QCheckBox* TForm7::CheckBox(int k) const {
    return checkBoxes_[k - 1];
}

QComboBox* TForm7::ComboBox(int k) const {
    return rows_[k - 1].List;
}

QLineEdit* TForm7::Edit(int k) const {
    return edits_[k - 1];
}

}  // namespace qnetica
