#pragma once

#include <QString>
#include <string>

namespace qnetica {

// A window's caption for the network it shows: the file's name (or "Без имени" for a network
// never saved), a "*" while it has changes that are not in its file, and the window's own name,
// e.g. "сеть.qnf* — Qnetica".
QString DocumentTitle(const std::string& filePath, bool modified, const QString& windowName);

}  // namespace qnetica
