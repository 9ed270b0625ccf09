#pragma once

#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace qnetica {

class RecentFiles;

// The File menu's "Примеры" and "Последние файлы" submenus and a separator, before an item of
// the menu (the exit item). openRecent tells whether the file opened.
void AddFileSubmenus(QMenu* fileMenu, QAction* before, QWidget* owner, RecentFiles& recent,
                     const std::function<void(const QString&)>& openExample,
                     const std::function<bool(const QString&)>& openRecent);

}  // namespace qnetica
