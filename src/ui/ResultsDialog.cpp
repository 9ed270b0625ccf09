#include "ui/ResultsDialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "runs/ResultsReport.h"
#include "ui/SimulationCheckDialog.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/GridCopy.h"
#include "widgets/ReportFileRequest.h"
#include "widgets/ResultsCsvExport.h"
#include "widgets/WindowSizeKeeper.h"

namespace qnetica {
namespace {

const QString HeaderStyle = QStringLiteral(
    "QHeaderView::section { background-color: #c0f0c0; color: black;"
    " border: 1px solid #a0c8a0; padding: 2px; }");

const QSize InitialSize(960, 600);
const QSize MinimumSize(250, 100);
constexpr int CellTextHeight = 11;  // pixels
constexpr int HeaderTextLines = 3;  // the long titles of the QS table wrap
constexpr int GridMargin = 16;      // the grids are this much narrower than the window
constexpr int HeaderPadding = 10;   // pixels beside a header's text

// The heights of the three grids, as shares of the room above the buttons.
constexpr int GridStretch[3] = {30, 45, 20};

// Column widths as shares of the grid's width.
constexpr double SourceColumnShare = 0.24;
constexpr double QsColumnDivisor = 9.2;
constexpr double NetworkLabelShare = 0.7;
constexpr double NetworkValueShare = 0.24;

// The column of the QS names, which are shown as they were typed even when they look like numbers.
constexpr int SourceNameColumn = 1;

// What a bounded QS loses, after the report's columns of the QS table; never in a report.
const QString LossHeaders[] = {QStringLiteral("Вероятность потери"),
                               QStringLiteral("Обслуженный поток")};
constexpr int LossColumnCount = 2;

QString ShownCell(const std::string& text, bool number) {
    return number ? ShownNumber(text) : QString::fromStdString(text);
}

// The width of a column's widest cell (the table view hides the base class's public method).
// The longest cell, and the longest word of the header, which wraps between words only.
int ContentWidth(const QTableWidget* grid, int column) {
    int widest = static_cast<const QAbstractItemView*>(grid)->sizeHintForColumn(column);
    if (const QTableWidgetItem* header = grid->horizontalHeaderItem(column)) {
        const QFontMetrics metrics(grid->horizontalHeader()->font());
        for (const QString& word : header->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, metrics.horizontalAdvance(word) + HeaderPadding);
    }
    return widest;
}

// The QS numbers as a list: "3" or "1, 3".
QString NumberList(const std::vector<int>& numbers) {
    QStringList texts;
    for (int number : numbers) texts << QString::number(number);
    return texts.join(QStringLiteral(", "));
}

}  // namespace

const QColor ResultsDialog::OverloadTint(255, 205, 205);

ResultsDialog::ResultsDialog(PlatformDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Результат"));
    CreateControls();
    resize(InitialSize);
    setMinimumSize(MinimumSize);
    KeepWindowSize(*this, InitialSize);
}

void ResultsDialog::CreateControls() {
    grids_[0] = CreateGrid(static_cast<int>(SourceColumnCount), true);
    grids_[1] = CreateGrid(static_cast<int>(QsColumnCount) + LossColumnCount, true);
    grids_[2] = CreateGrid(static_cast<int>(NetworkColumnCount), false);
    grids_[2]->setRowCount(static_cast<int>(NetworkRowCount));
    overloadNote_ = new QLabel(this);
    overloadNote_->setWordWrap(true);
    overloadNote_->setStyleSheet(QStringLiteral("color: #8b0000;"));
    overloadNote_->hide();
    reportButton_ = new QPushButton(QStringLiteral("Отчет"), this);
    reportButton_->setAutoDefault(false);
    csvButton_ = new QPushButton(QStringLiteral("Экспорт в CSV"), this);
    csvButton_->setAutoDefault(false);
    simulationButton_ = new QPushButton(QStringLiteral("Проверить имитацией"), this);
    simulationButton_->setAutoDefault(false);
    simulation_ = new SimulationCheckDialog(dialogs_, this);
    okButton_ = new QPushButton(QStringLiteral("ОК"), this);
    okButton_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reportButton_);
    buttons->addWidget(csvButton_);
    buttons->addWidget(simulationButton_);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    for (int g = 0; g < 3; ++g) layout->addWidget(grids_[g], GridStretch[g]);
    layout->addWidget(overloadNote_);
    layout->addLayout(buttons);

