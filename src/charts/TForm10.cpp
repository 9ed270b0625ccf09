#include "charts/TForm10.h"

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
};

// In the order of the list.
constexpr std::array<Characteristic, TForm10::CharacteristicCount> Characteristics = {{
    {"коэффициента передачи", &QsResultsSnapshot::TransferCoefficient},
    {"интенсивности входящего потока", &QsResultsSnapshot::ArrivalRate},
    {"коэффициента загрузки", &QsResultsSnapshot::LoadFactor},
    {"ср. числа занятых каналов", &QsResultsSnapshot::OfferedLoad},
    {"ср. числа заявок ", &QsResultsSnapshot::InSystem},
    {"ср. длины очереди", &QsResultsSnapshot::QueueLength},
    {"ср. времени ожидания заявки в очереди", &QsResultsSnapshot::WaitTime},
    {"ср. времени пребывания заявки ", &QsResultsSnapshot::SojournTime},
}};

const QColor SkyBlue(166, 202, 240);

}  // namespace

TForm10::TForm10(const ChartDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Диаграмма по характеристикам отдельных СМО"));
    CreateChart();
    CreateOptions();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(options_);
    resize(1000, 640);
}

QString TForm10::CharacteristicText(int index) {
    return QString::fromUtf8(Characteristics.at(index).Text);
}

void TForm10::CreateChart() {
    chart_ = new StepBarChart(this);
    chart_->chart()->setTitle(QStringLiteral("TChart"));
    chart_->chart()->legend()->setVisible(false);
    series1_ = chart_->AddBarSet(QString(), SkyBlue);
}

void TForm10::CreateOptions() {
    options_ = new QGroupBox(QStringLiteral("Параметры диаграммы"), this);
    label1_ = new QLabel(QStringLiteral("Строить согласно значениям"), options_);
    comboBox1_ = new QComboBox(options_);
    for (int c = 0; c < CharacteristicCount; ++c) comboBox1_->addItem(CharacteristicText(c));
    comboBox1_->setCurrentIndex(0);
    label2_ = new QLabel(QStringLiteral("в СМО № "), options_);
    comboBox2_ = new QComboBox(options_);
    comboBox2_->setMaxVisibleItems(20);
    button1_ = new QPushButton(QStringLiteral("<< Отменить"), options_);
    bitBtn2_ = new QPushButton(QStringLiteral("Сохранить"), options_);
    bitBtn1_ = new QPushButton(QStringLiteral("Построить"), options_);
    connect(button1_, &QPushButton::clicked, this, &QDialog::reject);
    connect(bitBtn2_, &QPushButton::clicked, this, [this] { SaveChartImage(); });
    connect(bitBtn1_, &QPushButton::clicked, this, &TForm10::BuildQsChart);

    auto* row = new QHBoxLayout(options_);
    for (QWidget* control :
         std::initializer_list<QWidget*>{label1_, comboBox1_, label2_, comboBox2_})
        row->addWidget(control);
    row->addStretch(1);
    for (QWidget* button : {button1_, bitBtn2_, bitBtn1_}) row->addWidget(button);
    FormShow();
}

void TForm10::FormShow() {
    comboBox2_->clear();
    for (int q = 1; q <= QsListSize; ++q) comboBox2_->addItem(QString::number(q));
    comboBox2_->setCurrentIndex(0);
}

void TForm10::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();  // not when the window comes back from minimised
    QDialog::showEvent(event);
}

void TForm10::BuildQsChart() {
    chart_->ClearBars();
    // The lists hold only their own items, so both choices are always valid.
    const int q = std::max(comboBox2_->currentIndex(), 0) + 1;
    const int c = std::max(comboBox1_->currentIndex(), 0);
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
        series1_->append(step[q - 1].*Characteristics[c].Value);
    chart_->FinishFilling(static_cast<int>(readout.Steps.size()));
}

bool TForm10::SaveChartImage() {
    return qnetica::SaveChartImage(*chart_, dialogs_);
}

}  // namespace qnetica
