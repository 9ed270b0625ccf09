#include "ui/SimulationCheckDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "sim/SimulationInput.h"
#include "sim/SimulationMessages.h"
#include "sim/Simulator.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/GridCopy.h"
#include "widgets/WindowSizeKeeper.h"

namespace qnetica {
namespace {

using sim::ComparedFigure;
using sim::FigureName;

const QSize InitialSize(900, 600);
const QColor OutsideTint(255, 205, 205);
constexpr int ValueDigits = 7;      // significant digits of a value
constexpr int UncertainDigits = 3;  // of a half-width and a difference

QString Number(double value, int digits) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    return ShownGeneral(value, digits);
}

QString FigureText(const ComparedFigure& figure) {
    switch (figure.Name) {
        case FigureName::ArrivalRate:
            return QStringLiteral("Интенсивность входного потока");
        case FigureName::LoadFactor:
            return QStringLiteral("Коэфф. загрузки (доля занятых каналов)");
        case FigureName::QueueLength:
            return QStringLiteral("Ср. длина очереди");
        case FigureName::InSystem:
            return QStringLiteral("Ср. число заявок в СМО");
        case FigureName::WaitTime:
            return QStringLiteral("Ср. время ожидания в очереди");
        case FigureName::SojournTime:
            return QStringLiteral("Ср. время пребывания в СМО");
        case FigureName::LossProbability:
            return QStringLiteral("Вероятность потери");
        case FigureName::ClassWaitTime:
            return QStringLiteral("Ср. время ожидания, класс %1").arg(figure.PriorityClass);
        case FigureName::InNetworkTotal:
            return QStringLiteral("Ср. число заявок в сети");
        case FigureName::NetworkSojournTime:
            return QStringLiteral("Ср. время пребывания заявки в сети");
    }
    return {};
}

QString Percent(double share) {
    return std::isfinite(share) ? Number(share * 100, 3) + QStringLiteral(" %")
                                : QStringLiteral("не определена");
}

QString EndText(const sim::SimulationResult& result) {
    const QString widest =
        QStringLiteral("наибольшая относительная полуширина %1, нужно не больше %2")
            .arg(Percent(result.WidestRelativeHalfWidth), Percent(result.Precision));
    switch (result.End) {
        case sim::SimulationEnd::PrecisionReached:
            return QStringLiteral("Каждая характеристика найдена с точностью %1.")
                .arg(Percent(result.Precision));
        case sim::SimulationEnd::EventBudget:
            return QStringLiteral("Остановлено по числу событий: %1.").arg(widest);
        case sim::SimulationEnd::TimeBudget:
            return QStringLiteral("Остановлено по времени: %1.").arg(widest);
        case sim::SimulationEnd::Cancelled:
            return QStringLiteral("Имитация прервана: %1.").arg(widest);
        case sim::SimulationEnd::PopulationLimit:
            return QStringLiteral(
                       "Остановлено: в СМО %1 скопилось больше заявок, чем хранит имитация; сеть "
                       "перегружена, показаны значения последнего полного раунда.")
                .arg(result.CrowdedQs);
    }
    return {};
}

QString HeadText(const sim::SimulationResult& result) {
    return QStringLiteral(
               "Имитация (начальное число %1, %2 повторений на %3 потоках): %4 событий за %5 с, "
               "доверительные интервалы %6 %.")
        .arg(result.Seed)
        .arg(result.Replications)
        .arg(result.Threads)
        .arg(result.Events)
        .arg(Number(result.Seconds, 3))
        .arg(Number(result.Confidence * 100, 3));
}

// The share of the way to the precision asked: the half-widths shrink as one over the square
// root of the events simulated.
int PercentDone(const sim::ProgressReport& report, double precision) {
    if (!std::isfinite(report.WidestRelativeHalfWidth) || report.WidestRelativeHalfWidth <= 0 ||
        precision <= 0)
        return 0;
    const double ratio = std::min(1.0, precision / report.WidestRelativeHalfWidth);
    return static_cast<int>(100 * ratio * ratio);
}

}  // namespace

// Reports arrive on the simulating thread; each is handed to the window's own thread.
class SimulationCheckDialog::PostedProgress : public sim::SimulationProgress {
  public:
    explicit PostedProgress(SimulationCheckDialog& window) : window_(window) {}
    void Report(const sim::ProgressReport& report) override {
        SimulationCheckDialog* window = &window_;
        QMetaObject::invokeMethod(
            window, [window, report] { window->ShowProgress(report); }, Qt::QueuedConnection);
    }

  private:
    SimulationCheckDialog& window_;
};

