#include "widgets/HelpPage.h"

#include "widgets/DataFolder.h"
#include "widgets/PlatformDialogs.h"

namespace qnetica {

void ShowHelpPage(PlatformDialogs& dialogs) {
    dialogs.OpenDocument(DataPath(QStringLiteral("help/help.htm")), DocumentWindow::Maximised);
}

}  // namespace qnetica
