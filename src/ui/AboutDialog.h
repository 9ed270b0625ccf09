#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace qnetica {

// The About box: the program's title and version, what it does, its licence and the libraries
// it uses with their licences (Qt's under the LGPL, with where its source is), and "ОК".
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static QString Version();      // of the build, from the CMake project
    static QString Title();        // "Qnetica v " and the version
    static QString Description();  // one sentence
    static QString DetailsHtml();  // licence and libraries

    QLabel* TitleLabel() const { return titleLabel_; }
    QLabel* DescriptionLabel() const { return descriptionLabel_; }
    QTextBrowser* Details() const { return details_; }
    QPushButton* OkButton() const { return okButton_; }

  private:
    QLabel* titleLabel_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    QTextBrowser* details_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace qnetica
