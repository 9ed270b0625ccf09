#include "editor/LoadLegend.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <algorithm>

#include "editor/LoadColours.h"

namespace qnetica {
namespace {

constexpr int Margin = 8;  // from the corner of the area, and inside the frame
constexpr int TextPixels = 11;
constexpr int ScaleHeight = 12;
constexpr int Swatch = 14;

const QString OverloadText = QStringLiteral("перегрузка: значения не установились");

QFont LegendFont() {
    QFont font;
    font.setPixelSize(TextPixels);
    return font;
}

}  // namespace

LoadLegend::LoadLegend(QWidget* parent) : QWidget(parent) {
    const QFontMetrics metrics(LegendFont());
    setFixedSize(Margin * 2 + Swatch + 6 + metrics.horizontalAdvance(OverloadText), 96);
    setAttribute(Qt::WA_TransparentForMouseEvents);  // the scheme under it stays usable
    if (parent) parent->installEventFilter(this);
    FollowCorner();
}

void LoadLegend::SetNote(const QString& note) {
    note_ = note;
    update();
}

bool LoadLegend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) FollowCorner();
    return QWidget::eventFilter(watched, event);
}

void LoadLegend::FollowCorner() {
    if (const QWidget* area = parentWidget())
        move(std::max(0, area->width() - width() - Margin), Margin);
}

void LoadLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(LegendFont());
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    const int left = Margin;
    const int right = width() - Margin;
    int y = Margin + 11;
    painter.drawText(left, y, QStringLiteral("Коэффициент загрузки СМО"));
    if (!note_.isEmpty()) painter.drawText(left, y += 14, note_);

    const QRect scale(left, y += 6, right - left, ScaleHeight);
    QLinearGradient gradient(scale.topLeft(), scale.topRight());
    for (double load : {0.0, 0.25, 0.5, 0.75, 1.0})
        gradient.setColorAt(load, LoadColours::OfLoad(load));
    painter.fillRect(scale, gradient);
    painter.drawRect(scale.adjusted(0, 0, -1, -1));
    y = scale.bottom() + 13;
    painter.drawText(QRect(left, scale.bottom() + 1, 40, 14), Qt::AlignLeft, QStringLiteral("0"));
    painter.drawText(QRect(scale.center().x() - 20, scale.bottom() + 1, 40, 14), Qt::AlignHCenter,
                     QStringLiteral("0,5").replace(QLatin1Char(','), QLocale().decimalPoint()));
    painter.drawText(QRect(right - 40, scale.bottom() + 1, 40, 14), Qt::AlignRight,
                     QStringLiteral("1"));

    const QRect swatch(left, y + 4, Swatch, Swatch);
    painter.fillRect(swatch, LoadColours::Overloaded);
    painter.fillRect(swatch, LoadColours::HatchBrush());
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.drawText(swatch.right() + 6, swatch.bottom() - 2, OverloadText);
}

}  // namespace qnetica
