#include "ui/TransferMatrixTableModel.h"

#include <QBrush>
#include <QColor>

#include "engine/WorkMatrix.h"
#include "model/NumberEntry.h"
#include "widgets/DecimalSeparator.h"

namespace qnetica {
namespace {

const QColor WrongSumBackground(255, 205, 205);
const QColor WrongSumText(150, 0, 0);

std::string CellField(int from, int to) {
    return "Вероятность перехода из " + NetworkModel::NodeLabel(from) + " в " +
           NetworkModel::NodeLabel(to);
}

}  // namespace

TransferMatrixTableModel::TransferMatrixTableModel(NetworkModel& model, QObject* parent)
    : QAbstractTableModel(parent), model_(model) {}

int TransferMatrixTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TransferMatrix::Size;
}

int TransferMatrixTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TransferMatrix::Size;
}

QVariant TransferMatrixTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) return {};
    const QString shown = ShownNumber(model_.Matrix().Cell(index.row(), index.column()));
    if (role == Qt::ToolTipRole && shown.isEmpty()) return {};
    return shown;
}

bool TransferMatrixTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int from = index.row();
    const int to = index.column();
    const NumberEntry entry =
        ReadNumberEntry(CellField(from, to), value.toString().toStdString(), EmptyEntry::Allowed);
    if (!entry.Taken()) {
        emit CellRefused(QString::fromStdString(entry.Refusal));
        return false;
    }
    model_.Matrix().SetCell(from, to, entry.Text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
    emit headerDataChanged(Qt::Vertical, from, from);
    emit CellEdited(from, to);
    return true;
}

Qt::ItemFlags TransferMatrixTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant TransferMatrixTableModel::headerData(int section, Qt::Orientation orientation,
                                              int role) const {
    if (role == Qt::DisplayRole) return QString::fromStdString(NetworkModel::NodeLabel(section));
    if (orientation == Qt::Vertical) return RowHeaderData(section, role);
    return {};
}

QVariant TransferMatrixTableModel::RowHeaderData(int row, int role) const {
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole && role != Qt::ToolTipRole)
        return {};
    const auto sum = RowSumNotOne(row);
    if (!sum) return {};
    switch (role) {
        case Qt::BackgroundRole:
            return QBrush(WrongSumBackground);
        case Qt::ForegroundRole:
            return QBrush(WrongSumText);
        default:
            return QStringLiteral("Сумма строки %1 не равна 1: %2")
                .arg(QString::fromStdString(NetworkModel::NodeLabel(row)), ShownFixed(*sum));
    }
}

// Added as the calculation adds a row: each cell to the sum in extended precision, the sum
// rounded to a double after each addition; cells that are no numbers count as 0 (the calculation
// names them).
std::optional<double> TransferMatrixTableModel::RowSumNotOne(int row) const {
    const int nodes = model_.NodeCount();
    if (row < 0 || row >= nodes) return std::nullopt;
    double sum = 0;
    for (int to = 0; to < nodes; ++to)
        sum = static_cast<double>(static_cast<long double>(sum) +
                                  model_.Matrix().Number(row, to).Value);
    if (RowSumIsOne(sum)) return std::nullopt;
    return sum;
}

void TransferMatrixTableModel::CellsChanged() {
    emit dataChanged(index(0, 0), index(TransferMatrix::Size - 1, TransferMatrix::Size - 1),
                     {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole});
    emit headerDataChanged(Qt::Vertical, 0, TransferMatrix::Size - 1);
}

}  // namespace qnetica
