#include "widgets/ExampleList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qnetica {
namespace {

TEST(ExampleListTest, ReadsTheIndexInOrderAndLeavesOutWhatCannotBeOpened) {
    QDir().mkpath(QStringLiteral("models"));
    for (const char* name : {"b.qnf", "a.qnf"})
        QFile(QStringLiteral("models/") + name).open(QIODevice::WriteOnly);
    QFile index(QStringLiteral("models/examples.tsv"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "file\ttitle\tdescription\r\n"
        "b.qnf\tБэ\tВторой по алфавиту, первый по списку\r\n"
        "missing.qnf\tНет\tФайла нет\r\n"
        "a.qnf\tА\r\n"
        "a.qnf\tА\tПервый\r\n");
    index.close();
    const QList<ExampleNetwork> examples = ReadExampleList(QStringLiteral("models"));
    ASSERT_EQ(examples.size(), 2);
    EXPECT_EQ(examples[0].Path, QFileInfo(QStringLiteral("models/b.qnf")).absoluteFilePath());
    EXPECT_EQ(examples[0].Title, QStringLiteral("Бэ"));
    EXPECT_EQ(examples[0].Description, QStringLiteral("Второй по алфавиту, первый по списку"));
    EXPECT_EQ(examples[1].Title, QStringLiteral("А"));
    EXPECT_TRUE(ReadExampleList(QStringLiteral("no-folder")).isEmpty());
}

}  // namespace
}  // namespace qnetica
