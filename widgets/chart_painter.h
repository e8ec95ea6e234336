// Painting of the charts and legends that the core's chart geometry describes,
// into any QPainter: a widget on screen, a QImage, an SVG generator.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "charts/chart_geometry.h"

class QPainter;

namespace thermalyx {

// The fonts of the charts: axis texts 15 pixels high (cell height), legends
// 9-point Arial.
QFont chartFont(ChartFont font);

// The width of a text in the upright axis font, for the core's label positions.
TextWidth axisTextWidth();

// Draws a chart in the coordinates of its frame's client area.
void paintChart(QPainter& painter, const ChartGeometry& chart);
// Draws a chart whose frame's top-left corner is at origin, cut off at the
// frame: curves may leave the plot, the frame is the limit.
void paintChartFrame(QPainter& painter, const ChartGeometry& chart, QPoint origin = {});
// Draws a legend in the coordinates of the window's client area.
void paintLegend(QPainter& painter, const LegendGeometry& legend);
// The chart alone, as large as its frame.
QImage chartImage(const ChartGeometry& chart);

// A chart frame: its client area is the widget.
class ChartView : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);

    void setChart(ChartGeometry chart);
    const ChartGeometry& chart() const { return chart_; }
    FrameSize frameSize() const { return {width(), height()}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartGeometry chart_;
};

}  // namespace thermalyx
