// The charts of a sweep, computed without a drawing surface: the varied input
// along the bottom, the figures on the result windows' value axis.
//
// One varied input: a loss chart (the five loss components) and a temperature
// chart (Tj of the IGBT and of the FWD, Tc and Tf, each its maximum). Two
// varied inputs: one figure, one curve per value of the second input. A curve
// breaks at a rejected point; its legend stands right of the plot.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/sweep.h"
#include "charts/chart_geometry.h"

namespace thermalyx {

// "Output current (A)", ...: an input as the axis and the dialog name it.
std::string_view sweepInputLabel(SweepInput input);

// The figures a point carries, in the table's order: the five losses, then the
// thirteen temperatures. Labels "IGBT saturation loss (W)", ...
inline constexpr std::size_t kSweepFigureCount = 18;
inline constexpr std::size_t kSweepLossFigureCount = 5;
std::string_view sweepFigureLabel(std::size_t figure);
// The figure of a point; NaN for a rejected one.
double sweepFigureValue(const SweepPoint& point, std::size_t figure);

// A plotted series and the chart it goes on.
struct SweepSeries {
    std::string label;
    Pen pen;
    std::vector<double> x;  // the varied input
    std::vector<double> y;  // NaN at a rejected point
};

// The series of the charts. For one axis: the loss series, then the temperature
// series. For two: one series a value of the second input, of figure.
std::vector<SweepSeries> sweepLossSeries(const SweepPlan& plan,
                                         const std::vector<SweepPoint>& points);
std::vector<SweepSeries> sweepTemperatureSeries(const SweepPlan& plan,
                                                const std::vector<SweepPoint>& points);
std::vector<SweepSeries> sweepFigureSeries(const SweepPlan& plan,
                                           const std::vector<SweepPoint>& points,
                                           std::size_t figure);

// The pen of the n-th curve of a grid (eight colours, then dotted).
Pen sweepPen(std::size_t index);

// A chart of the series in a frame: the x axis over the first axis's range in
// 1-2-5 steps, the value axis by the result windows' rule over the finite
// values, the value title rotated at the left, the x title below; the legend
// in a box right of the plot, one 16-pixel row an entry (those beyond the box
// are left out).
struct SweepChart {
    ChartGeometry chart;
    LegendGeometry legend;
};
SweepChart sweepChart(const std::vector<SweepSeries>& series, std::string_view xTitle,
                      std::string_view valueTitle, double xFrom, double xTo, FrameSize frame,
                      const TextWidth& textWidth);

// The x axis: from start in n steps of step, n from 1 to 10; decimals for
// the labels.
struct SweepAxisTicks {
    double start = 0.0;
    double step = 1.0;
    int intervals = 1;
    int decimals = 0;
};
SweepAxisTicks sweepAxisTicks(double from, double to);

}  // namespace thermalyx
