#include "editor/SchemeResultsOverlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>

#include "editor/LoadColours.h"
#include "editor/SchemeDrawing.h"
#include "editor/SchemeLayout.h"
#include "model/NumberText.h"
#include "model/SchemeArea.h"
#include "widgets/DecimalSeparator.h"

namespace qnetica {
namespace {

constexpr int LabelPixelSize = 10;
constexpr int FigurePrecision = 6;  // significant digits in a tooltip
constexpr int ProbabilityPrecision = 4;
const QPoint SymbolLabelOffset(2, 8);  // where the scheme writes a symbol's label
const QSize LabelPadding(4, 2);
constexpr int LabelClearance = 2;  // pixels between a probability's box and its line
// Along the line from the source's centre, the middle first; the last quarter holds the mark.
constexpr double Along[] = {0.5, 0.4, 0.6, 0.3, 0.7};
constexpr int LoopReach = 20;  // the loop's square starts this far up and left of the box
const QColor LabelText(0, 0, 160);
const QColor LabelBorder(120, 120, 120);

QFont ProbabilityFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(LabelPixelSize);
    return font;
}

QRect SymbolBox(const SchemeLayout& layout, int node) {
    return {layout.BoxCorner(node), QSize(SchemeLayout::SymbolSize, SchemeLayout::SymbolSize)};
}

QRect CentredBox(QPointF centre, QSize size) {
    return {QPoint(static_cast<int>(std::lround(centre.x() - size.width() / 2.0)),
                   static_cast<int>(std::lround(centre.y() - size.height() / 2.0))),
            size};
}

// The boxes already placed, filed by the squares of a coarse grid they touch, so that a new box
// is compared only with its neighbours (a random network of 150 QS has some 11,000 links).
class TakenBoxes {
  public:
    bool Free(const QRect& box) const {
        for (int row = Cell(box.top()); row <= Cell(box.bottom()); ++row)
            for (int column = Cell(box.left()); column <= Cell(box.right()); ++column) {
                const auto found = cells_.find(Key(row, column));
                if (found == cells_.end()) continue;
                for (std::size_t index : found->second)
                    if (box.intersects(boxes_[index])) return false;
            }
        return true;
    }
    void Take(const QRect& box) {
        boxes_.push_back(box);
        for (int row = Cell(box.top()); row <= Cell(box.bottom()); ++row)
            for (int column = Cell(box.left()); column <= Cell(box.right()); ++column)
                cells_[Key(row, column)].push_back(boxes_.size() - 1);
    }

  private:
    static constexpr int Square = 64;  // pixels
    static int Cell(int coordinate) { return coordinate >= 0 ? coordinate / Square : -1; }
    static std::int64_t Key(int row, int column) {
        return (static_cast<std::int64_t>(row) << 32) ^ static_cast<std::uint32_t>(column);
    }

    std::vector<QRect> boxes_;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};

// Beside a link: along its line, pushed off to the left of its direction so that the other
// direction's probability goes to the other side.
std::vector<QRect> LinkPlaces(QPoint from, QPoint to, QSize size) {
    const QPointF line = to - from;
    const double length = std::hypot(line.x(), line.y());
    if (length < 1) return {};
    const QPointF normal(line.y() / length, -line.x() / length);
    const double reach = std::fabs(normal.x()) * size.width() / 2.0 +
                         std::fabs(normal.y()) * size.height() / 2.0 + LabelClearance;
    std::vector<QRect> places;
    for (double share : Along)
        places.push_back(CentredBox(from + line * share + normal * reach, size));
    return places;
}

// Outside a loop's circle, up and left of the symbol, where the loop lies.
std::vector<QRect> LoopPlaces(QPoint corner, QSize size) {
    const double radius = (LoopReach + SchemeLayout::HalfSymbol) / 2.0;
    const QPointF centre(corner.x() - LoopReach + radius, corner.y() - LoopReach + radius);
    const double reach = radius + std::max(size.width(), size.height()) / 2.0 + LabelClearance;
    std::vector<QRect> places;
    for (double degrees : {225.0, 270.0, 180.0}) {
        const double angle = degrees * std::numbers::pi / 180.0;
        places.push_back(
            CentredBox(centre + QPointF(std::cos(angle), std::sin(angle)) * reach, size));
    }
    return places;
}

}  // namespace

SchemeResultsOverlay::SchemeResultsOverlay(const NetworkDocument& document) : document_(document) {}

// The last step of the last run: after a varied run, its last step.
const QsFigures* SchemeResultsOverlay::FiguresOf(int k) const {
    const std::vector<StepFigures>& steps = document_.Figures().Steps();
    if (steps.empty() || k < 1 || k > static_cast<int>(steps.back().Qs.size())) return nullptr;
    return &steps.back().Qs[k - 1];
}

