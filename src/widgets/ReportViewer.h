#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace qnetica {

class PlatformDialogs;

// Shows a report file (Windows-1251 with CR LF line ends, as the program writes it) as text in
// a fixed-width font, so that its tables line up, on any desktop. The file is only read: a saved
// copy holds the very bytes that were read, and copying hands the text to the clipboard.
class ReportViewer : public QWidget {
    Q_OBJECT

  public:
    explicit ReportViewer(PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the file and shows its text; an error box and false when it cannot be read.
    bool Open(const QString& path);
    // Open, then the window in front ("Просмотреть отчет").
    bool ShowReport(const QString& path);
    bool SaveCopy();         // asks for a file name; false when cancelled or not written
    void CopyToClipboard();  // the selection, or the whole report when nothing is selected

    QString Path() const { return path_; }
    QString Text() const;  // as shown: UTF-8 with "\n" line ends
    QPlainTextEdit* View() const { return view_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* CopyButton() const { return copyButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

  private:
    PlatformDialogs& dialogs_;
    QString path_;
    QByteArray bytes_;  // the file as read
    QPlainTextEdit* view_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace qnetica
