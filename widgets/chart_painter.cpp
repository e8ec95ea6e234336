#include "widgets/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "widgets/display_text.h"

namespace thermalyx {

namespace {

QPen qtPen(const Pen& pen) {
    QPen result(QColor(QRgb(static_cast<unsigned>(pen.color))), pen.width);
    if (pen.style == LineStyle::Dotted) {
        // One pixel on, one off.
        result.setDashPattern({1.0, 1.0});
    } else {
        result.setStyle(Qt::SolidLine);
    }
    return result;
}

QPoint qtPoint(Point point) {
    return {point.x, point.y};
}

void drawLines(QPainter& painter, const std::vector<Line>& lines, const Pen& pen) {
    painter.setPen(qtPen(pen));
    for (const Line& line : lines) {
        painter.drawLine(qtPoint(line.from), qtPoint(line.to));
    }
}

void drawBox(QPainter& painter, const Box& box) {
    const QRect area(box.left, box.top, box.right - box.left, box.bottom - box.top);
    painter.fillRect(area, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void drawText(QPainter& painter, const TextItem& item) {
    const QFont font = chartFont(item.font);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString text = displayText(item.text);
    const int ascent = QFontMetrics(font).ascent();
    if (item.font == ChartFont::AxisRotated) {
        painter.save();
        painter.translate(item.position.x, item.position.y);
        painter.rotate(-90.0);
        painter.drawText(QPoint(0, ascent), text);
        painter.restore();
    } else {
        painter.drawText(QPoint(item.position.x, item.position.y + ascent), text);
    }
}

void drawCurve(QPainter& painter, const Curve& curve) {
    painter.setPen(qtPen(curve.pen));
    for (const std::vector<Point>& run : curve.polylines) {
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(run.size()));
        for (const Point& point : run) {
            polygon.append(qtPoint(point));
        }
        painter.drawPolyline(polygon);
    }
}

}  // namespace

QFont chartFont(ChartFont font) {
    QFont result(QStringLiteral("Arial"));
    result.setStyleHint(QFont::SansSerif);
    // 13-pixel glyphs give a 15-pixel text cell; the legend's 9 points are 12 pixels.
    result.setPixelSize(font == ChartFont::Legend ? 12 : 13);
    return result;
}

TextWidth axisTextWidth() {
    return [metrics = QFontMetrics(chartFont(ChartFont::Axis))](std::string_view text) {
        return metrics.horizontalAdvance(displayText(text));
    };
}

void paintChart(QPainter& painter, const ChartGeometry& chart) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawBox(painter, chart.background);
    drawLines(painter, chart.timeGrid, kGridPen);
    drawLines(painter, chart.valueGrid, kGridPen);
    for (const Bar& bar : chart.bars) {
        painter.fillRect(QRect(bar.box.left, bar.box.top, bar.box.right - bar.box.left,
                               bar.box.bottom - bar.box.top),
                         QColor(QRgb(static_cast<unsigned>(bar.color))));
    }

    const PlotArea& plot = chart.plot;
    painter.setPen(qtPen(kFramePen));
    painter.drawLine(plot.left, plot.top, plot.right, plot.top);
    painter.drawLine(plot.right, plot.top, plot.right, plot.bottom);
    painter.drawLine(plot.right, plot.bottom, plot.left, plot.bottom);
    painter.drawLine(plot.left, plot.bottom, plot.left, plot.top);

    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const auto* texts :
         {&chart.titles, &chart.timeLabels, &chart.valueLabels, &chart.frequencyLabels}) {
        for (const TextItem& item : *texts) {
            drawText(painter, item);
        }
    }
    for (const Curve& curve : chart.curves) {
        drawCurve(painter, curve);
    }
    drawCurve(painter, chart.frequencyProfile);
    painter.restore();
}

void paintChartFrame(QPainter& painter, const ChartGeometry& chart, QPoint origin) {
    painter.save();
    painter.translate(origin);
    const Box& frame = chart.background;
    painter.setClipRect(
        QRect(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top),
        Qt::IntersectClip);
    paintChart(painter, chart);
    painter.restore();
}

QImage chartImage(const ChartGeometry& chart) {
    const Box& frame = chart.background;
    QImage image(std::max(frame.right, 1), std::max(frame.bottom, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintChartFrame(painter, chart);
    return image;
}

void paintLegend(QPainter& painter, const LegendGeometry& legend) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawBox(painter, legend.box);
    for (const LegendEntry& entry : legend.entries) {
        painter.setPen(qtPen(entry.pen));
        painter.drawLine(qtPoint(entry.sample.from), qtPoint(entry.sample.to));
        drawText(painter, entry.text);
    }
    painter.restore();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChartFrame(painter, chart());
}

}  // namespace thermalyx
