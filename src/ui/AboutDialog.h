#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace qnetica {

// The About box: the program's title and version, and "ОК".
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* TitleLabel() const { return titleLabel_; }
    QPushButton* OkButton() const { return okButton_; }

  private:
    QLabel* titleLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace qnetica
