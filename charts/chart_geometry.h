// Everything the result windows draw on their charts and legends, computed
// without a drawing surface: the window only paints what these functions give.
//
// Coordinates are integer pixels, x to the right and y downwards. A chart's
// coordinates are those of its chart frame's client area (origin at the frame's
// top-left corner); a legend's are those of the result window's client area.
//
// Painting a ChartGeometry g, in this order (later items lie on top):
//   1. g.background: a Box (below).
//   2. g.timeGrid and g.valueGrid: each Line with kGridPen (dotted grey).
//   2a. g.bars: each Bar's box filled with its colour (no border).
//   3. The plot frame: four lines with kFramePen joining the corners
//      (plot.left, plot.top), (plot.right, plot.top), (plot.right, plot.bottom),
//      (plot.left, plot.bottom); the lines lie on those coordinates.
//   4. g.titles, g.timeLabels, g.valueLabels, g.frequencyLabels: TextItems.
//   5. g.curves in order, then g.frequencyProfile: each polyline of a Curve is
//      one connected line (QPainter::drawPolyline) with the curve's pen.
//      Curves may reach outside the plot (a frequency above the axis top is
//      drawn above it); clip to the frame, not to the plot.
//
// Drawing conventions:
// - Box {left, top, right, bottom}: covers left <= x < right, top <= y < bottom;
//   its outermost pixels are a black 1-pixel border, its inside is white
//   (with QPainter: fillRect white, then a 1-px black pen and
//   drawRect(left, top, right - left - 1, bottom - top - 1)).
// - Both ends of a line are drawn (QPainter's way); caps and joins are the
//   painter's choice.
// - TextItem::position is the top-left corner of the text's box (not its
//   baseline). ChartFont::AxisRotated text is turned 90 degrees
//   counter-clockwise about that point, so it reads upwards from it and fills
//   x in [position.x, position.x + text height]: translate to position,
//   rotate by -90 degrees, and draw with the box's top-left at the origin.
// - Colours are 0xRRGGBB (QColor(QRgb(color)) reads them).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_scale.h"
#include "engine/records.h"