SimulationCheckDialog::SimulationCheckDialog(PlatformDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), reporter_(std::make_unique<PostedProgress>(*this)) {
    setWindowTitle(QStringLiteral("Проверка имитацией"));
    warnings_ = new QLabel(this);
    warnings_->setWordWrap(true);
    warnings_->setStyleSheet(QStringLiteral("color: #8b0000;"));
    warnings_->hide();
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("СМО"), QStringLiteral("Характеристика"),
                                       QStringLiteral("Анализ"), QStringLiteral("Имитация"),
                                       QStringLiteral("± полуширина"), QStringLiteral("Разность"),
                                       QStringLiteral("Вне интервала")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    InstallGridCopy(*table_);
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    closeButton_ = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(cancelButton_, &QPushButton::clicked, this, &SimulationCheckDialog::Cancel);
    connect(closeButton_, &QPushButton::clicked, this, &SimulationCheckDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warnings_);
    layout->addWidget(status_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(InitialSize);
    KeepWindowSize(*this, InitialSize);
}

SimulationCheckDialog::~SimulationCheckDialog() {
    Stop();
}

bool SimulationCheckDialog::Start(const NetworkDocument& document) {
    Stop();
    const sim::SimulationInput input = sim::ReadSimulationInput(document.Model());
    if (!input.CanSimulate()) {
        dialogs_.ShowError(this,
                           QString::fromStdString(sim::ProblemMessage(input.Problems.front())));
        return false;
    }
    QStringList warnings;
    for (const sim::OverloadWarning& overload : input.Overloads)
        warnings << QString::fromStdString(sim::OverloadMessage(overload));
    warnings_->setText(warnings.join(QLatin1Char('\n')));
    warnings_->setVisible(!warnings.isEmpty());
    document_ = &document;
    comparison_.clear();
    result_ = {};
    table_->setRowCount(0);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Идет имитация..."));
    cancelButton_->setEnabled(true);
    cancel_ = false;
    running_ = true;
    const int run = ++run_;
    worker_ = std::thread([this, run, network = input.Network, options = options_] {
        auto result = std::make_shared<sim::SimulationResult>();
        QString failure;
        try {
            *result = sim::Simulate(network, options, reporter_.get(), &cancel_);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
        QMetaObject::invokeMethod(
            this, [this, run, result, failure] { Finish(run, result, failure); },
            Qt::QueuedConnection);
    });
    return true;
}

void SimulationCheckDialog::Cancel() {
    cancel_ = true;
}

void SimulationCheckDialog::Stop() {
    cancel_ = true;
    Join();
    running_ = false;
    cancelButton_->setEnabled(false);
}

void SimulationCheckDialog::Join() {
    if (worker_.joinable()) worker_.join();
}

void SimulationCheckDialog::reject() {
    Stop();
    QDialog::reject();
}

void SimulationCheckDialog::ShowProgress(const sim::ProgressReport& report) {
    if (!running_) return;
    progress_->setValue(PercentDone(report, options_.Precision));
    status_->setText(QStringLiteral("Идет имитация: %1 событий, %2 с, наибольшая относительная "
                                    "полуширина %3.")
                         .arg(report.Events)
                         .arg(Number(report.Seconds, 3))
                         .arg(Percent(report.WidestRelativeHalfWidth)));
}

// A run that was stopped when the window closed may still report: only the run awaited counts.
void SimulationCheckDialog::Finish(int run, std::shared_ptr<sim::SimulationResult> result,
                                   QString failure) {
    Join();
    if (run != run_ || !document_) return;
    running_ = false;
    cancelButton_->setEnabled(false);
    if (!failure.isEmpty()) {
        status_->setText(failure);
        dialogs_.ShowError(this, failure);
        return;
    }
    result_ = *result;
    comparison_ = sim::CompareWithAnalysis(document_->Model(), document_->Engine(),
                                           document_->Work().ClassResultsPath(), result_);
    progress_->setValue(result_.End == sim::SimulationEnd::PrecisionReached ? 100
                                                                            : progress_->value());
    status_->setText(HeadText(result_) + QLatin1Char('\n') + EndText(result_) +
                     QStringLiteral("\nРазность: имитация − анализ."));
    FillTable();
}

void SimulationCheckDialog::FillTable() {
    table_->setRowCount(static_cast<int>(comparison_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const ComparedFigure& figure = comparison_[row];
        const bool estimated = figure.Simulated.Samples > 0;
        const auto unknown = QStringLiteral("—");
        const QString cells[ColumnCount] = {
            figure.Qs == 0 ? QStringLiteral("Сеть") : QString::number(figure.Qs),
            FigureText(figure),
            figure.Analytic ? Number(*figure.Analytic, ValueDigits) : unknown,
            estimated ? Number(figure.Simulated.Mean, ValueDigits) : unknown,
            estimated ? Number(figure.Simulated.HalfWidth, UncertainDigits) : unknown,
            figure.Analytic && estimated ? Number(figure.Difference(), UncertainDigits) : unknown,
            figure.Outside() ? QStringLiteral("*") : QString()};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (figure.Outside()) item->setBackground(OutsideTint);
            table_->setItem(row, c, item);
        }
    }
    table_->resizeColumnsToContents();
}

}  // namespace qnetica
