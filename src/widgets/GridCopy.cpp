#include "widgets/GridCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <algorithm>
#include <functional>

namespace qnetica {
namespace {

struct Block {
    int FirstRow = 0;
    int LastRow = -1;
    int FirstColumn = 0;
    int LastColumn = -1;
};

Block CopiedBlock(const QTableView& grid) {
    const QAbstractItemModel* model = grid.model();
    Block block{0, model->rowCount() - 1, 0, model->columnCount() - 1};
    const QModelIndexList selected =
        grid.selectionModel() ? grid.selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty()) return block;
    block = {selected.front().row(), selected.front().row(), selected.front().column(),
             selected.front().column()};
    for (const QModelIndex& index : selected) {
        block.FirstRow = std::min(block.FirstRow, index.row());
        block.LastRow = std::max(block.LastRow, index.row());
        block.FirstColumn = std::min(block.FirstColumn, index.column());
        block.LastColumn = std::max(block.LastColumn, index.column());
    }
    return block;
}

// A tab or a line end inside a cell would split it.
QString CellText(const QVariant& value) {
    QString text = value.toString();
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

QString GridText(const QTableView& grid) {
    const QAbstractItemModel* model = grid.model();
    if (!model) return {};
    const Block block = CopiedBlock(grid);
    QStringList lines;
    const auto line = [&](const std::function<QVariant(int)>& cell) {
        QStringList cells;
        for (int c = block.FirstColumn; c <= block.LastColumn; ++c)
            if (!grid.isColumnHidden(c)) cells << CellText(cell(c));
        lines << cells.join(QLatin1Char('\t'));
    };
    if (!grid.horizontalHeader()->isHidden())
        line([model](int c) { return model->headerData(c, Qt::Horizontal, Qt::DisplayRole); });
    for (int r = block.FirstRow; r <= block.LastRow; ++r)
        if (!grid.isRowHidden(r)) line([model, r](int c) { return model->index(r, c).data(); });
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

namespace {

// The view's own copy key would copy the current cell alone: the key is taken before it.
class CopyKey : public QObject {
  public:
    explicit CopyKey(QTableView& grid) : QObject(&grid), grid_(grid) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool key =
            event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (watched != &grid_ || !key ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        if (event->type() == QEvent::KeyPress)
            QGuiApplication::clipboard()->setText(GridText(grid_));
        event->accept();
        return true;
    }

  private:
    QTableView& grid_;
};

}  // namespace

void InstallGridCopy(QTableView& grid) {
    grid.installEventFilter(new CopyKey(grid));
}

}  // namespace qnetica
