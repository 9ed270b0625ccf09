#include "charts/QsChartDialog.h"

#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <array>

#include "charts/ChartStyleChoice.h"
#include "charts/ChartWindowSize.h"
#include "charts/SaveChartImage.h"
#include "charts/StepBarChart.h"
#include "runs/StepResultsFile.h"
#include "runs/StepResultsReader.h"
#include "runs/WorkFolder.h"

namespace qnetica {
namespace {

struct Characteristic {
    const char* Text;  // trailing blanks belong to the title
    double QsResultsSnapshot::*Value;
    const char* AxisTitle;
};

// In the order of the list.
constexpr std::array<Characteristic, QsChartDialog::CharacteristicCount> Characteristics = {{
    {"коэффициента передачи", &QsResultsSnapshot::TransferCoefficient, "Коэффициент передачи"},
    {"интенсивности входящего потока", &QsResultsSnapshot::ArrivalRate,
     "Интенсивность входящего потока"},
    {"коэффициента загрузки", &QsResultsSnapshot::LoadFactor, "Коэффициент загрузки"},
    {"ср. числа занятых каналов", &QsResultsSnapshot::OfferedLoad, "Среднее число занятых каналов"},
    {"ср. числа заявок ", &QsResultsSnapshot::InSystem, "Среднее число заявок в СМО"},
    {"ср. длины очереди", &QsResultsSnapshot::QueueLength, "Средняя длина очереди"},
    {"ср. времени ожидания заявки в очереди", &QsResultsSnapshot::WaitTime,
     "Среднее время ожидания в очереди"},
    {"ср. времени пребывания заявки ", &QsResultsSnapshot::SojournTime,
     "Среднее время пребывания в СМО"},
}};

const QColor SkyBlue(166, 202, 240);

}  // namespace

QsChartDialog::QsChartDialog(const ChartDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Диаграмма по характеристикам отдельных СМО"));
    CreateChart();
    CreateOptions();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(options_);
    MakeResizable(*this, QSize(1000, 640));
}

QString QsChartDialog::CharacteristicText(int index) {
    return QString::fromUtf8(Characteristics.at(index).Text);
}

void QsChartDialog::CreateChart() {
    chart_ = new StepBarChart(this);
    // "TChart" until the first build: deliberate, users of the program have always seen it so.
    chart_->chart()->setTitle(QStringLiteral("TChart"));
    chart_->chart()->legend()->setVisible(false);
    chart_->SetSetsInLegend(false);  // the legend explains only the hatched steps, when some are
    valueBars_ = chart_->AddBarSet(QString(), SkyBlue, SkyBlue.darker(150));
}

void QsChartDialog::CreateOptions() {
    options_ = new QGroupBox(QStringLiteral("Параметры диаграммы"), this);
    characteristicLabel_ = new QLabel(QStringLiteral("Строить согласно значениям"), options_);
    characteristicList_ = new QComboBox(options_);
    for (int c = 0; c < CharacteristicCount; ++c)
        characteristicList_->addItem(CharacteristicText(c));
    characteristicList_->setCurrentIndex(0);
    qsLabel_ = new QLabel(QStringLiteral("в СМО № "), options_);
    qsList_ = new QComboBox(options_);
    qsList_->setMaxVisibleItems(20);
    styleChoice_ = new ChartStyleChoice(*chart_, options_);
    cancelButton_ = new QPushButton(QStringLiteral("<< Отменить"), options_);
    saveButton_ = new QPushButton(QStringLiteral("Сохранить"), options_);
    buildButton_ = new QPushButton(QStringLiteral("Построить"), options_);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveChartImage(); });
    connect(buildButton_, &QPushButton::clicked, this, &QsChartDialog::BuildQsChart);

    auto* row = new QHBoxLayout(options_);
    for (QWidget* control : std::initializer_list<QWidget*>{characteristicLabel_,
                                                            characteristicList_, qsLabel_, qsList_})
        row->addWidget(control);
    row->addStretch(1);
    row->addWidget(styleChoice_);
    for (QWidget* button : {cancelButton_, saveButton_, buildButton_}) row->addWidget(button);
    ResetQsList();
}

void QsChartDialog::ResetQsList() {
    qsList_->clear();
    for (int q = 1; q <= QsListSize; ++q) qsList_->addItem(QString::number(q));
    qsList_->setCurrentIndex(0);
}

void QsChartDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) ResetQsList();  // not when the window comes back from minimised
    QDialog::showEvent(event);
}

void QsChartDialog::BuildQsChart() {
    chart_->ClearBars();
    // The lists hold only their own items, so both choices are always valid.
    const int q = std::max(qsList_->currentIndex(), 0) + 1;
    const int c = std::max(characteristicList_->currentIndex(), 0);
    chart_->chart()->setTitle(QStringLiteral("Диаграмма построенная по значениям ") +
                              CharacteristicText(c) + QStringLiteral(" в СМО № ") +
                              QString::number(q));
    const StepResultsReadout readout =
        ReadStepResults(workFolder_ ? workFolder_->StepResultsPath() : StepResultsFileName);
    if (!readout.Result.Ok) {
        dialogs_.Dialogs.ShowError(this, QString::fromStdString(readout.Result.Message));
        return;
    }
    for (const StepSnapshot& step : readout.Steps)
        valueBars_->append(step[q - 1].*Characteristics[c].Value);
    chart_->SetValueTitle(QString::fromUtf8(Characteristics[c].AxisTitle));
    ShowSteps(static_cast<int>(readout.Steps.size()), q);
}

// The records are those of the run whose axis and overloads the totals keep, as long as the
// totals cover them all.
void QsChartDialog::ShowSteps(int count, int q) {
    if (!totals_ || !totals_->Axis.Covers(count)) {
        chart_->FinishFilling(count);
        return;
    }
    QList<int> overloaded;
    for (int k = 1; k <= count && k <= MaxStepCount; ++k)
        if (q < MaxNodeCount && totals_->QsOverloaded[k - 1].test(q)) overloaded.append(k);
    chart_->FinishFilling(AxisLabels(totals_->Axis, count),
                          QString::fromStdString(totals_->Axis.Title(count)), overloaded);
}

bool QsChartDialog::SaveChartImage() {
    return qnetica::SaveChartImage(*chart_, dialogs_);
}

}  // namespace qnetica
