#pragma once

#include <QString>
#include <optional>

#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

enum class ImageFormat { Bitmap, Vector };

struct ImageFileChoice {
    QString Path;
    ImageFormat Format = ImageFormat::Bitmap;
};

// The save dialog "Сохранить диаграмму" for pictures: the editor's scheme and the charts. A raster
// type writes a BMP whatever the extension, a vector type an SVG file. A name typed without an
// extension gets that of the chosen type. The dialog remembers the last name between uses.
class ImageSaveDialog {
  public:
    explicit ImageSaveDialog(PlatformDialogs& dialogs) : dialogs_(dialogs) {}

    static FileDialogRequest Request(const QString& fileName);
    std::optional<ImageFileChoice> Ask(QWidget* parent);  // nullopt when cancelled

  private:
    PlatformDialogs& dialogs_;
    QString lastFileName_;
};

}  // namespace qnetica
