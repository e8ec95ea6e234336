#include "analysis/capability_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "library/number_text.h"

namespace thermalyx {
namespace {

constexpr int kRowPitch = 16;
constexpr int kMark = 3;  // half the size of a point's cross

int toPixel(double value) {
    const double held =
        std::clamp(value, -double(kChartCoordinateLimit), double(kChartCoordinateLimit));
    return static_cast<int>(std::lround(held));
}

// (frequency, current) of a curve's points in order of frequency; NaN current
// where none was found.
std::vector<std::pair<double, double>> sortedPoints(const CapabilityCurve& curve) {
    std::vector<std::pair<double, double>> points;
    for (const CapabilityPoint& p : curve.points) {
        const double current = p.capability.current ? *p.capability.current : NAN;
        points.emplace_back(readNumber(p.carrierFrequency), current);
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return points;
}

}  // namespace

Pen capabilityPen(std::size_t index) {
    constexpr std::array<int, 8> colors = {rgb(255, 0, 0),   rgb(0, 0, 255),   rgb(0, 128, 0),
                                           rgb(255, 0, 255), rgb(0, 128, 128), rgb(128, 64, 0),
                                           rgb(128, 0, 128), rgb(0, 0, 0)};
    return Pen{colors[index % colors.size()], 2, LineStyle::Solid};
}

ChartGeometry capabilityChart(const std::vector<CapabilityCurve>& curves, FrameSize frame,
                              const TextWidth& textWidth) {
    double maxFrequency = 0.0;
    double maxCurrent = 0.0;
    for (const CapabilityCurve& curve : curves) {
        for (const auto& [frequency, current] : sortedPoints(curve)) {
            if (std::isfinite(frequency)) maxFrequency = std::max(maxFrequency, frequency);
            if (std::isfinite(current)) maxCurrent = std::max(maxCurrent, current);
        }
    }
    ChartGeometry g = chartAxes(frame, "Maximum current (A)", 178, maxCurrent, 0.0, maxFrequency,
                                frame.width - 70, textWidth);
    // The horizontal axis carries the carrier frequency instead of the time.
    for (TextItem& title : g.titles) {
        if (title.text == "Time (s)") title.text = "Carrier frequency (kHz)";
    }
    const PlotArea& plot = g.plot;
    const ChartScale& s = g.scale;
    const double xScale = s.timeAxisEnd > 0.0 ? (plot.right - plot.left) / s.timeAxisEnd : 0.0;
    const double valueSpan = static_cast<double>(s.valueTop) - s.valueBottom;
    const double yScale = valueSpan > 0.0 ? (plot.bottom - plot.top) / valueSpan : 0.0;

    for (std::size_t i = 0; i < curves.size(); ++i) {
        Curve curve;
        curve.label = curves[i].series + " " + curves[i].typeNumber;
        curve.pen = capabilityPen(i);
        std::vector<Point> run;
        const auto endRun = [&] {
            if (run.size() >= 2) curve.polylines.push_back(run);
            run.clear();
        };
        for (const auto& [frequency, current] : sortedPoints(curves[i])) {
            if (!std::isfinite(current) || !std::isfinite(frequency)) {
                endRun();
                continue;
            }
            const Point p{toPixel(plot.left + frequency * xScale),
                          toPixel(plot.bottom - (current - s.valueBottom) * yScale)};
            run.push_back(p);
            curve.polylines.push_back({{p.x - kMark, p.y}, {p.x + kMark, p.y}});
            curve.polylines.push_back({{p.x, p.y - kMark}, {p.x, p.y + kMark}});
        }
        endRun();
        g.curves.push_back(std::move(curve));
    }
    return g;
}

LegendGeometry capabilityLegend(const std::vector<CapabilityCurve>& curves, int left, int top,
                                int width) {
    LegendGeometry legend;
    const int rows = static_cast<int>(std::max<std::size_t>(curves.size(), 1));
    legend.box = Box{left, top, left + width, top + 6 + rows * kRowPitch};
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const int y = top + 3 + static_cast<int>(i) * kRowPitch;
        const int middle = y + kRowPitch / 2;
        legend.entries.push_back({Line{{left + 10, middle}, {left + 40, middle}}, capabilityPen(i),
                                  TextItem{curves[i].series + " " + curves[i].typeNumber,
                                           {left + 50, y + 1},
                                           ChartFont::Legend}});
    }
    return legend;
}

}  // namespace thermalyx
