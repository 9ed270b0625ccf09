#pragma once

#include <QWidget>

namespace qnetica {

class ProgressGauge;

// The progress window of a calculation: one gauge that fills the whole window.
class ProgressWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    ProgressGauge* Gauge() const { return gauge_; }

  private:
    ProgressGauge* gauge_ = nullptr;
};

}  // namespace qnetica
