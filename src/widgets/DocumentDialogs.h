#pragma once

#include <QString>

#include "document/DocumentQuestions.h"
#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

// The network document's questions as the platform's boxes and file dialogs over one window.
// The open and the save dialog each remember the last file chosen in them.
class DocumentDialogs : public DocumentQuestions {
  public:
    DocumentDialogs(PlatformDialogs& dialogs, QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }

    SaveChangesAnswer AskSaveChanges(const std::string& question) override;
    std::optional<std::string> AskOpenPath() override;
    std::optional<std::string> AskSavePath() override;
    void ShowError(const std::string& message) override;
    void ShowNotice(const std::string& message) override;

  private:
    struct FileMemory {
        QString Folder;
        QString FileName = QStringLiteral("*.qnf");
    };
    std::optional<std::string> AskPath(bool save, FileMemory& memory);

    PlatformDialogs& dialogs_;
    QWidget* parent_ = nullptr;
    FileMemory openMemory_;
    FileMemory saveMemory_;
};

}  // namespace qnetica
