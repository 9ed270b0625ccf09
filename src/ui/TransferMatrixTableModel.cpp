#include "ui/TransferMatrixTableModel.h"

#include "model/NetworkModel.h"

namespace qnetica {

TransferMatrixTableModel::TransferMatrixTableModel(TransferMatrix& matrix, QObject* parent)
    : QAbstractTableModel(parent), matrix_(matrix) {}

int TransferMatrixTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TransferMatrix::Size;
}

int TransferMatrixTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TransferMatrix::Size;
}

QVariant TransferMatrixTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(matrix_.Cell(index.row(), index.column()));
}

bool TransferMatrixTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    matrix_.SetCell(index.row(), index.column(), value.toString().toStdString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit CellEdited(index.row(), index.column());
    return true;
}

Qt::ItemFlags TransferMatrixTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant TransferMatrixTableModel::headerData(int section, Qt::Orientation /*orientation*/,
                                              int role) const {
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(NetworkModel::NodeLabel(section));
}

void TransferMatrixTableModel::CellsChanged() {
    emit dataChanged(index(0, 0), index(TransferMatrix::Size - 1, TransferMatrix::Size - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace qnetica
