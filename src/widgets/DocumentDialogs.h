#pragma once

#include <QString>

#include "document/DocumentQuestions.h"
#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

// The network document's questions as the platform's boxes and file dialogs over one window.
// Both file dialogs start in the folder last used (kept between sessions; the user's home at
// first); each remembers the last file chosen in it.
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
    std::optional<std::string> AskPath(bool save, QString& lastName);

    PlatformDialogs& dialogs_;
    QWidget* parent_ = nullptr;
    QString lastOpened_ = QStringLiteral("*.qnf");
    QString lastSaved_ = QStringLiteral("*.qnf");
};

}  // namespace qnetica
