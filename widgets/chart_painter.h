// Painting of the charts and legends that the core's chart geometry describes,
// into any QPainter: a widget on screen, a QImage, an SVG generator.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <utility>

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

// A widget showing a chart, repainted whenever it is given another; it paints
// all of its client area itself.
template <typename Chart>
class ChartWidget : public QWidget {
public:
    explicit ChartWidget(QWidget* parent = nullptr) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setChart(Chart chart) {
        chart_ = std::move(chart);
        update();
    }
    const Chart& chart() const { return chart_; }
    FrameSize frameSize() const { return {width(), height()}; }

private:
    Chart chart_;
};

// A chart frame: its client area is the widget.
class ChartView : public ChartWidget<ChartGeometry> {
public:
    using ChartWidget::ChartWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace thermalyx
