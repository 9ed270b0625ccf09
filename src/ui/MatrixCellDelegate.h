#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace qnetica {

// Reports the start of editing a grid cell: merely entering a cell's editor counts as a
// change of the network, even when the text is then left as it was.
class MatrixCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    MatrixCellDelegate(std::function<void()> editingStarted, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  private:
    std::function<void()> editingStarted_;
};

}  // namespace qnetica
