#pragma once

#include <QDialog>

namespace qnetica {

// The per-QS characteristics chart; its chart arrives with the charts.
class TForm10 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm10(QWidget* parent = nullptr);
};

}  // namespace qnetica
