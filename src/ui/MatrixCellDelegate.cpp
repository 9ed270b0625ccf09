#include "ui/MatrixCellDelegate.h"

namespace qnetica {

MatrixCellDelegate::MatrixCellDelegate(std::function<void()> editingStarted, QObject* parent)
    : QStyledItemDelegate(parent), editingStarted_(std::move(editingStarted)) {}

QWidget* MatrixCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    if (editingStarted_) editingStarted_();
    return QStyledItemDelegate::createEditor(parent, option, index);
}

}  // namespace qnetica
