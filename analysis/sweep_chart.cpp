#include "analysis/sweep_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "library/number_text.h"
#include "results/record_csv.h"

namespace thermalyx {
namespace {

constexpr std::array<std::string_view, kSweepInputs.size()> kInputLabels = {
    "Output frequency (Hz)",
    "Output current (A)",
    "Carrier frequency (kHz)",
    "Power factor",
    "Modulation rate",
    "DC link voltage (V)",
    "Gate resistance on (ohm)",
    "Gate resistance off (ohm)",
    "Ta (deg.)"};

constexpr std::array<std::string_view, kSweepFigureCount> kFigureLabels = {
    "IGBT saturation loss (W)",
    "IGBT turn-on loss (W)",
    "IGBT turn-off loss (W)",
    "FWD saturation loss (W)",
    "FWD recovery loss (W)",
    "IGBT dTjc max (deg.)",
    "IGBT dTjc min (deg.)",
    "IGBT dTjc ave (deg.)",
    "FWD dTjc max (deg.)",
    "FWD dTjc min (deg.)",
    "FWD dTjc ave (deg.)",
    "Tc max (deg.)",
    "Tc ave (deg.)",
    "Tf max (deg.)",
    "Tf ave (deg.)",
    "Tj(IGBT) max (deg.)",
    "Tj(FWD) max (deg.)",
    "Ta (deg.)"};

constexpr std::array<int, 8> kGridColours = {rgb(255, 0, 0),   rgb(0, 0, 255),   rgb(0, 128, 0),
                                             rgb(255, 0, 255), rgb(255, 128, 0), rgb(0, 160, 160),
                                             rgb(128, 0, 128), rgb(0, 0, 0)};

constexpr int kLegendWidth = 160;
constexpr int kLegendRow = 16;
constexpr int kXLabelFromBottom = 35;  // as the result windows' time labels
constexpr int kXTitleFromBottom = 17;

// Which axis point i has on a grid of the plan: its index along it.
std::size_t axisIndex(const SweepPlan& plan, std::size_t i, std::size_t axis) {
    const std::vector<SweepAxis>& axes = plan.request.axes;
    return axis + 1 < axes.size() ? i / axes[axis + 1].points : i % axes[axis].points;
}

SweepSeries figureSeries(const std::vector<SweepPoint>& points, std::size_t figure, Pen pen,
                         std::string label) {
    SweepSeries s{std::move(label), pen, {}, {}};
    for (const SweepPoint& p : points) {
        s.x.push_back(p.values[0]);
        s.y.push_back(sweepFigureValue(p, figure));
    }
    return s;
}

int toPixel(double v) {
    if (!std::isfinite(v)) return v > 0 ? kChartCoordinateLimit : -kChartCoordinateLimit;
    return static_cast<int>(std::lround(std::clamp(v, -static_cast<double>(kChartCoordinateLimit),
                                                   static_cast<double>(kChartCoordinateLimit))));
}

int measure(const TextWidth& textWidth, std::string_view text) {
    return textWidth ? std::clamp(textWidth(text), 0, 10000) : 0;
}

}  // namespace

std::string_view sweepInputLabel(SweepInput input) {
    return kInputLabels[static_cast<std::size_t>(input)];
}

std::string_view sweepFigureLabel(std::size_t figure) {
    return kFigureLabels.at(figure);
}

double sweepFigureValue(const SweepPoint& point, std::size_t figure) {
    if (!point.ok) return std::numeric_limits<double>::quiet_NaN();
    if (figure < kSweepLossFigureCount) return point.loss.*(kLossFields.at(figure).member);
    return point.temperature.*(kTemperatureFields.at(figure - kSweepLossFigureCount).member);
}

Pen sweepPen(std::size_t index) {
    const LineStyle style =
        (index / kGridColours.size()) % 2 == 0 ? LineStyle::Solid : LineStyle::Dotted;
    return Pen{kGridColours[index % kGridColours.size()], 2, style};
}

std::vector<SweepSeries> sweepLossSeries(const SweepPlan& /*plan*/,
                                         const std::vector<SweepPoint>& points) {
    static constexpr std::array<std::string_view, kSweepLossFigureCount> kLabels = {
        "IGBT sat.", "IGBT on", "IGBT off", "FWD sat.", "FWD rec."};
    std::vector<SweepSeries> series;
    for (std::size_t f = 0; f < kSweepLossFigureCount; ++f)
        series.push_back(figureSeries(points, f, sweepPen(f), std::string(kLabels[f])));
    return series;
}

std::vector<SweepSeries> sweepTemperatureSeries(const SweepPlan& /*plan*/,
                                                const std::vector<SweepPoint>& points) {
    // Tj(IGBT), Tj(FWD), Tc and Tf at their maximum, in the result windows' pens.
    struct Entry {
        std::size_t figure;
        Pen pen;
        std::string_view label;
    };
    static constexpr std::array<Entry, 4> kEntries = {{{15, kIgbtPen, "Tj(IGBT)"},
                                                       {16, kFwdPen, "Tj(FWD)"},
                                                       {11, kCaseTemperaturePen, "Tc"},
                                                       {13, kFinTemperaturePen, "Tf"}}};
    std::vector<SweepSeries> series;
    for (const Entry& e : kEntries)
        series.push_back(figureSeries(points, e.figure, e.pen, std::string(e.label)));
    return series;
}

std::vector<SweepSeries> sweepFigureSeries(const SweepPlan& plan,
                                           const std::vector<SweepPoint>& points,
                                           std::size_t figure) {
    std::vector<SweepSeries> series;
    if (plan.request.axes.size() < 2) return series;
    const std::string name(sweepInputName(plan.request.axes[1].input));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::size_t curve = axisIndex(plan, i, 1);
        if (curve >= series.size()) {
            series.resize(curve + 1);
            series[curve].pen = sweepPen(curve);
            series[curve].label = name + " " + points[i].texts[1];
        }
        series[curve].x.push_back(points[i].values[0]);
        series[curve].y.push_back(sweepFigureValue(points[i], figure));
    }
    return series;
}

