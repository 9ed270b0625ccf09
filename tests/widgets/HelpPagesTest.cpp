// The help as files: every page of the contents exists, every link and picture resolves, every
// section has an anchor the browser finds, and the window table points at real sections.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"

namespace qnetica {
namespace {

QString HelpFolder() {
    return QStringLiteral(QNETICA_SOURCE_DIR "/help");
}

QString ReadPage(const QString& page) {
    QFile file(QDir(HelpFolder()).filePath(page));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& html, const QString& pattern) {
    QStringList found;
    for (const auto& match : QRegularExpression(pattern).globalMatch(html))
        found.append(match.captured(1));
    return found;
}

// What a link may point at: name= and id= of the page's elements.
QSet<QString> Anchors(const QString& html) {
    const QStringList names = Captures(html, QStringLiteral(R"re(\s(?:name|id)="([^"]+)")re"));
    return {names.begin(), names.end()};
}

QStringList PageFiles() {
    QStringList files;
    for (const HelpPage& page : HelpPages()) files.append(page.File);
    return files;
}

TEST(HelpPagesTest, TheContentsListEveryPageOfTheFolderAndNoOther) {
    QStringList onDisk = QDir(HelpFolder()).entryList({QStringLiteral("*.htm")}, QDir::Files);
    QStringList listed = PageFiles();
    onDisk.sort();
    listed.sort();
    EXPECT_EQ(listed, onDisk);
    EXPECT_EQ(HelpContentsPage(), QStringLiteral("help.htm"));  // the page the program opens
}

TEST(HelpPagesTest, EveryLinkAndPictureResolves) {
    QStringList broken;
    for (const QString& page : PageFiles()) {
        const QString html = ReadPage(page);
        for (const QString& link : Captures(html, QStringLiteral(R"re(href="([^"]*)")re"))) {
            if (link.startsWith(QStringLiteral("http"))) continue;
            const QString file = link.section('#', 0, 0);
            const QString anchor = link.section('#', 1);
            const QString target = file.isEmpty() ? page : file;
            if (!QFileInfo::exists(QDir(HelpFolder()).filePath(target)))
                broken.append(page + QStringLiteral(": no page ") + link);
            else if (!anchor.isEmpty() && !Anchors(ReadPage(target)).contains(anchor))
                broken.append(page + QStringLiteral(": no section ") + link);
        }
        for (const QString& picture :
             Captures(html, QStringLiteral(R"re(<img[^>]*src="([^"]*)")re")))
            if (QImage(QDir(HelpFolder()).filePath(picture)).isNull())
                broken.append(page + QStringLiteral(": no picture ") + picture);
    }
    EXPECT_EQ(broken, QStringList{});
}

// Each page is UTF-8 with a title, and every second-level heading carries an anchor that the
// text browser itself finds (it scrolls to anchors it knows, not to any attribute).
TEST(HelpPagesTest, EverySectionHasAnAnchorTheBrowserFinds) {
    const HelpWindow help(HelpFolder());
    for (const QString& page : PageFiles()) {
        SCOPED_TRACE(page.toStdString());
        const QString html = ReadPage(page);
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))));
        const QStringList headings =
            Captures(html, QStringLiteral(R"re(<h2><a name="([^"]+)">)re"));
        EXPECT_EQ(headings.size(), html.count(QStringLiteral("<h2")));
        EXPECT_FALSE(headings.isEmpty());
        EXPECT_EQ(help.SectionAnchors(page), headings);
    }
}

// The pages share one style sheet; the browser must find it, or the headings lose their colour.
TEST(HelpPagesTest, TheBrowserAppliesTheSharedStyleSheet) {
    QTextBrowser browser;
    for (const QString& page : PageFiles()) {
        SCOPED_TRACE(page.toStdString());
        browser.setSource(QUrl::fromLocalFile(QDir(HelpFolder()).filePath(page)));
        const QTextBlock heading = browser.document()->begin().next();  // after the contents bar
        EXPECT_EQ(heading.charFormat().foreground().color(), QColor(0x80, 0, 0))
            << heading.text().toStdString();
    }
}

TEST(HelpPagesTest, EveryWindowOfTheTablePointsAtAPageAndSectionThatExist) {
    for (const WindowHelp& entry : WindowHelpTable()) {
        SCOPED_TRACE(entry.Window.toStdString());
        EXPECT_TRUE(PageFiles().contains(entry.Topic.Page));
        if (!entry.Topic.Anchor.isEmpty()) {
            EXPECT_TRUE(Anchors(ReadPage(entry.Topic.Page)).contains(entry.Topic.Anchor));
        }
    }
}

}  // namespace
}  // namespace qnetica
