#pragma once

class QChartView;

namespace qnetica {

struct ChartDialogs;

// "Сохранить" of both chart windows: asks for a file in the image save dialog and writes the
// chart as it is shown, as BMP, PNG or SVG, the format that the dialog matched to the name's
// suffix. A file that cannot be written gives an error box naming it; false then, and also when
// the dialog was cancelled.
bool SaveChartImage(QChartView& chart, const ChartDialogs& dialogs);

}  // namespace qnetica
