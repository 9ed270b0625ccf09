#include "charts/SaveChartImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "charts/ChartDialogs.h"

namespace qnetica {
namespace {

// 24 bits per pixel: the plain Windows bitmap that every viewer reads, and a PNG of the same.
QByteArray RasterOf(QChartView& chart, const char* format) {
    const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The generator gives the picture's size in millimetres, which viewers turn into different
// pixel sizes; in plain user units it has the chart's size everywhere.
QByteArray InPixels(QByteArray svg, const QSize& size) {
    const qsizetype start = svg.indexOf("<svg");
    const qsizetype end = svg.indexOf('>', start);
    if (start < 0 || end < 0) return svg;
    QString head = QString::fromUtf8(svg.mid(start, end - start));
    head.replace(QRegularExpression(QStringLiteral(R"(\bwidth="[^"]*")")),
                 QStringLiteral("width=\"%1\"").arg(size.width()));
    head.replace(QRegularExpression(QStringLiteral(R"(\bheight="[^"]*")")),
                 QStringLiteral("height=\"%1\"").arg(size.height()));
    return svg.replace(start, end - start, head.toUtf8());
}

QByteArray VectorOf(QChartView& chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(chart.size());
    generator.setViewBox(QRect(QPoint(0, 0), chart.size()));
    generator.setTitle(chart.chart() ? chart.chart()->title() : QString());
    QPainter painter(&generator);
    // The scene's own drawing, so that bars and texts stay vector shapes.
    chart.render(&painter, QRectF(QPoint(0, 0), chart.size()), chart.viewport()->rect());
    painter.end();
    return InPixels(bytes, chart.size());
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString& reason) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        reason = file.errorString();
        return false;
    }
    file.close();
    return true;
}

}  // namespace

bool SaveChartImage(QChartView& chart, const ChartDialogs& dialogs) {
    QWidget* window = chart.window();
    const auto choice = dialogs.SaveDialog.Ask(window);
    if (!choice) return false;
    QByteArray bytes;
    switch (choice->Format) {
        case ImageFormat::Bitmap:
            bytes = RasterOf(chart, "BMP");
            break;
        case ImageFormat::Png:
            bytes = RasterOf(chart, "PNG");
            break;
        case ImageFormat::Vector:
            bytes = VectorOf(chart);
            break;
    }
    QString reason;
    if (!bytes.isEmpty() && WriteFile(choice->Path, bytes, reason)) return true;
    if (bytes.isEmpty()) reason = QStringLiteral("изображение не получено");
    dialogs.Dialogs.ShowError(
        window, QStringLiteral("Не удалось сохранить файл \"%1\": %2").arg(choice->Path, reason));
    return false;
}

}  // namespace qnetica