    connect(reportButton_, &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(csvButton_, &QPushButton::clicked, this, [this] { ExportCsv(); });
    connect(simulationButton_, &QPushButton::clicked, this, [this] { CheckBySimulation(); });
    connect(okButton_, &QPushButton::clicked, this, &ResultsDialog::accept);
}

QTableWidget* ResultsDialog::CreateGrid(int columns, bool headerRow) {
    auto* grid = new QTableWidget(0, columns, this);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    QFont font = grid->font();
    font.setPixelSize(CellTextHeight);
    grid->setFont(font);
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, QToolTip::palette().color(QPalette::ToolTipText));
    grid->setPalette(palette);

    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStyleSheet(HeaderStyle);
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    header->setFixedHeight(QFontMetrics(font).height() * HeaderTextLines + 8);
    header->setVisible(headerRow);
    InstallGridCopy(*grid);
    return grid;
}

void ResultsDialog::ShowResults(ResultTables& tables, int nodeCount, const RunFigures* figures) {
    PrepareForOpening(tables, nodeCount, figures);
    okButton_->setFocus();
    dialogs_.ShowModal(*this);
}

void ResultsDialog::PrepareForOpening(ResultTables& tables, int nodeCount,
                                      const RunFigures* figures) {
    tables_ = &tables;
    nodeCount_ = nodeCount;
    figures_ = figures && !figures->Empty() ? figures : nullptr;
    tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    // A network without QS keeps the row count of the last one.
    if (nodeCount > 1) shownRows_ = nodeCount;
    ShowRows(shownRows_);
    ShowLosses(shownRows_);
    ShowOverloads(shownRows_);
    csvButton_->setEnabled(figures_ != nullptr);
    simulationButton_->setEnabled(figures_ != nullptr && document_ != nullptr);
    FitColumns();
}

// A bounded QS's loss probability and served flow, as the engine left them; the columns are
// there only for a network with a bounded QS.
void ResultsDialog::ShowLosses(int rows) {
    const StepFigures* step = figures_ ? &figures_->Steps().back() : nullptr;
    bool bounded = false;
    QTableWidget* grid = grids_[1];
    for (int k = 1; k < rows; ++k) {
        const QsFigures* qs =
            step && k <= static_cast<int>(step->Qs.size()) ? &step->Qs[k - 1] : nullptr;
        const bool shown = qs && qs->Kind == QsKind::Bounded;
        bounded = bounded || shown;
        const double values[LossColumnCount] = {shown ? qs->LossProbability : 0,
                                                shown ? qs->ServedRate : 0};
        for (int c = 0; c < LossColumnCount; ++c)
            grid->setItem(k - 1, static_cast<int>(QsColumnCount) + c,
                          new QTableWidgetItem(shown ? ShownFixed(values[c]) : QString()));
    }
    for (int c = 0; c < LossColumnCount; ++c)
        grid->setColumnHidden(static_cast<int>(QsColumnCount) + c, !bounded);
}

// The last step's QS that failed the overload test: their rows in both QS grids, and the note.
void ResultsDialog::ShowOverloads(int rows) {
    const std::vector<int> overloaded =
        figures_ ? figures_->Steps().back().OverloadedQs() : std::vector<int>();
    for (int k : overloaded) {
        if (k >= rows) continue;
        for (QTableWidget* grid : {grids_[0], grids_[1]})
            for (int c = 0; c < grid->columnCount(); ++c)
                if (QTableWidgetItem* item = grid->item(k - 1, c))
                    item->setBackground(OverloadTint);
    }
    overloadNote_->setVisible(!overloaded.empty());
    if (overloaded.empty()) return;
    overloadNote_->setText(
        QStringLiteral("Сеть перегружена: в СМО %1 коэффициент загрузки не меньше 1, очередь "
                       "растет без предела. Характеристики этих СМО не установились (в таблице их "
                       "нет), поэтому итоги сети неверны.")
            .arg(NumberList(overloaded)));
}

