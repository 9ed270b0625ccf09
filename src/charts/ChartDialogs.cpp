#include "charts/ChartDialogs.h"

#include "ui/QtPlatformDialogs.h"

namespace qnetica {

ChartDialogs StandaloneChartDialogs() {
    static QtPlatformDialogs dialogs;
    static ImageSaveDialog saveDialog(dialogs);
    return {dialogs, saveDialog};
}

}  // namespace qnetica
