#include "ui/AboutDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace qnetica {
namespace {

TEST(AboutDialogTest, ShowsTitleAndVersion) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "о программе");
    EXPECT_EQ(about.TitleLabel()->text(), "Qnetica v 1.2.3.24");
    EXPECT_TRUE(about.TitleLabel()->font().bold());
    EXPECT_EQ(about.TitleLabel()->font().pixelSize(), 12);
    EXPECT_EQ(about.OkButton()->text(), "ОК");  // Cyrillic letters
}

}  // namespace
}  // namespace qnetica
