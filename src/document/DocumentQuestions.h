#pragma once

#include <optional>
#include <string>

namespace qnetica {

enum class SaveChangesAnswer { Save, Discard, Cancel };

// What the network document asks of the user and tells them. The windows answer with message
// boxes and file dialogs; tests answer from a script.
class DocumentQuestions {
  public:
    virtual ~DocumentQuestions() = default;

    // Before a changed network is thrown away: save it first, throw it away, or keep it.
    virtual SaveChangesAnswer AskSaveChanges(const std::string& question) = 0;
    // The file to open or to save into; nullopt when the user cancelled.
    virtual std::optional<std::string> AskOpenPath() = 0;
    virtual std::optional<std::string> AskSavePath() = 0;
    virtual void ShowError(const std::string& message) = 0;
    virtual void ShowNotice(const std::string& message) = 0;  // a plain box
};

}  // namespace qnetica
