#include "ui/ProgressWindow.h"

#include <QVBoxLayout>

#include "widgets/ProgressGauge.h"

namespace qnetica {
namespace {

const QSize InitialSize(420, 48);

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setWindowTitle(QStringLiteral("Подождите идет расчет..."));
    gauge_ = new ProgressGauge(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gauge_);
    resize(InitialSize);
}

}  // namespace qnetica
