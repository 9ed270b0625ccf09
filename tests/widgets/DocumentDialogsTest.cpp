// Saving a network through the file dialog: the name and the type chosen agree with the form the
// file is written in, whatever the user typed.
#include "widgets/DocumentDialogs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "document/NetworkDocument.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

struct SaveCase {
    const char* typed;
    int typeIndex;  // 1: .qnf, 2: JSON
    const char* written;
    bool json;
};

const SaveCase SaveCases[] = {
    {"net", 1, "net.qnf", false},      {"net", 2, "net.json", true},
    {"net.json", 1, "net.json", true}, {"net.qnf", 2, "net.qnf", false},
    {"net.JSON", 1, "net.JSON", true}, {"net.v2", 2, "net.v2.json", true},
};

class DocumentDialogsSaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(DocumentDialogsSaveTest, NameTypeAndFormAgree) {
    const SaveCase& c = GetParam();
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    DocumentDialogs questions(dialogs);
    NetworkDocument document(questions);
    document.AddQs();
    dialogs.QueueFile(folder.filePath(c.typed), c.typeIndex);
    ASSERT_TRUE(document.SaveAs());
    const QString written = folder.filePath(c.written);
    EXPECT_EQ(document.FilePath(), written.toStdString());
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.written;
    EXPECT_EQ(file.read(1) == "{", c.json);
    EXPECT_EQ(file.size() == 564160, !c.json);
}

INSTANTIATE_TEST_SUITE_P(Names, DocumentDialogsSaveTest, ::testing::ValuesIn(SaveCases));

}  // namespace
}  // namespace qnetica
