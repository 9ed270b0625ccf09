#include "widgets/ImageSaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <iterator>

namespace qnetica {
namespace {

struct ImageType {
    ImageFormat Format;
    const char* Suffix;
    const char* Description;
};

// In the order of the dialog's list; the raster and the vector type keep their old places.
const ImageType Types[] = {{ImageFormat::Bitmap, "bmp", "Битовый массив (bmp)"},
                           {ImageFormat::Vector, "svg", "Векторная графика (SVG)"},
                           {ImageFormat::Png, "png", "Рисунок PNG (png)"}};
constexpr int TypeCount = static_cast<int>(std::size(Types));

const ImageType& TypeAt(int typeIndex) {
    return Types[typeIndex >= 1 && typeIndex <= TypeCount ? typeIndex - 1 : 0];
}

// The type whose suffix ends the name, counted from 1; 0 for none.
int TypeOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (int k = 1; k <= TypeCount; ++k)
        if (suffix.compare(QLatin1String(TypeAt(k).Suffix), Qt::CaseInsensitive) == 0) return k;
    return 0;
}

}  // namespace

FileDialogRequest ImageSaveDialog::Request(const QString& fileName, int typeIndex) {
    FileDialogRequest request;
    request.Title = QStringLiteral("Сохранить диаграмму");
    for (const ImageType& type : Types)
        request.Types.append({QString::fromUtf8(type.Description),
                              QStringLiteral("*.") + QLatin1String(type.Suffix)});
    request.FileName = fileName;
    request.Folder = QDir::currentPath();  // until a name with its folder was chosen
    request.TypeIndex = typeIndex;
    // Follows the type the user picks, where the platform's dialog allows.
    request.DefaultSuffix = QLatin1String(TypeAt(typeIndex).Suffix);
    return request;
}

ImageFileChoice ImageSaveDialog::Resolve(const FileDialogAnswer& answer) {
    ImageFileChoice choice{answer.Path, TypeAt(answer.TypeIndex).Format};
    if (const int named = TypeOfName(answer.Path)) {
        choice.Format = TypeAt(named).Format;
        return choice;
    }
    if (!choice.Path.endsWith('.')) choice.Path += '.';
    choice.Path += QLatin1String(TypeAt(answer.TypeIndex).Suffix);
    return choice;
}

std::optional<ImageFileChoice> ImageSaveDialog::Ask(QWidget* parent) {
    const auto answer = dialogs_.AskSaveFile(parent, Request(lastFileName_, lastType_));
    if (!answer) return std::nullopt;
    const ImageFileChoice choice = Resolve(*answer);
    lastFileName_ = choice.Path;
    lastType_ = TypeOfName(choice.Path);
    return choice;
}

}  // namespace qnetica
