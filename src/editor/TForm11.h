#pragma once

#include <QDialog>

namespace qnetica {

// The automatic model generator; its fields arrive with the editor.
class TForm11 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm11(QWidget* parent = nullptr);
};

}  // namespace qnetica
