// F1 from every window of the program finds that window's own page of the help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSet>

#include "app/ProgramWindows.h"
#include "support/ScriptedDialogs.h"
#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"

namespace qnetica {
namespace {

QString HelpFolder() {
    return QStringLiteral(QNETICA_SOURCE_DIR "/help");
}

// Every window the program makes at its start, whatever new ones it gets: its top-level widgets
// of the program's own classes.
QList<QWidget*> ProgramWindowsOf() {
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (QString::fromLatin1(widget->metaObject()->className()).startsWith("qnetica::") &&
            !qobject_cast<HelpWindow*>(widget))
            windows.append(widget);
    return windows;
}

TEST(HelpCoverageTest, FOneFromEveryWindowOpensAPageOfItsOwn) {
    HelpWindow::Instance().SetFolder(HelpFolder());
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    const QList<QWidget*> windows = ProgramWindowsOf();
    EXPECT_GE(windows.size(), 11);
    QSet<QString> pages;
    for (QWidget* window : windows) {
        const QString name = QString::fromLatin1(window->metaObject()->className());
        SCOPED_TRACE(name.toStdString());
        const HelpTopic topic = HelpTopicFor(window);
        EXPECT_NE(topic.Page, HelpContentsPage()) << "no page in the table";
        EXPECT_TRUE(QFile::exists(HelpFolder() + '/' + topic.Page));
        pages.insert(topic.Page + '#' + topic.Anchor);
        ShowHelpFor(window);
        EXPECT_EQ(HelpWindow::Instance().CurrentPage(), topic.Page);
        EXPECT_EQ(HelpWindow::Instance().CurrentAnchor(), topic.Anchor);
        if (!topic.Anchor.isEmpty()) {
            EXPECT_TRUE(HelpWindow::Instance().SectionAnchors(topic.Page).contains(topic.Anchor));
        }
    }
    EXPECT_EQ(pages.size(), windows.size()) << "two windows share a page or section";
    HelpWindow::Instance().close();
}

}  // namespace
}  // namespace qnetica
