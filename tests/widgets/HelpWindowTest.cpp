#include "widgets/HelpWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "widgets/HelpTopics.h"
#include "widgets/ModelessWindow.h"

namespace qnetica {
namespace {

QString HelpFolder() {
    return QStringLiteral(QNETICA_SOURCE_DIR "/help");
}

// The text a reader sees on a page, worked out from the file without Qt's document: the body
// without its tags, with the few entities the pages use.
QString VisibleText(const QString& page) {
    QFile file(QDir(HelpFolder()).filePath(page));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString html = QString::fromUtf8(file.readAll());
    html = html.mid(html.indexOf(QStringLiteral("<body>")));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

QStringList VisibleTopLevelPages(const QTreeWidget& contents) {
    QStringList pages;
    for (int i = 0; i < contents.topLevelItemCount(); ++i)
        if (!contents.topLevelItem(i)->isHidden())
            pages.append(contents.topLevelItem(i)->data(0, Qt::UserRole).toString());
    return pages;
}

TEST(HelpWindowTest, OpensAPageOnItsSectionAndFollowsItInTheContents) {
    HelpWindow help(HelpFolder());
    help.resize(700, 500);
    help.show();
    help.Open(QStringLiteral("results.htm"), QStringLiteral("messages"));
    EXPECT_EQ(help.CurrentPage(), QStringLiteral("results.htm"));
    EXPECT_EQ(help.CurrentAnchor(), QStringLiteral("messages"));
    // A section near the end of a long page: the page is scrolled down to it.
    EXPECT_GT(help.Browser()->verticalScrollBar()->value(), 0);
    const QTreeWidgetItem* current = help.Contents()->currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->data(0, Qt::UserRole + 1).toString(), QStringLiteral("messages"));

    help.Open(QStringLiteral("no-such-page.htm"));
    EXPECT_EQ(help.CurrentPage(), HelpContentsPage());
}

// The search keeps exactly the pages whose visible text holds the word, opens the first with
// Enter and marks every place of the word on it.
TEST(HelpWindowTest, SearchKeepsThePagesHoldingTheTextAndMarksEveryPlace) {
    HelpWindow help(HelpFolder());
    help.resize(700, 500);
    help.show();
    for (const QString& word : {QStringLiteral("Эрланг"), QStringLiteral("кобхэм"),
                                QStringLiteral("перегруж"), QStringLiteral("qnetica-calc")}) {
        SCOPED_TRACE(word.toStdString());
        QStringList expected;
        for (const HelpPage& page : HelpPages())
            if (VisibleText(page.File).contains(word, Qt::CaseInsensitive))
                expected.append(page.File);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(help.PagesContaining(word), expected);

        help.Search(word);
        EXPECT_EQ(VisibleTopLevelPages(*help.Contents()), expected);
        QTest::keyClick(help.SearchField(), Qt::Key_Return);
        EXPECT_EQ(help.CurrentPage(), expected.front());
        EXPECT_EQ(help.MarkedCount(),
                  VisibleText(expected.front()).count(word, Qt::CaseInsensitive));
    }
    help.Search({});
    EXPECT_EQ(VisibleTopLevelPages(*help.Contents()).size(), HelpPages().size());
    EXPECT_EQ(help.MarkedCount(), 0);
}

// Over a modal window, which blocks every other, the help comes up modal itself, to be read and
// closed; without one it is an ordinary window.
TEST(HelpWindowTest, ComesUpUsableOverAModalWindow) {
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    HelpWindow help(HelpFolder());
    ShowModeless(help);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &help);
    ShowModeless(help);  // again, while it is the modal window in front
    EXPECT_EQ(QApplication::activeModalWidget(), &help);
    help.close();
    dialog.close();
    ShowModeless(help);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(HelpWindowTest, FOneInADialogOpensItsPage) {
    HelpWindow::Instance().SetFolder(HelpFolder());
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("ImageSaveDialog"));
    InstallHelpKey(&dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance().CurrentPage(), QStringLiteral("image-save.htm"));
    EXPECT_TRUE(HelpWindow::Instance().isVisible());
    HelpWindow::Instance().close();
}

}  // namespace
}  // namespace qnetica
