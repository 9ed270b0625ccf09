#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <optional>

class QImage;

namespace qnetica {

class SchemeOverlay;

// Shows the scheme surface from its top-left corner and reports the left button and the
// pointer in surface coordinates. The second press of a double click is a press like any other:
// two quick clicks on one symbol are two clicks, and the double click is reported besides.
// Over the surface it can show the picked source of a link and the line from it to the pointer;
// these marks are the window's, never part of the scheme.
class SchemeView : public QWidget {
    Q_OBJECT

  public:
    struct PickMark {
        QRect Symbol;   // the picked symbol's box
        QLine Line;     // from its centre to the pointer
        bool Dashed{};  // a link being deleted
        bool operator==(const PickMark&) const = default;
    };
    static const QColor MarkColour;

    explicit SchemeView(const QImage& image, QWidget* parent = nullptr);

    // Painted over the surface, under the marks, and asked for tooltips; nullptr for none.
    void SetOverlay(SchemeOverlay* overlay);

    // Repaints what the marks covered and cover now; nullopt hides them.
    void ShowPickMark(const std::optional<PickMark>& mark);
    const std::optional<PickMark>& ShownPickMark() const { return mark_; }

  signals:
    void Pressed(QPoint point);
    void Released(QPoint point, bool onImage);
    void PointerMoved(QPoint point, bool buttonHeld);
    void DoubleClicked(QPoint point);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    static QRect MarkArea(const std::optional<PickMark>& mark);

    const QImage& image_;
    SchemeOverlay* overlay_ = nullptr;
    bool leftPressed_ = false;
    std::optional<PickMark> mark_;
};

}  // namespace qnetica
