#pragma once

#include <QAbstractTableModel>
#include <optional>

#include "model/NetworkModel.h"

namespace qnetica {

// The transfer matrix as a table of 151 x 151 text cells, read and written in place: the grid
// keeps no copy of the cells. Row i, column j is cell (i, j); both headers are the node labels.
// Numbers show the user's decimal separator and are kept with "."; a cell takes a number, typed
// with "," or ".", or nothing (no transfer), and refuses any other text. Each cell's whole text
// is its tooltip, and the header of a row of the network whose sum is not 1 is marked, with the
// sum as its tooltip.
class TransferMatrixTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit TransferMatrixTableModel(NetworkModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The model changed cells behind the grid's back (clear, open, random fill, removal).
    void CellsChanged();
    // The sum of row i over the nodes of the network, as the calculation forms it; nullopt for
    // a row of no node of the network or one that sums to 1 within the calculation's tolerance.
    std::optional<double> RowSumNotOne(int row) const;

  signals:
    void CellEdited(int from, int to);         // through the grid, by the user
    void CellRefused(const QString& message);  // a typed text that is no number

  private:
    QVariant RowHeaderData(int row, int role) const;

    NetworkModel& model_;
};

}  // namespace qnetica
