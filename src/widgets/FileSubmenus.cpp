#include "widgets/FileSubmenus.h"

#include <QMenu>

#include "widgets/ExampleList.h"
#include "widgets/RecentFiles.h"

namespace qnetica {

void AddFileSubmenus(QMenu* fileMenu, QAction* before, QWidget* owner, RecentFiles& recent,
                     const std::function<void(const QString&)>& openExample,
                     const std::function<bool(const QString&)>& openRecent) {
    fileMenu->insertMenu(before, CreateExamplesMenu(owner, openExample));
    fileMenu->insertMenu(before, recent.CreateMenu(owner, openRecent));
    fileMenu->insertSeparator(before);
}

}  // namespace qnetica