SweepAxisTicks sweepAxisTicks(double from, double to) {
    double lo = std::min(from, to);
    double hi = std::max(from, to);
    if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0.0, hi = 1.0;
    if (hi - lo < 1e-12 * std::max(1.0, std::abs(hi))) {
        const double pad = lo == 0.0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    SweepAxisTicks t;
    const double magnitude = std::pow(10.0, std::floor(std::log10((hi - lo) / 10.0)));
    for (double m : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        t.step = m * magnitude;
        const double first = std::floor(lo / t.step + 1e-9);
        const double last = std::ceil(hi / t.step - 1e-9);
        t.start = first * t.step;
        t.intervals = std::max(1, static_cast<int>(last - first));
        if (t.intervals <= 10) break;
    }
    t.decimals = std::clamp(static_cast<int>(-std::floor(std::log10(t.step) + 1e-9)), 0, 15);
    return t;
}

SweepChart sweepChart(const std::vector<SweepSeries>& series, std::string_view xTitle,
                      std::string_view valueTitle, double xFrom, double xTo, FrameSize frame,
                      const TextWidth& textWidth) {
    double max = -std::numeric_limits<double>::infinity();
    double min = std::numeric_limits<double>::infinity();
    for (const SweepSeries& s : series) {
        for (double y : s.y) {
            if (!std::isfinite(y)) continue;
            max = std::max(max, y);
            min = std::min(min, y);
        }
    }
    if (max < min) max = min = std::numeric_limits<double>::quiet_NaN();

    const int titleY = 130 + measure(textWidth, valueTitle) / 2;
    SweepChart result;
    ChartGeometry& g = result.chart;
    g = chartAxes(frame, valueTitle, titleY, max, min, 1.0, 0, textWidth);
    const int height = g.background.bottom;

    // The input's axis replaces the time axis.
    const SweepAxisTicks ticks = sweepAxisTicks(xFrom, xTo);
    const int n = ticks.intervals;
    const int widthLimit = std::max(n, g.background.right - kPlotLeft - kLegendWidth - 20);
    const int w = widthLimit / n;
    g.plot.right = kPlotLeft + w * n;
    g.timeIntervals = n;
    g.intervalWidth = w;
    g.timeGrid.clear();
    g.timeLabels.clear();
    for (int j = 1; j < n; ++j)
        g.timeGrid.push_back({{kPlotLeft + j * w, g.plot.top}, {kPlotLeft + j * w, kPlotBottom}});
    for (Line& line : g.valueGrid) line.to.x = g.plot.right;
    for (int j = 0; j <= n; ++j) {
        std::string text = formatFixed(ticks.start + ticks.step * j, ticks.decimals);
        if (text == "-0") text = "0";
        const int x = kPlotLeft + j * w - measure(textWidth, text) / 2;
        g.timeLabels.push_back({std::move(text), {x, height - kXLabelFromBottom}, ChartFont::Axis});
    }
    g.titles[1] = {
        std::string(xTitle),
        {kPlotLeft + (w * n - measure(textWidth, xTitle)) / 2, height - kXTitleFromBottom},
        ChartFont::Axis};

    const double xSpan = ticks.step * n;
    const double perX = static_cast<double>(w * n) / xSpan;
    const double valueSpan = static_cast<double>(g.scale.valueTop - g.scale.valueBottom);
    const double perY = static_cast<double>(kPlotBottom - g.plot.top) / valueSpan;
    for (const SweepSeries& s : series) {
        Curve curve{s.label, s.pen, {}};
        std::vector<Point> run;
        const auto close = [&] {
            if (run.size() >= 2) curve.polylines.push_back(run);
            run.clear();
        };
        for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
            if (!std::isfinite(s.y[i])) {
                close();
                continue;
            }
            run.push_back({toPixel(kPlotLeft + (s.x[i] - ticks.start) * perX),
                           toPixel(kPlotBottom - (s.y[i] - g.scale.valueBottom) * perY)});
        }
        close();
        g.curves.push_back(std::move(curve));
    }

    // The legend: one row an entry, as many as the frame has room for.
    LegendGeometry& legend = result.legend;
    const int left = g.plot.right + 12;
    const int rows = std::clamp(static_cast<int>(series.size()), 0,
                                std::max(0, (height - 10 - g.plot.top) / kLegendRow));
    legend.box = {left, g.plot.top, std::max(left + 1, g.background.right - 6),
                  g.plot.top + 6 + rows * kLegendRow};
    for (int r = 0; r < rows; ++r) {
        const int rowTop = g.plot.top + 3 + r * kLegendRow;
        const int y = rowTop + kLegendRow / 2;
        const SweepSeries& s = series[static_cast<std::size_t>(r)];
        legend.entries.push_back({{{left + 6, y}, {left + 30, y}},
                                  s.pen,
                                  {s.label, {left + 36, rowTop}, ChartFont::Legend}});
    }
    return result;
}

}  // namespace thermalyx
