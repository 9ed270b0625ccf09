#pragma once

#include <QString>

namespace qnetica {

// The folder that holds the program's help/ and models/: PREFIX/share/qnetica when the program
// runs installed as PREFIX/bin/qnetica, and the program's own folder in the build tree.
QString DataFolder();
QString DataPath(const QString& relative);  // a file or folder inside DataFolder()

}  // namespace qnetica
