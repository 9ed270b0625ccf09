#pragma once

#include <QPoint>
#include <QWidget>

class QImage;

namespace qnetica {

// Shows the scheme surface from its top-left corner and reports the pointer in surface
// coordinates. A click is a left press and release on the image; the press of a double click
// makes no click of its own.
class SchemeView : public QWidget {
    Q_OBJECT

  public:
    explicit SchemeView(const QImage& image, QWidget* parent = nullptr);

  signals:
    void Clicked(QPoint point);
    void PointerMoved(QPoint point);
    void DoubleClicked(QPoint point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    const QImage& image_;
    bool clickPressed_ = false;
};

}  // namespace qnetica
