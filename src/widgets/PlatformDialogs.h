#pragma once

#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace qnetica {

// What a message box looks like: its icon and, for the question, its meaning.
enum class MessageBoxKind { Plain, Error, Warning, Information };
enum class MessageBoxButtons { Ok, YesNo, YesNoCancel };
enum class MessageBoxAnswer { Ok, Yes, No, Cancel };

// One entry of a file dialog's type list, e.g. {"Стохастическая сеть", "*.qnf"}.
struct FileType {
    QString Description;
    QString Pattern;
};

struct FileDialogRequest {
    QString Title;
    QList<FileType> Types;
    QString FileName;       // offered name; a pattern such as "*.qnf" offers none
    QString Folder;         // used when FileName holds no folder of its own
    QString DefaultSuffix;  // without the dot; added to a name typed without one
    int TypeIndex = 1;      // type shown first, counted from 1
};

struct FileDialogAnswer {
    QString Path;
    int TypeIndex = 1;  // the type the user chose, counted from 1
};

enum class DocumentWindow { Normal, Maximised };

// Everything modal that the platform provides. Windows ask through this interface only, so
// that tests can answer in their place and no test ever waits on a real modal box.
class PlatformDialogs {
  public:
    virtual ~PlatformDialogs() = default;

    virtual MessageBoxAnswer ShowMessage(QWidget* parent, MessageBoxKind kind, const QString& text,
                                         MessageBoxButtons buttons) = 0;
    // std::nullopt when the user cancelled.
    virtual std::optional<FileDialogAnswer> AskOpenFile(QWidget* parent,
                                                        const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogAnswer> AskSaveFile(QWidget* parent,
                                                        const FileDialogRequest& request) = 0;
    // Hands a document to the desktop's default application; false when that failed.
    virtual bool OpenDocument(const QString& path, DocumentWindow window) = 0;
    // Shows one of the program's own windows modally and returns when it was closed.
    virtual void ShowModal(QWidget& window) = 0;

    // The boxes with one OK button.
    void ShowPlain(QWidget* parent, const QString& text);
    void ShowError(QWidget* parent, const QString& text);
    void ShowInformation(QWidget* parent, const QString& text);
};

// The filter string of a Qt file dialog: "Стохастическая сеть (*.qnf)", entries joined by ";;".
QString QtFileFilter(const QList<FileType>& types);

}  // namespace qnetica
