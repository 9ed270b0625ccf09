#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorCommands.h"
#include "model/NetworkModel.h"

namespace qnetica::test {

inline const QRgb Black = qRgb(0, 0, 0);
inline const QRgb White = qRgb(255, 255, 255);
inline const QRgb Red = qRgb(255, 0, 0);

inline QRgb PixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

inline int CountPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += PixelAt(image, x, y) == colour;
    return count;
}

inline bool AllWhite(const QImage& image, const QRect& area) {
    const QRect clipped = area.intersected(image.rect());
    return CountPixels(image, clipped, White) == clipped.width() * clipped.height();
}

// The symbol box of a node at corner (x, y), with its right and bottom edge lines.
inline QRect SymbolBox(int x, int y) {
    return {x, y, 31, 31};
}

// Adds QS with their symbols' corners.
inline void AddPlacedQs(NetworkModel& model, std::vector<QPoint> corners) {
    for (const QPoint& corner : corners) {
        model.AddNode();
        model.Qs(model.QsCount()).PosX = corner.x();
        model.Qs(model.QsCount()).PosY = corner.y();
    }
}

// Stands for the main window, the value input dialog and the undo history: adds and removes
// nodes of the model as the main window would, answers the value dialog with a scripted text (or
// the offered text when nothing is scripted), and keeps the names of the recorded changes.
class FakeCommands : public EditorCommands {
  public:
    explicit FakeCommands(NetworkModel& model) : model_(model) {}

    bool AddQs() override {
        ++AddCalls;
        return model_.AddNode();
    }
    void RemoveQs() override { model_.RemoveLastNode(); }
    void EditQsParameters(int node) override { EditedNodes.push_back(node); }
    QString AskValue(const QString& prompt, const QString& text) override {
        Asked.emplace_back(prompt, text);
        return Answer.isNull() ? text : Answer;
    }
    void RecordChange(const std::string& what) override { Recorded.push_back(what); }

    int AddCalls = 0;
    std::vector<int> EditedNodes;
    std::vector<std::pair<QString, QString>> Asked;  // prompt, offered text
    QString Answer;
    std::vector<std::string> Recorded;

  private:
    NetworkModel& model_;
};

}  // namespace qnetica::test
