#include "widgets/ImageSaveDialog.h"

#include <QDir>
#include <QFileInfo>

namespace qnetica {
namespace {

constexpr int VectorTypeIndex = 2;

}  // namespace

FileDialogRequest ImageSaveDialog::Request(const QString& fileName) {
    FileDialogRequest request;
    request.Title = QStringLiteral("Сохранить диаграмму");
    request.Types = {{QStringLiteral("Битовый массив (bmp)"), QStringLiteral("*.bmp")},
                     {QStringLiteral("Векторная графика (SVG)"), QStringLiteral("*.svg")}};
    request.FileName = fileName;
    request.Folder = QDir::currentPath();  // until a name with its folder was chosen
    return request;
}

std::optional<ImageFileChoice> ImageSaveDialog::Ask(QWidget* parent) {
    const auto answer = dialogs_.AskSaveFile(parent, Request(lastFileName_));
    if (!answer) return std::nullopt;
    ImageFileChoice choice;
    choice.Format =
        answer->TypeIndex == VectorTypeIndex ? ImageFormat::Vector : ImageFormat::Bitmap;
    choice.Path = answer->Path;
    if (QFileInfo(choice.Path).suffix().isEmpty())
        choice.Path +=
            choice.Format == ImageFormat::Vector ? QStringLiteral(".svg") : QStringLiteral(".bmp");
    lastFileName_ = choice.Path;
    return choice;
}

}  // namespace qnetica
