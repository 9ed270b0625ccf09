#pragma once

#include <QWidget>

namespace qnetica {

// The key to the scheme's load colours: the scale from green to red with its loads 0, 0.5 and
// 1, and the hatched dark red of an overloaded QS. It keeps to the top right corner of the
// widget it lies on (the image area's viewport), whatever that widget's size.
class LoadLegend : public QWidget {
    Q_OBJECT

  public:
    explicit LoadLegend(QWidget* parent);

    // A line under the title, e.g. which step of a varied run the colours show; empty for none.
    void SetNote(const QString& note);
    QString Note() const { return note_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void FollowCorner();

    QString note_;
};

}  // namespace qnetica
