#pragma once

#include <QDialog>

namespace qnetica {

// The calculation parameters dialog; its controls arrive with the run driver.
class TForm7 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm7(QWidget* parent = nullptr);
};

}  // namespace qnetica
