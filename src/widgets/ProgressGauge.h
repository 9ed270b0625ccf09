#pragma once

#include <QWidget>

namespace qnetica {

// A horizontal gauge: a maroon bar on the tooltip colour with the percentage done in the
// middle. Every new value is painted at once, also while the program does not process events.
class ProgressGauge : public QWidget {
    Q_OBJECT

  public:
    explicit ProgressGauge(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    void SetProgress(int value);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Progress() const { return value_; }
    int PercentDone() const;  // 0..100, whole percent, rounded down

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
};

}  // namespace qnetica
