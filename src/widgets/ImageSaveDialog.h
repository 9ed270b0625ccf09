#pragma once

#include <QString>
#include <optional>

#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

enum class ImageFormat { Bitmap, Png, Vector };

struct ImageFileChoice {
    QString Path;
    ImageFormat Format = ImageFormat::Bitmap;
};

// The save dialog "Сохранить диаграмму" for pictures: the editor's scheme and the charts, as BMP,
// SVG or PNG. The file's type and its name's suffix always agree: a name that ends in one of
// these suffixes is written in that format whatever type was chosen, and any other name gets the
// chosen type's suffix added. The dialog offers the last name again with that name's type.
class ImageSaveDialog {
  public:
    // The types in the dialog's list, counted from 1.
    static constexpr int BitmapType = 1;
    static constexpr int VectorType = 2;
    static constexpr int PngType = 3;

    explicit ImageSaveDialog(PlatformDialogs& dialogs) : dialogs_(dialogs) {}

    static FileDialogRequest Request(const QString& fileName, int typeIndex = BitmapType);
    // The file to write, from what the dialog answered.
    static ImageFileChoice Resolve(const FileDialogAnswer& answer);
    std::optional<ImageFileChoice> Ask(QWidget* parent);  // nullopt when cancelled

  private:
    PlatformDialogs& dialogs_;
    QString lastFileName_;
    int lastType_ = BitmapType;
};

}  // namespace qnetica