std::optional<SchemeResultsOverlay::Fill> SchemeResultsOverlay::FillOf(int k) const {
    const QsFigures* figures = loads_ ? FiguresOf(k) : nullptr;
    if (!figures) return std::nullopt;
    if (figures->Overloaded) return Fill{LoadColours::Overloaded, true};
    return Fill{LoadColours::OfLoad(figures->LoadPerChannel()), false};
}

void SchemeResultsOverlay::Paint(QPainter& painter, const QRect& area) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (loads_) PaintLoads(painter, area);
    if (probabilities_ && !moving_) PaintLabels(painter, area);
}

// Over the scheme's own symbol, with its circle and its label where the scheme puts them.
void SchemeResultsOverlay::PaintLoads(QPainter& painter, const QRect& area) {
    const SchemeLayout layout(document_.Model());
    painter.setFont(SchemeDrawing::LabelFont());
    for (int k = 1; k < layout.NodeCount(); ++k) {
        const QRect box = SymbolBox(layout, k);
        const auto fill = FillOf(k);
        if (!fill || !area.intersects(box)) continue;
        const QRect circle(box.topLeft(), box.size() - QSize(1, 1));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(fill->Colour);
        painter.drawEllipse(circle);
        if (fill->Hatched) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(LoadColours::HatchBrush());
            painter.drawEllipse(circle);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle);
        }
        painter.setPen(LoadColours::TextOn(fill->Colour));
        painter.drawText(QRect(box.topLeft() + SymbolLabelOffset, box.size()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, SchemeLayout::Label(k));
    }
}

void SchemeResultsOverlay::PaintLabels(QPainter& painter, const QRect& area) {
    painter.setFont(ProbabilityFont());
    for (const Label& label : Labels()) {
        if (!area.intersects(label.Box)) continue;
        painter.setPen(LabelBorder);
        painter.setBrush(Qt::white);
        painter.drawRect(label.Box.adjusted(0, 0, -1, -1));
        painter.setPen(LabelText);
        painter.drawText(label.Box, Qt::AlignCenter, label.Text);
    }
}

const std::vector<SchemeResultsOverlay::Label>& SchemeResultsOverlay::Labels() {
    if (!placed_) PlaceLabels();
    return labels_;
}

// In link order, each probability takes the first of its places that is clear of every symbol
// and of the probabilities placed before it.
void SchemeResultsOverlay::PlaceLabels() {
    placed_ = true;
    labels_.clear();
    const NetworkModel& model = document_.Model();
    const SchemeLayout layout(model);
    const QFontMetrics metrics(ProbabilityFont());
    const QRect surface(0, 0, SchemeAreaWidth, SchemeAreaHeight);
    TakenBoxes taken;
    for (int node = 0; node < layout.NodeCount(); ++node)
        taken.Take(SymbolBox(layout, node).adjusted(-1, -1, 1, 1));
    for (int from = 0; from < layout.NodeCount(); ++from) {
        for (int to = 0; to < layout.NodeCount(); ++to) {
            const double value = ParseNumber(model.Matrix().Cell(from, to));
            if (value == 0) continue;
            const QString text = ShownGeneral(value, ProbabilityPrecision);
            const QSize size =
                QSize(metrics.horizontalAdvance(text), metrics.height()) + LabelPadding;
            const std::vector<QRect> places =
                from == to ? LoopPlaces(layout.BoxCorner(from), size)
                           : LinkPlaces(layout.Centre(from), layout.Centre(to), size);
            for (const QRect& place : places) {
                if (!surface.contains(place) || !taken.Free(place)) continue;
                taken.Take(place);
                labels_.push_back({from, to, place, text});
                break;
            }
        }
    }
}

QString SchemeResultsOverlay::ToolTip(QPoint point) const {
    if (!loads_) return {};
    const int k = SchemeLayout(document_.Model()).FindNodeAt(point);
    const QsFigures* f = FiguresOf(k);
    if (!f) return {};
    QStringList lines;
    QString head = SchemeLayout::Label(k);
    if (!f->Name.empty()) head += QStringLiteral(" «%1»").arg(QString::fromStdString(f->Name));
    lines << head + QStringLiteral(", ") + QString::fromUtf8(QsKindText(f->Kind));
    const auto add = [&lines](const char* name, double value) {
        lines << QString::fromUtf8(name) + QStringLiteral(": ") +
                     ShownGeneral(value, FigurePrecision);
    };
    add("Интенсивность входного потока", f->ArrivalRate);
    add("Коэффициент загрузки", f->LoadPerChannel());
    if (f->Overloaded) {
        lines << QStringLiteral("Перегрузка: очередь растет без предела, значения не установились");
        return lines.join(QLatin1Char('\n'));
    }
    add("Средняя длина очереди", f->QueueLength);
    add("Среднее время ожидания", f->WaitTime);
    add("Среднее время пребывания", f->SojournTime);
    if (f->Kind == QsKind::Bounded) add("Вероятность потери", f->LossProbability);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace qnetica
