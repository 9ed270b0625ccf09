#include "widgets/ReportViewer.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "runs/ResultTables.h"
#include "runs/ResultsReport.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Windows-1251 of the characters the reports use, from the code page's table and not from the
// program's codec: ASCII, А..я at 0xC0..0xFF, Ё 0xA8, ё 0xB8, № 0xB9.
QByteArray Cp1251(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += static_cast<char>(u);
        else if (u >= 0x410 && u <= 0x44F)
            bytes += static_cast<char>(0xC0 + (u - 0x410));
        else if (u == 0x401)
            bytes += static_cast<char>(0xA8);
        else if (u == 0x451)
            bytes += static_cast<char>(0xB8);
        else if (u == 0x2116)
            bytes += static_cast<char>(0xB9);
        else
            ADD_FAILURE() << "no Windows-1251 byte for U+" << std::hex << static_cast<int>(u);
    }
    return bytes;
}

struct ReportCase {
    const char* Name;
    QStringList Lines;
};

// The viewer shows the text of the bytes, one line per CR LF, and gives it whole to the
// clipboard; a saved copy has the very bytes of the file, which stays as it was.
TEST(ReportViewerTest, ShowsTheCyrillicTextAndCopiesTheBytesUnchanged) {
    const ReportCase cases[] = {
        {"letters",
         {QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"),
          QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя №1")}},
        {"report table",
         {QStringLiteral("Характеристики сети в целом:"),
          QStringLiteral("| Среднее время пребывания заявки в сети:    | 0.6666666667 |"),
          QString(67, QLatin1Char('-'))}},
        {"empty line inside",
         {QStringLiteral("Общее число шагов: 6"), QString(), QStringLiteral(">>")}},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QByteArray bytes;
        for (const QString& line : c.Lines) bytes += Cp1251(line) + "\r\n";
        WriteBytes(QStringLiteral("report.txt"), bytes);
        ScriptedDialogs dialogs;
        ReportViewer viewer(dialogs);
        ASSERT_TRUE(viewer.Open(QStringLiteral("report.txt")));
        const QString shown = c.Lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        EXPECT_EQ(viewer.Text(), shown);

        viewer.CopyToClipboard();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
        dialogs.QueueFile(QStringLiteral("copy.txt"));
        EXPECT_TRUE(viewer.SaveCopy());
        EXPECT_EQ(ReadBytes(QStringLiteral("copy.txt")), bytes);
        EXPECT_EQ(ReadBytes(QStringLiteral("report.txt")), bytes);
    }
}

// A report the program writes: the viewer shows the lines the report was made of.
TEST(ReportViewerTest, ShowsAResultsReportAsItsLinesRead) {
    ResultTables tables;
    tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    tables.SourceTable[1] = {"1", "Терапевт", "0.1500000000", "4"};
    const ReportLines lines = BuildResultsReport(tables, 2);
    ASSERT_TRUE(WriteResultsReport("results.txt", tables, 2).Ok);
    ScriptedDialogs dialogs;
    ReportViewer viewer(dialogs);
    ASSERT_TRUE(viewer.Open(QStringLiteral("results.txt")));
    QString expected;
    for (const std::string& line : lines) expected += QString::fromStdString(line) + '\n';
    EXPECT_EQ(viewer.Text(), expected);
    EXPECT_TRUE(QFontInfo(viewer.View()->font()).fixedPitch());  // the font used, not asked
    EXPECT_EQ(viewer.View()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(ReportViewerTest, CopiesTheSelectionAndSaysWhenAFileCannotBeRead) {
    WriteBytes(QStringLiteral("short.txt"), Cp1251(QStringLiteral("Отчет\r\nстрока два\r\n")));
    ScriptedDialogs dialogs;
    ReportViewer viewer(dialogs);
    ASSERT_TRUE(viewer.Open(QStringLiteral("short.txt")));
    QTextCursor cursor(viewer.View()->document());
    cursor.setPosition(2);
    cursor.setPosition(12, QTextCursor::KeepAnchor);  // "чет", the line end, "строка"
    viewer.View()->setTextCursor(cursor);
    viewer.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("чет\nстрока"));

    dialogs.QueueFileCancel();
    EXPECT_FALSE(viewer.SaveCopy());
    EXPECT_FALSE(viewer.Open(QStringLiteral("missing.txt")));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].Text.contains(QStringLiteral("missing.txt")));
    EXPECT_EQ(viewer.Path(), QStringLiteral("short.txt"));  // the report shown stays
}

}  // namespace
}  // namespace qnetica
