#include "widgets/WindowSizeKeeper.h"

#include <QEvent>
#include <QWidget>

namespace qnetica {
namespace {

class SizeKeeper : public QObject {
  public:
    SizeKeeper(QWidget& window, QSize size) : QObject(&window), window_(window), size_(size) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->spontaneous() || window_.isMaximized()) return false;
        if (event->type() == QEvent::Hide) size_ = window_.size();
        if (event->type() == QEvent::Show && window_.size() != size_) {
            QRect place = window_.geometry();
            const QPoint centre = place.center();
            place.setSize(size_);
            place.moveCenter(centre);
            window_.setGeometry(place);
        }
        return false;
    }

  private:
    QWidget& window_;
    QSize size_;
};

}  // namespace

void KeepWindowSize(QWidget& window, QSize size) {
    window.installEventFilter(new SizeKeeper(window, size));
}

}  // namespace qnetica
