#pragma once

#include <QDialog>

namespace qnetica {

// The results window of a fixed calculation; its tables and report arrive with the run driver.
class TForm3 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm3(QWidget* parent = nullptr);
};

}  // namespace qnetica
