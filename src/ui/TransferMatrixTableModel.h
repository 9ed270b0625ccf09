#pragma once

#include <QAbstractTableModel>

#include "model/TransferMatrix.h"

namespace qnetica {

// The transfer matrix as a table of 151 x 151 text cells, read and written in place: the grid
// keeps no copy of the cells. Row i, column j is cell (i, j); both headers are the node labels.
class TransferMatrixTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TransferMatrixTableModel(TransferMatrix& matrix, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The model changed cells behind the grid's back (clear, open, random fill, removal).
    void CellsChanged();

  signals:
    void CellEdited(int from, int to);  // through the grid, by the user

  private:
    TransferMatrix& matrix_;
};

}  // namespace qnetica
