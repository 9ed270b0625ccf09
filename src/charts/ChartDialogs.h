#pragma once

#include "widgets/ImageSaveDialog.h"
#include "widgets/PlatformDialogs.h"

namespace qnetica {

// What a chart window asks through: the platform's boxes and the image save dialog that the
// charts share with the editor's image export.
struct ChartDialogs {
    PlatformDialogs& Dialogs;
    ImageSaveDialog& SaveDialog;
};

}  // namespace qnetica
