#include "analysis/sweep_chart.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

TEST(SweepChartTest, TheInputAxisTakesOneTwoFiveSteps) {
    struct Case {
        double from, to, start, step;
        int intervals, decimals;
    };
    for (const Case& c :
         {Case{0, 50, 0, 5, 10, 0}, Case{1, 20, 0, 2, 10, 0}, Case{50, 1, 0, 5, 10, 0},
          Case{-1, 1, -1, 0.2, 10, 1}, Case{0.3, 1.15, 0.3, 0.1, 9, 1},
          Case{-40, 125, -40, 20, 9, 0}, Case{7, 7, 6.2, 0.2, 8, 1}}) {
        const SweepAxisTicks t = sweepAxisTicks(c.from, c.to);
        EXPECT_NEAR(t.start, c.start, 1e-12) << c.from << ".." << c.to;
        EXPECT_NEAR(t.step, c.step, 1e-12) << c.from << ".." << c.to;
        EXPECT_EQ(t.intervals, c.intervals) << c.from << ".." << c.to;
        EXPECT_EQ(t.decimals, c.decimals) << c.from << ".." << c.to;
        EXPECT_LE(t.start, std::min(c.from, c.to) + 1e-9);
        EXPECT_GE(t.start + t.step * t.intervals, std::max(c.from, c.to) - 1e-9);
    }
}

TEST(SweepChartTest, CurvesBreakAtRejectedPointsAndSitOnTheAxes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SweepSeries a{"a", sweepPen(0), {0, 10, 20, 30, 40, 50}, {0, 10, nan, 30, 40, 50}};
    SweepSeries b{"b", sweepPen(1), {0, 10, 20, 30, 40, 50}, {nan, 5, nan, nan, nan, nan}};
    const SweepChart c = sweepChart({a, b}, "Output current (A)", "Loss (W)", 0, 50, {640, 290},
                                    [](std::string_view t) { return 7 * int(t.size()); });
    const ChartGeometry& g = c.chart;
    ASSERT_EQ(g.curves.size(), 2u);
    ASSERT_EQ(g.curves[0].polylines.size(), 2u);  // 0-10, then 30-50
    EXPECT_EQ(g.curves[0].polylines[1].size(), 3u);
    EXPECT_TRUE(g.curves[1].polylines.empty());  // a lone point draws no line
    EXPECT_EQ(g.scale.valueBottom, 0);
    EXPECT_GE(g.scale.valueTop, 50);
    // The ends of the range lie on the plot's edges; a value on the axis' top on its top.
    const Point first = g.curves[0].polylines[0].front();
    const Point last = g.curves[0].polylines[1].back();
    EXPECT_EQ(first, (Point{g.plot.left, g.plot.bottom}));
    EXPECT_EQ(last.x, g.plot.right);
    EXPECT_NEAR(last.y, g.plot.bottom - (g.plot.bottom - g.plot.top) * 50.0 / g.scale.valueTop,
                0.5);
    ASSERT_EQ(g.timeLabels.size(), 11u);
    EXPECT_EQ(g.timeLabels.back().text, "50");
    EXPECT_EQ(g.titles[1].text, "Output current (A)");
    // The legend stands right of the plot, inside the frame, one entry a series.
    ASSERT_EQ(c.legend.entries.size(), 2u);
    EXPECT_GT(c.legend.box.left, g.plot.right);
    EXPECT_LE(c.legend.box.right, 640);
    EXPECT_EQ(c.legend.entries[1].text.text, "b");
}

TEST(SweepChartTest, AGridGivesOneCurveAValueOfTheSecondInput) {
    SweepPlan plan;
    plan.request.axes = {{SweepInput::OutputCurrent, "10", "30", 3},
                         {SweepInput::CarrierFrequency, "5", "15", 2}};
    std::vector<SweepPoint> points(6);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].ok = i != 3;
        points[i].values = {10.0 + 10.0 * double(i / 2), 5.0 + 10.0 * double(i % 2)};
        points[i].texts = {"", i % 2 ? "15" : "5"};
        points[i].temperature.igbtTjMax = double(i);
    }
    const std::vector<SweepSeries> series = sweepFigureSeries(plan, points, 15);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[1].label, "carrier-frequency 15");
    EXPECT_EQ(series[0].x, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(series[0].y, (std::vector<double>{0, 2, 4}));
    EXPECT_TRUE(std::isnan(series[1].y[1]));
    EXPECT_EQ(sweepFigureLabel(15), "Tj(IGBT) max (deg.)");
}

}  // namespace
}  // namespace thermalyx
