#pragma once

#include <QList>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace qnetica {

// One example network of the program's models folder, as its index "examples.tsv" names it.
struct ExampleNetwork {
    QString Path;  // the .qnf file, absolute
    QString Title;
    QString Description;  // one line, for a tooltip or a status bar
};

// The examples in the order of the index: a UTF-8 text whose first line is the header
// "file<TAB>title<TAB>description" and each further line one network. Lines that do not have
// the three fields, and files that do not exist, are left out. Empty without an index.
QList<ExampleNetwork> ReadExampleList(const QString& modelsFolder);
// The same for the models folder of the program's data.
QList<ExampleNetwork> ExampleNetworks();

// The submenu "Примеры" of a File menu: one item per example, its description as the tip;
// choosing one calls open with its path.
QMenu* CreateExamplesMenu(QWidget* parent, const std::function<void(const QString&)>& open);

}  // namespace qnetica