// The tables keep the report's texts; the grids show their numbers with the user's separator.
void ResultsDialog::ShowRows(int rows) {
    auto fill = [rows](QTableWidget* grid, const auto& table, int textColumn) {
        const int columns = static_cast<int>(table[0].size());
        QStringList titles;
        for (int c = 0; c < columns; ++c) titles << QString::fromStdString(table[0][c]);
        for (int c = columns; c < grid->columnCount(); ++c) titles << LossHeaders[c - columns];
        grid->setHorizontalHeaderLabels(titles);
        grid->setRowCount(rows - 1);
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                grid->setItem(r - 1, c,
                              new QTableWidgetItem(ShownCell(table[r][c], c != textColumn)));
    };
    fill(grids_[0], tables_->SourceTable, SourceNameColumn);
    fill(grids_[1], tables_->QsTable, -1);
    for (int r = 0; r < static_cast<int>(NetworkRowCount); ++r)
        for (int c = 0; c < static_cast<int>(NetworkColumnCount); ++c)
            grids_[2]->setItem(r, c,
                               new QTableWidgetItem(ShownCell(tables_->NetworkTable[r][c], true)));
}

int ResultsDialog::RowCount(const QTableWidget* grid) const {
    return grid->rowCount() + (grid->horizontalHeader()->isHidden() ? 0 : 1);
}

// Each column's share of its grid, so that the tables fill the window's width.
void ResultsDialog::FitColumns() {
    // From the window's width: the grids' own widths are not laid out before the first showing.
    const int width = std::max(0, this->width() - GridMargin);
    // A column never gets narrower than its longest cell, so that large numbers stay readable.
    auto fit = [](QTableWidget* grid, int column, double share) {
        grid->setColumnWidth(column, std::max(static_cast<int>(share), ContentWidth(grid, column)));
    };
    for (int c = 0; c < static_cast<int>(SourceColumnCount); ++c)
        fit(grids_[0], c, SourceColumnShare * width);
    // The loss columns, when shown, share the width with the report's nine.
    int lossColumns = 0;
    for (int c = static_cast<int>(QsColumnCount); c < grids_[1]->columnCount(); ++c)
        lossColumns += grids_[1]->isColumnHidden(c) ? 0 : 1;
    for (int c = 0; c < grids_[1]->columnCount(); ++c)
        fit(grids_[1], c, width / (QsColumnDivisor + lossColumns));
    fit(grids_[2], 0, NetworkLabelShare * width);
    fit(grids_[2], 1, NetworkValueShare * width);
}

void ResultsDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitColumns();
}

// Polishing at the first showing gives the headers the style's section sizes: fit again.
void ResultsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FitColumns();
}

bool ResultsDialog::CheckBySimulation() {
    if (!document_ || !simulation_->Start(*document_)) return false;
    dialogs_.ShowModal(*simulation_);
    simulation_->Stop();  // closed, or never shown by a caller that answers in its place
    return true;
}

bool ResultsDialog::ExportCsv() {
    return figures_ && ExportResultsCsv(this, dialogs_, *figures_);
}

bool ResultsDialog::SaveReport() {
    if (!tables_) return false;
    const auto chosen = dialogs_.AskSaveFile(this, ReportFileRequest());
    if (!chosen) return false;
    const FileResult written = WriteResultsReport(chosen->Path.toStdString(), *tables_, nodeCount_);
    if (!written.Ok) dialogs_.ShowError(this, QString::fromStdString(written.Message));
    return written.Ok;
}

}  // namespace qnetica
