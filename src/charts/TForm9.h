#pragma once

#include <QDialog>

namespace qnetica {

// The network characteristics chart; its chart arrives with the charts.
class TForm9 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm9(QWidget* parent = nullptr);
};

}  // namespace qnetica
