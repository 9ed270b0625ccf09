#pragma once

#include "editor/ImageSaveDialog.h"
#include "ui/PlatformDialogs.h"

namespace qnetica {

// What a chart window asks through: the platform's boxes and the image save dialog that the
// charts share with the editor's image export.
struct ChartDialogs {
    PlatformDialogs& Dialogs;
    ImageSaveDialog& SaveDialog;
};

// For chart windows made without the program's own dialogs: the platform's real boxes and one
// image save dialog common to all such windows.
ChartDialogs StandaloneChartDialogs();

}  // namespace qnetica
