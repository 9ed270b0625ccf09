#pragma once

#include <QString>

namespace qnetica {

// The folder a file was last opened from or saved into, kept between sessions, where the next
// file dialog starts; the home folder before the first.
QString LastFolder();
void RememberFolderOf(const QString& path);

}  // namespace qnetica
