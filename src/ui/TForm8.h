#pragma once

#include <QWidget>

namespace qnetica {

class ProgressGauge;

// The progress window of a calculation: one gauge that fills the whole window.
class TForm8 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm8(QWidget* parent = nullptr);

    ProgressGauge* Gauge1() const { return gauge_; }

  private:
    ProgressGauge* gauge_ = nullptr;
};

}  // namespace qnetica