namespace thermalyx {

constexpr int rgb(int r, int g, int b) {
    return (r << 16) | (g << 8) | b;
}

enum class LineStyle { Solid, Dotted };

struct Pen {
    int color = 0;  // 0xRRGGBB
    int width = 1;  // pixels
    LineStyle style = LineStyle::Solid;
};

inline constexpr Pen kFramePen{rgb(0, 0, 0), 1, LineStyle::Solid};
inline constexpr Pen kGridPen{rgb(150, 150, 150), 1, LineStyle::Dotted};
// Series pens: 2 pixels, solid.
inline constexpr Pen kFinTemperaturePen{rgb(0, 128, 0), 2, LineStyle::Solid};     // "Tf"
inline constexpr Pen kCaseTemperaturePen{rgb(255, 0, 255), 2, LineStyle::Solid};  // "Tc"
inline constexpr Pen kIgbtPen{rgb(255, 0, 0), 2, LineStyle::Solid};       // "Tj(IGBT)", "IGBT Loss"
inline constexpr Pen kFwdPen{rgb(0, 0, 255), 2, LineStyle::Solid};        // "Tj(FWD)", "FWD Loss"
inline constexpr Pen kFrequencyPen{rgb(0, 128, 0), 2, LineStyle::Solid};  // "Frequency"

// Curve and profile coordinates are held within +-this many pixels, so that
// absurd values still give points a painter takes.
inline constexpr int kChartCoordinateLimit = 100000;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Line {
    Point from;
    Point to;
    friend bool operator==(const Line&, const Line&) = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A filled box of a bar chart.
struct Bar {
    Box box;
    int color = 0;  // 0xRRGGBB
};

enum class ChartFont {
    Axis,         // "Arial", 15 pixels high, normal weight, upright
    AxisRotated,  // the same, turned 90 degrees counter-clockwise (reads upwards)
    Legend,       // "Arial", 9 points, upright
};

struct TextItem {
    std::string text;
    Point position;  // top-left corner of the text's box, before any rotation
    ChartFont font = ChartFont::Axis;
};

// One charted series: its legend text, its pen and its connected runs. A
// steady-state series has two runs, one per output period (the second starting
// at the x where the first ends); a load-cycle series has one. A run breaks
// where a value is NaN; runs of fewer than two points are left out.
struct Curve {
    std::string label;
    Pen pen;
    std::vector<std::vector<Point>> polylines;
};

// The width in pixels of a text in the upright 15-pixel "Arial" (the window
// passes its font metrics; tests pass a fixed rule). Empty counts every text as
// 0 wide.
using TextWidth = std::function<int(std::string_view)>;

// The chart frame's client area in pixels. The plot reaches x = 421 (steady
// state) or 386 (load cycle) and its bottom labels sit at height - 35 and
// height - 17, so about 422 x 280 (load cycle: room right of 386 for the
// frequency axis at width - 45 and width - 20) is needed.
struct FrameSize {
    int width = 0;
    int height = 0;
};

// Plot edges; the frame lines lie on these coordinates.
struct PlotArea {
    int left = kPlotLeft;
    int top = 0;
    int right = 0;
    int bottom = kPlotBottom;
};

struct ChartGeometry {
    Box background;  // the whole frame: {0, 0, width, height}
    PlotArea plot;
    int timeIntervals = 0;              // n
    int intervalWidth = 0;              // pixels per time interval, (right - 50) / n
    int valueDivisions = 0;             // m
    int divisionHeight = 0;             // pixels per value division, (240 - top) / m
    std::vector<Line> timeGrid;         // vertical, j = 1 ... n - 1
    std::vector<Line> valueGrid;        // horizontal, k = 1 ... m - 1
    std::vector<Bar> bars;              // bar charts only
    std::vector<TextItem> titles;       // value-axis title (rotated), "Time (s)", "Frequency (Hz)"
    std::vector<TextItem> timeLabels;   // j = 0 ... n
    std::vector<TextItem> valueLabels;  // k = 0 ... m, bottom to top
    std::vector<TextItem> frequencyLabels;  // load-cycle loss chart: k = 0 ... m
    std::vector<Curve> curves;              // in drawing order
    Curve frequencyProfile;                 // load-cycle loss chart: one 2-point run per mode
    ChartScale scale;                       // the axis figures chosen (valueTop, timeAxisEnd, ...)
};

// One chart's frame, grid, labels and titles (no curves): the background, the
// value-axis title rotated at (5, valueTitleY), "Time (s)" at (215, H - 17), the
// time axis over span with the given width limit and the value axis over the
// range max/min.
ChartGeometry chartAxes(FrameSize frame, std::string_view valueTitle, int valueTitleY, double max,
                        double min, double span, int widthLimit, const TextWidth& textWidth);

// Steady-state window: two output periods of the waveform (entries 0 ... C - 2,
// period t = time of entry C - 2, span 2t, width limit 371). Entry k is drawn
// at x = trunc((k + 1) * dx + 50) in the first copy and at
// trunc((C - 1 + k) * dx + 50) in the second, dx = (right - 50) / timeAxisEnd
// * t / C; so the first point lies one spacing right of the plot's left edge.
// Temperature chart: "Temperature (deg.)" at y 178, curves Tf, Tc, Tj(IGBT),
// Tj(FWD). Loss chart: "Loss (W)" at y 158, curves IGBT Loss, FWD Loss. A
// waveform of fewer than three entries gives axes without curves.
ChartGeometry steadyTemperatureChart(const SteadyResult& result, FrameSize frame,
                                     const TextWidth& textWidth);
ChartGeometry steadyLossChart(const SteadyResult& result, FrameSize frame,
                              const TextWidth& textWidth);

// The texts of columns 1 to 3 of one row of the load-cycle page's mode table,
// as displayed; they are read as numbers where the charts need them.
struct ModeTableRow {
    std::string duration;        // "Duration (s)"
    std::string frequencyStart;  // "Output frequency (start) (Hz)"
    std::string frequencyEnd;    // "Output frequency (end) (Hz)"
};

// The load-cycle charts' time span T: the durations summed in row order.
double loadCycleSpan(const std::vector<ModeTableRow>& rows);

// Frequency per division of the load-cycle loss chart's right-hand axis:
// 20 Hz for up to 6 loss divisions, 10 Hz for more.
int frequencyStep(int valueDivisions);

// Load-cycle window: the whole cycle once (samples 0 ... C - 2 at
// x = trunc((k + 1) * dx + 50), dx = (right - 50) / timeAxisEnd * T / C),
// time span T from the mode table, width limit 336.
// Temperature chart: as the steady one. Loss chart: "Loss (W)" at y 158, curves
// IGBT Loss and FWD Loss, the title "Frequency (Hz)" rotated at (W - 20, 178),
// the frequency labels k * step at (W - 45, H - 48 - k * h), and the frequency
// profile: per row, from the start frequency at the mode's start time to the
// end frequency at its end time, the first starting at the plot's left edge.
ChartGeometry loadCycleTemperatureChart(const LoadCycleResult& result,
                                        const std::vector<ModeTableRow>& rows, FrameSize frame,
                                        const TextWidth& textWidth);
ChartGeometry loadCycleLossChart(const LoadCycleResult& result,
                                 const std::vector<ModeTableRow>& rows, FrameSize frame,
                                 const TextWidth& textWidth);

// A legend, drawn on the window outside the chart frames: a Box, then per
// entry a 30-pixel sample line (from, to) with the series pen at the box's
// vertical middle and its text (ChartFont::Legend) 40 pixels right of the
// line's start and 5 pixels below the box's top.
struct LegendEntry {
    Line sample;
    Pen pen;
    TextItem text;
};

struct LegendGeometry {
    Box box;
    std::vector<LegendEntry> entries;
};

// The legends' fixed positions in the window's client area; a window whose
// chart frames sit elsewhere translates a legend as a whole.
LegendGeometry steadyTemperatureLegend();     // (32, 46) - (442, 70)
LegendGeometry steadyLossLegend();            // (122, 360) - (352, 384)
LegendGeometry loadCycleTemperatureLegend();  // (27, 46) - (437, 70)
LegendGeometry loadCycleLossLegend();         // (62, 360) - (402, 384), with "Frequency"

// Moves a legend as a whole.
void translateLegend(LegendGeometry& legend, int dx, int dy);

}  // namespace thermalyx
