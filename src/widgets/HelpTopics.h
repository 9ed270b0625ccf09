#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace qnetica {

// A page of the help: its file in the help folder and its title in the contents.
struct HelpPage {
    QString File;
    QString Title;
};

// Where the help tells about something: a page and, optionally, a section's anchor on it.
struct HelpTopic {
    QString Page;
    QString Anchor;
};

// Every page of the help, in the order of the contents; the first is the contents page.
const QList<HelpPage>& HelpPages();
QString HelpContentsPage();

// The page of each window, by its class name (as Qt spells it, with the namespace) or by its
// object name. One table for the whole program, so that F1 from any window finds its page.
struct WindowHelp {
    QString Window;  // class name, or object name for windows of Qt's own classes
    HelpTopic Topic;
};
const QList<WindowHelp>& WindowHelpTable();

// The topic of a window: its object name, then its class and the classes it derives from; the
// contents page for a window the table does not know.
HelpTopic HelpTopicFor(const QWidget* window);

}  // namespace qnetica
