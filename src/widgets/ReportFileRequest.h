#pragma once

#include "widgets/PlatformDialogs.h"

namespace qnetica {

// The save dialog of a report file, as the results window and the calculation parameters both
// ask for one: text files, starting in the working folder, where a varied run writes its report.
FileDialogRequest ReportFileRequest();

}  // namespace qnetica
