#include "ui/AboutDialog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

namespace qnetica {
namespace {

// The version as the CMake project states it, read from the project file itself.
QString ProjectVersion() {
    QFile project(QStringLiteral(QNETICA_SOURCE_DIR "/CMakeLists.txt"));
    if (!project.open(QIODevice::ReadOnly)) return {};
    const auto match =
        QRegularExpression(QStringLiteral(R"re(project\(Qnetica VERSION ([0-9.]+))re"))
            .match(QString::fromUtf8(project.readAll()));
    return match.captured(1);
}

TEST(AboutDialogTest, ShowsTitleAndTheVersionOfTheProject) {
    AboutDialog about;
    ASSERT_FALSE(ProjectVersion().isEmpty());
    EXPECT_EQ(about.windowTitle(), "о программе");
    EXPECT_EQ(about.TitleLabel()->text(), "Qnetica v " + ProjectVersion());
    EXPECT_TRUE(about.TitleLabel()->font().bold());
    EXPECT_EQ(about.TitleLabel()->font().pixelSize(), 12);
    EXPECT_EQ(about.OkButton()->text(), "ОК");  // Cyrillic letters
    EXPECT_TRUE(about.DescriptionLabel()->text().contains("сетей массового обслуживания"));
}

// The licence of the program and of every library it carries, and where Qt's source is, as the
// LGPL asks; the libraries of the tests are said not to be part of it.
TEST(AboutDialogTest, NamesTheLicenceAndEveryLibraryWithItsLicence) {
    AboutDialog about;
    const QString text = about.Details()->toPlainText();
    EXPECT_TRUE(text.contains("распространяется по лицензии MIT"));
    const std::pair<const char*, const char*> libraries[] = {
        {"Qt ", "(LGPL v3)"},
        {"CLI11", "(BSD-3-Clause)"},
        {"nlohmann/json", "лицензия MIT"},
    };
    for (const auto& [library, licence] : libraries) {
        SCOPED_TRACE(library);
        // The licence is said in the library's own item (a line of the plain text).
        const auto at = text.indexOf(library);
        ASSERT_GE(at, 0);
        const QString item = text.mid(at, text.indexOf('\n', at) - at);
        EXPECT_TRUE(item.contains(licence)) << item.toStdString();
    }
    EXPECT_TRUE(text.contains("https://download.qt.io/official_releases/qt/"));
    EXPECT_TRUE(text.contains("apt-get source qt6-base"));
    EXPECT_TRUE(text.contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(text.contains("только для тестов"));
}

}  // namespace
}  // namespace qnetica
