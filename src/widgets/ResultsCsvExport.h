#pragma once

#include "runs/RunFigures.h"
#include "widgets/PlatformDialogs.h"

class QWidget;

namespace qnetica {

// "Экспорт в CSV": asks for a file and writes the figures of the run into it, in the form that
// a spreadsheet of the user's locale reads. A file that cannot be written gives an error box;
// false then, and when the dialog was cancelled or there is nothing to write.
bool ExportResultsCsv(QWidget* parent, PlatformDialogs& dialogs, const RunFigures& figures);

}  // namespace qnetica
