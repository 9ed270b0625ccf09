#include "widgets/ImageSaveDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <map>

#include "support/ScriptedDialogs.h"
#include "widgets/QtPlatformDialogs.h"

namespace qnetica {
namespace {

// The format each suffix stands for: what a viewer expects in a file of that name.
ImageFormat FormatOfSuffix(const QString& path) {
    static const std::map<QString, ImageFormat> formats = {
        {"bmp", ImageFormat::Bitmap}, {"png", ImageFormat::Png}, {"svg", ImageFormat::Vector}};
    return formats.at(path.section('.', -1).toLower());
}

struct NameCase {
    const char* Typed;
    std::array<const char*, 3> Written;  // with the type 1 (BMP), 2 (SVG), 3 (PNG) chosen
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.Typed;
}

class ImageSaveDialogNameTest : public ::testing::TestWithParam<NameCase> {};

// Whatever type is chosen, the file's format is the one its name's suffix stands for.
TEST_P(ImageSaveDialogNameTest, TypeAndSuffixAgreeForEveryChosenType) {
    const NameCase& c = GetParam();
    for (int type = 1; type <= 3; ++type) {
        ScriptedDialogs dialogs;
        ImageSaveDialog dialog(dialogs);
        dialogs.QueueFile(c.Typed, type);
        const auto choice = dialog.Ask(nullptr);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->Path, c.Written[type - 1]) << "type " << type;
        EXPECT_EQ(choice->Format, FormatOfSuffix(choice->Path)) << "type " << type;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ImageSaveDialogNameTest,
    ::testing::Values(NameCase{"pic", {"pic.bmp", "pic.svg", "pic.png"}},
                      NameCase{"pic.", {"pic.bmp", "pic.svg", "pic.png"}},
                      NameCase{"pic.bmp", {"pic.bmp", "pic.bmp", "pic.bmp"}},
                      NameCase{"pic.PNG", {"pic.PNG", "pic.PNG", "pic.PNG"}},
                      NameCase{"pic.svg", {"pic.svg", "pic.svg", "pic.svg"}},
                      NameCase{"pic.wmf", {"pic.wmf.bmp", "pic.wmf.svg", "pic.wmf.png"}},
                      NameCase{"a.png/pic", {"a.png/pic.bmp", "a.png/pic.svg", "a.png/pic.png"}}),
    [](const auto& info) { return "Name" + std::to_string(info.index); });

TEST(ImageSaveDialogTest, OffersTheThreeTypesAndTheLastNameWithItsOwnType) {
    ScriptedDialogs dialogs;
    ImageSaveDialog dialog(dialogs);
    dialogs.QueueFile("/tmp/big", ImageSaveDialog::VectorType);
    dialogs.QueueFileAsOffered();                                    // Enter
    dialogs.QueueFile("/tmp/big.svg", ImageSaveDialog::BitmapType);  // the type, not the name
    std::vector<ImageFileChoice> choices;
    for (int k = 0; k < 3; ++k) choices.push_back(*dialog.Ask(nullptr));
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 3u);
    QStringList patterns;
    for (const FileType& type : log[0].File.Types) patterns << type.Pattern;
    EXPECT_EQ(patterns, QStringList({"*.bmp", "*.svg", "*.png"}));
    EXPECT_EQ(log[0].File.TypeIndex, ImageSaveDialog::BitmapType);
    EXPECT_EQ(log[0].File.DefaultSuffix, "bmp");
    for (int k : {1, 2}) {
        EXPECT_EQ(log[k].File.FileName, "/tmp/big.svg");
        EXPECT_EQ(log[k].File.TypeIndex, ImageSaveDialog::VectorType);
        EXPECT_EQ(log[k].File.DefaultSuffix, "svg");
    }
    for (const ImageFileChoice& choice : choices) {
        EXPECT_EQ(choice.Path, "/tmp/big.svg");
        EXPECT_EQ(choice.Format, ImageFormat::Vector);
    }
}

// The platform's own dialog: the user picks a type in its list and perhaps types a name, then
// saves. Qt's dialog on the offscreen platform is its widget dialog.
struct QtDialogCase {
    const char* Offered;
    int OfferedType;
    int ChosenType;
    const char* Typed;  // nullptr: the offered name is kept
    const char* Answered;
};

void PrintTo(const QtDialogCase& c, std::ostream* out) {
    *out << c.Offered << " -> type " << c.ChosenType;
}

class QtSaveDialogTypeTest : public ::testing::TestWithParam<QtDialogCase> {};

TEST_P(QtSaveDialogTypeTest, ChoosingATypePutsItsSuffixOnTheName) {
    const QtDialogCase& c = GetParam();
    QTemporaryDir folder;
    FileDialogRequest request = ImageSaveDialog::Request(c.Offered, c.OfferedType);
    request.Folder = folder.path();
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (types && name) {
            acted = true;
            // What a choice in the list sends.
            types->setCurrentIndex(c.ChosenType - 1);
            emit types->activated(c.ChosenType - 1);
            emit types->textActivated(types->currentText());
            if (c.Typed) name->setText(c.Typed);
            static_cast<QDialog*>(dialog)->accept();
            return;
        }
        dialog->reject();  // never left waiting
    });
    QtPlatformDialogs platform;
    const auto answer = platform.AskSaveFile(nullptr, request);
    ASSERT_TRUE(acted) << "the file dialog's controls were not found";
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->Path, QDir(folder.path()).filePath(c.Answered));
    EXPECT_EQ(answer->TypeIndex, c.ChosenType);
    EXPECT_EQ(ImageSaveDialog::Resolve(*answer).Format, FormatOfSuffix(c.Answered));
}

INSTANTIATE_TEST_SUITE_P(Choices, QtSaveDialogTypeTest,
                         ::testing::Values(QtDialogCase{"big.svg", 2, 1, nullptr, "big.bmp"},
                                           QtDialogCase{"big.bmp", 1, 3, nullptr, "big.png"},
                                           QtDialogCase{"", 1, 2, "big", "big.svg"},
                                           QtDialogCase{"", 1, 3, "big", "big.png"},
                                           QtDialogCase{"", 3, 3, "big", "big.png"}),
                         [](const auto& info) { return "Choice" + std::to_string(info.index); });

}  // namespace
}  // namespace qnetica
