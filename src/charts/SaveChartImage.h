#pragma once

class QChartView;

namespace qnetica {

struct ChartDialogs;

// "Сохранить" of both chart windows: asks for a file in the image save dialog and writes the
// chart as it is shown, as a BMP for the raster type and as SVG for the vector type, whatever
// the name's extension. A file that cannot be written gives an error box naming it; false then,
// and also when the dialog was cancelled.
bool SaveChartImage(QChartView& chart, const ChartDialogs& dialogs);

}  // namespace qnetica
