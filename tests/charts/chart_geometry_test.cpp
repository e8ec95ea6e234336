#include "charts/chart_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace thermalyx {

void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every character 7 pixels wide.
int fixedWidth(std::string_view text) {
    return 7 * static_cast<int>(text.size());
}

constexpr FrameSize kFrame{430, 280};

std::vector<Point> points(std::initializer_list<std::pair<int, int>> list) {
    std::vector<Point> result;
    for (const auto& [x, y] : list) result.push_back({x, y});
    return result;
}

void expectPen(const Pen& pen, int color, int width, LineStyle style) {
    EXPECT_EQ(pen.color, color);
    EXPECT_EQ(pen.width, width);
    EXPECT_EQ(pen.style, style);
}

// A Box or the PlotArea: its four edges.
template <class Edges>
void expectBox(const Edges& box, const Box& expected) {
    EXPECT_EQ(box.left, expected.left);
    EXPECT_EQ(box.top, expected.top);
    EXPECT_EQ(box.right, expected.right);
    EXPECT_EQ(box.bottom, expected.bottom);
}

// The value axis from bottom to top, and the plot's top edge that fits it.
void expectValueAxis(const ChartGeometry& g, int bottom, int top, int plotTop) {
    EXPECT_EQ(g.scale.valueBottom, bottom);
    EXPECT_EQ(g.scale.valueTop, top);
    EXPECT_EQ(g.plot.top, plotTop);
}

// A curve's label and colour; every chart curve is drawn solid, 2 pixels wide.
struct CurveLook {
    const char* label;
    int color;
};

void expectCurveLooks(const std::vector<Curve>& curves, const std::vector<CurveLook>& looks) {
    ASSERT_EQ(curves.size(), looks.size());
    for (std::size_t i = 0; i < looks.size(); ++i) {
        EXPECT_EQ(curves[i].label, looks[i].label);
        expectPen(curves[i].pen, looks[i].color, 2, LineStyle::Solid);
    }
}

void expectText(const TextItem& item, const std::string& text, Point position, ChartFont font) {
    EXPECT_EQ(item.text, text);
    EXPECT_EQ(item.position, position) << text;
    EXPECT_EQ(item.font, font) << text;
}

// ---- axes (drawChartAxes) ---------------------------------------------------

TEST(ChartAxes, TemperatureExampleFrameGridAndLabels) {
    const ChartGeometry g =
        chartAxes(kFrame, "Temperature (deg.)", 178, 95.3, 25.1, 0.04, 371, fixedWidth);

    expectBox(g.background, {0, 0, 430, 280});
    expectBox(g.plot, {50, 16, 419, 240});
    EXPECT_EQ(g.timeIntervals, 9);
    EXPECT_EQ(g.intervalWidth, 41);
    EXPECT_EQ(g.valueDivisions, 8);
    EXPECT_EQ(g.divisionHeight, 28);

    ASSERT_EQ(g.titles.size(), 2u);
    expectText(g.titles[0], "Temperature (deg.)", {5, 178}, ChartFont::AxisRotated);
    expectText(g.titles[1], "Time (s)", {215, 263}, ChartFont::Axis);

    // Vertical grid lines between the time intervals, plot top to bottom.
    ASSERT_EQ(g.timeGrid.size(), 8u);
    EXPECT_EQ(g.timeGrid[0].from, (Point{91, 16}));
    EXPECT_EQ(g.timeGrid[0].to, (Point{91, 240}));
    EXPECT_EQ(g.timeGrid[7].from, (Point{378, 16}));
    // Horizontal grid lines between the value divisions, left to right edge.
    ASSERT_EQ(g.valueGrid.size(), 7u);
    EXPECT_EQ(g.valueGrid[0].from, (Point{50, 44}));
    EXPECT_EQ(g.valueGrid[0].to, (Point{419, 44}));
    EXPECT_EQ(g.valueGrid[6].from, (Point{50, 212}));

    // Time labels centred on their grid line by the measured width; "0" fixed.
    ASSERT_EQ(g.timeLabels.size(), 10u);
    expectText(g.timeLabels[0], "0", {48, 245}, ChartFont::Axis);
    expectText(g.timeLabels[1], "0.005", {50 + 41 - 35 / 2, 245}, ChartFont::Axis);
    expectText(g.timeLabels[2], "0.010", {50 + 82 - 17, 245}, ChartFont::Axis);
    expectText(g.timeLabels[9], "0.045", {50 + 369 - 17, 245}, ChartFont::Axis);

    // Value labels from the bottom up, 5 pixels per character left of x = 40.
    ASSERT_EQ(g.valueLabels.size(), 9u);
    expectText(g.valueLabels[0], "20", {30, 232}, ChartFont::Axis);
    expectText(g.valueLabels[1], "30", {30, 204}, ChartFont::Axis);
    expectText(g.valueLabels[8], "100", {25, 8}, ChartFont::Axis);

    EXPECT_TRUE(g.frequencyLabels.empty());
    EXPECT_TRUE(g.curves.empty());
    EXPECT_TRUE(g.frequencyProfile.polylines.empty());
}

TEST(ChartAxes, NegativeLabelsCountTheirSign) {
    const ChartGeometry g = chartAxes(kFrame, "Loss (W)", 158, 130.0, -0.5, 0.1, 371, fixedWidth);
    EXPECT_EQ(g.plot.top, 16);
    ASSERT_EQ(g.valueLabels.size(), 9u);
    expectText(g.valueLabels[0], "-20", {25, 232}, ChartFont::Axis);
    expectText(g.valueLabels[1], "0", {35, 204}, ChartFont::Axis);
    expectText(g.valueLabels[8], "140", {25, 8}, ChartFont::Axis);
    expectText(g.titles[0], "Loss (W)", {5, 158}, ChartFont::AxisRotated);
    // Span 0.1: 6 intervals of 61 pixels (371 / 6), two-decimal labels.
    EXPECT_EQ(g.plot.right, 50 + 366);
    ASSERT_EQ(g.timeLabels.size(), 7u);
    expectText(g.timeLabels[6], "0.12", {50 + 366 - 14, 245}, ChartFont::Axis);
}

TEST(ChartAxes, LabelsFollowTheFrameHeight) {
    const ChartGeometry g = chartAxes({430, 300}, "Loss (W)", 158, 3.2, 0.0, 7.0, 371, fixedWidth);
    EXPECT_EQ(g.plot.top, 20);
    EXPECT_EQ(g.divisionHeight, 44);
    EXPECT_EQ(g.timeLabels[0].position, (Point{48, 265}));
    EXPECT_EQ(g.titles[1].position, (Point{215, 283}));
    EXPECT_EQ(g.valueLabels[5].position, (Point{35, 300 - 48 - 5 * 44}));
}

TEST(ChartAxes, MissingWidthMeasureCountsZero) {
    const ChartGeometry g = chartAxes(kFrame, "Loss (W)", 158, 1.0, 0.0, 0.04, 371, TextWidth{});
    EXPECT_EQ(g.timeLabels[1].position, (Point{91, 245}));
}

TEST(ChartAxes, NoRangeAndNoSpanStillGiveOneDivisionAndOneInterval) {
    const ChartGeometry g =
        chartAxes(kFrame, "Loss (W)", 158, -9999.0, 9999.0, 0.0, 371, fixedWidth);
    EXPECT_EQ(g.valueDivisions, 1);
    EXPECT_EQ(g.plot.top, 20);
    EXPECT_EQ(g.divisionHeight, 220);
    EXPECT_EQ(g.timeIntervals, 1);
    EXPECT_EQ(g.plot.right, 421);
    EXPECT_TRUE(g.timeGrid.empty());
    EXPECT_TRUE(g.valueGrid.empty());
    ASSERT_EQ(g.valueLabels.size(), 2u);
    EXPECT_EQ(g.valueLabels[1].text, "1");
    ASSERT_EQ(g.timeLabels.size(), 2u);
    EXPECT_EQ(g.timeLabels[1].text, "0.002");
}

// ---- steady-state curves ----------------------------------------------------

// One output period of 20 ms in 8 steps (C = 10 entries, the last spare).
SteadyResult steadyExample() {
    SteadyResult result;
    const double igbtTj[] = {60.0, 70.0, 80.0, 95.3, 80.0, 70.0, 61.3, 50.0, 60.0};
    const double igbtLoss[] = {0.0, 10.0, 20.0, 35.2, 20.0, 10.0, 5.5, 0.0, 0.0};
    for (int k = 0; k <= 8; ++k) {
        PeriodSample s;
        s.time = k * 0.02 / 8;
        s.tf = k == 0 ? 25.1 : 30.0;
        s.tc = 40.0;
        s.igbtTj = igbtTj[k];
        s.fwdTj = 50.0;
        s.igbtLoss = igbtLoss[k];
        s.fwdLoss = 5.5;
        result.waveform.push_back(s);
    }
    PeriodSample spare;  // never scanned, never drawn
    spare.tf = spare.tc = spare.igbtTj = spare.fwdTj = 900.0;
    spare.igbtLoss = spare.fwdLoss = -900.0;
    result.waveform.push_back(spare);
    return result;
}

TEST(SteadyChart, TemperatureCurvesOverTwoPeriods) {
    const ChartGeometry g = steadyTemperatureChart(steadyExample(), kFrame, fixedWidth);
    // Range 25.1 ... 95.3, span 2 x 20 ms.
    EXPECT_EQ(g.scale.temperatureMax, 95.3);
    EXPECT_EQ(g.scale.temperatureMin, 25.1);
    expectValueAxis(g, 20, 100, 16);
    EXPECT_EQ(g.plot.right, 419);
    EXPECT_EQ(g.scale.timeStepText, "0.005");
    expectText(g.titles[0], "Temperature (deg.)", {5, 178}, ChartFont::AxisRotated);

    ASSERT_NO_FATAL_FAILURE(expectCurveLooks(
        g.curves,
        {{"Tf", 0x008000}, {"Tc", 0xFF00FF}, {"Tj(IGBT)", 0xFF0000}, {"Tj(FWD)", 0x0000FF}}));

    // dx = 369 / 0.045 * 0.02 / 10 = 16.4: entry k of the first copy at
    // trunc((k + 1) * 16.4 + 50), of the second at trunc((9 + k) * 16.4 + 50).
    const Curve& igbt = g.curves[2];
    ASSERT_EQ(igbt.polylines.size(), 2u);
    EXPECT_EQ(igbt.polylines[0], points({{66, 128},
                                         {82, 100},
                                         {99, 72},
                                         {115, 29},
                                         {132, 72},
                                         {148, 100},
                                         {164, 124},
                                         {181, 156},
                                         {197, 128}}));
    EXPECT_EQ(igbt.polylines[1], points({{197, 128},
                                         {214, 100},
                                         {230, 72},
                                         {246, 29},
                                         {263, 72},
                                         {279, 100},
                                         {296, 124},
                                         {312, 156},
                                         {328, 128}}));

    for (const Curve& curve : g.curves) {
        ASSERT_EQ(curve.polylines.size(), 2u) << curve.label;
        const std::vector<Point>& first = curve.polylines[0];
        const std::vector<Point>& second = curve.polylines[1];
        // Entries 0 ... C - 2 only: the spare entry is not drawn.
        ASSERT_EQ(first.size(), 9u);
        ASSERT_EQ(second.size(), 9u);
        // The first point lies one entry spacing right of the plot's left edge.
        EXPECT_EQ(first.front().x, 66) << curve.label;
        // The second copy starts at the x of the first copy's last entry...
        EXPECT_EQ(second.front().x, first.back().x) << curve.label;
        EXPECT_EQ(second.front().y, first.front().y) << curve.label;
        // ... and ends before the plot's right edge.
        EXPECT_LT(second.back().x, g.plot.right) << curve.label;
    }
    EXPECT_EQ(g.curves[0].polylines[0][0], (Point{66, 225}));  // Tf 25.1
    EXPECT_EQ(g.curves[0].polylines[0][1], (Point{82, 212}));  // Tf 30
    EXPECT_EQ(g.curves[1].polylines[0][0], (Point{66, 184}));  // Tc 40
    EXPECT_EQ(g.curves[3].polylines[0][0], (Point{66, 156}));  // Tj(FWD) 50
}

TEST(SteadyChart, LossCurves) {
    const ChartGeometry g = steadyLossChart(steadyExample(), kFrame, fixedWidth);
    EXPECT_EQ(g.scale.lossMax, 35.2);
    EXPECT_EQ(g.scale.lossMin, 0.0);
    EXPECT_EQ(g.scale.temperatureMax, 95.3);
    expectValueAxis(g, 0, 40, 16);
    EXPECT_EQ(g.scale.valueStep, 5);
    expectText(g.titles[0], "Loss (W)", {5, 158}, ChartFont::AxisRotated);

    ASSERT_NO_FATAL_FAILURE(
        expectCurveLooks(g.curves, {{"IGBT Loss", 0xFF0000}, {"FWD Loss", 0x0000FF}}));
    ASSERT_EQ(g.curves[0].polylines.size(), 2u);
    EXPECT_EQ(g.curves[0].polylines[0], points({{66, 240},
                                                {82, 184},
                                                {99, 128},
                                                {115, 42},
                                                {132, 128},
                                                {148, 184},
                                                {164, 209},
                                                {181, 240},
                                                {197, 240}}));
    EXPECT_EQ(g.curves[0].polylines[1].front(), (Point{197, 240}));
    EXPECT_EQ(g.curves[0].polylines[1].back(), (Point{328, 240}));
}

TEST(SteadyChart, TooShortWaveformsGiveAxesWithoutCurves) {
    for (const std::size_t count : {0u, 1u, 2u}) {
        SteadyResult result;
        result.waveform.resize(count);
        if (count == 2) result.waveform[0].time = 0.02;
        const ChartGeometry t = steadyTemperatureChart(result, kFrame, fixedWidth);
        const ChartGeometry l = steadyLossChart(result, kFrame, fixedWidth);
        for (const ChartGeometry* g : {&t, &l}) {
            EXPECT_TRUE(g->curves.empty()) << count;
            EXPECT_GE(g->valueDivisions, 1);
            EXPECT_GE(g->timeIntervals, 1);
            EXPECT_EQ(g->timeLabels.size(), static_cast<std::size_t>(g->timeIntervals) + 1);
        }
        if (count < 2) {
            // No entry scanned: the axis 0 ... 1 over a span of 0.
            EXPECT_EQ(t.scale.valueTop, 1);
            EXPECT_EQ(t.scale.valueBottom, 0);
            EXPECT_EQ(t.timeIntervals, 1);
        } else {
            EXPECT_EQ(t.scale.timeStepText, "0.005");  // span 2 x 20 ms
        }
    }
}

TEST(SteadyChart, ANaNValueBreaksTheCurve) {
    SteadyResult result = steadyExample();
    result.waveform[4].igbtTj = kNaN;
    result.waveform[0].tc = kNaN;
    result.waveform[2].tc = kNaN;  // leaves entry 1 alone: no segment to draw
    const ChartGeometry g = steadyTemperatureChart(result, kFrame, fixedWidth);
    EXPECT_EQ(g.scale.temperatureMax, 95.3);  // NaN passed over

    const Curve& igbt = g.curves[2];
    ASSERT_EQ(igbt.polylines.size(), 4u);  // each copy split at entry 4
    EXPECT_EQ(igbt.polylines[0].size(), 4u);
    EXPECT_EQ(igbt.polylines[1].size(), 4u);
    EXPECT_EQ(igbt.polylines[1].front(), (Point{148, 100}));  // entry 5
    EXPECT_EQ(igbt.polylines[2].front(), (Point{197, 128}));

    const Curve& tc = g.curves[1];
    ASSERT_EQ(tc.polylines.size(), 2u);
    EXPECT_EQ(tc.polylines[0].size(), 6u);  // entries 3 ... 8
    EXPECT_EQ(tc.polylines[0].front().x, 115);
}

TEST(SteadyChart, InfiniteAndHugeValuesGiveHeldCoordinates) {
    SteadyResult result = steadyExample();
    result.waveform[3].igbtTj = kInf;
    result.waveform[5].igbtTj = -1e300;
    result.waveform[3].igbtLoss = kInf;
    const ChartGeometry t = steadyTemperatureChart(result, kFrame, fixedWidth);
    EXPECT_EQ(t.curves[2].polylines[0][3].y, -kChartCoordinateLimit);
    EXPECT_GT(t.curves[2].polylines[0][5].y, kChartCoordinateLimit - 1000);
    const ChartGeometry l = steadyLossChart(result, kFrame, fixedWidth);
    EXPECT_EQ(l.scale.valueTop, 100500);  // the infinite loss held at 100000
    EXPECT_EQ(l.scale.valueStep, 500);
    EXPECT_EQ((240 - l.plot.top) % l.valueDivisions, 0);
}

TEST(SteadyChart, BrokenPeriodsGiveADefinedTimeAxis) {
    for (const double period : {0.0, -0.02, kNaN, kInf, 1e300, 5e6}) {
        SteadyResult result = steadyExample();
        result.waveform[8].time = period;
        const ChartGeometry g = steadyTemperatureChart(result, kFrame, fixedWidth);
        EXPECT_GE(g.timeIntervals, 1);
        EXPECT_LE(g.timeIntervals, 10);
        ASSERT_EQ(g.curves.size(), 4u);
        for (const Curve& curve : g.curves) {
            for (const auto& run : curve.polylines) {
                for (const Point& p : run) {
                    EXPECT_GE(p.x, g.plot.left) << period;
                    EXPECT_LE(p.x, g.plot.right) << period;
                }
            }
        }
    }
}

// ---- load-cycle charts ------------------------------------------------------

// Three modes of 2, 3 and 2 s (T = 7 s), seven grid points and a spare one.
LoadCycleResult loadCycleExample() {
    LoadCycleResult result;
    const double igbtLoss[] = {10.0, 10.0, 12.5, 12.5, 12.5, 8.0, 8.0};
    const double fwdLoss[] = {3.0, 3.0, 4.0, 4.0, 4.0, 3.5, 3.5};
    const double igbtTj[] = {80.0, 85.0, 91.0, 90.0, 88.0, 70.0, 75.0};
    for (int g = 0; g < 7; ++g) {
        CycleSample s;
        s.time = g * 7.0 / 6.0;
        s.igbtLoss = igbtLoss[g];
        s.fwdLoss = fwdLoss[g];
        s.tf = 44.5;
        s.tc = 60.0;
        s.igbtTj = igbtTj[g];
        s.fwdTj = 65.0;
        result.samples.push_back(s);
    }
    result.samples.push_back(CycleSample{});  // spare, all zero
    return result;
}

const std::vector<ModeTableRow> kRows = {
    {"2", "10", "50"},
    {"3", "50", "50"},
    {"2", "30", "0"},
};

constexpr FrameSize kCycleFrame{440, 280};

TEST(LoadCycleChart, LossChartCurvesOnceOverTheCycle) {
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth);
    // Width limit 336: 8 intervals of 42 pixels for T = 7 s.
    EXPECT_EQ(g.plot.right, 386);
    EXPECT_EQ(g.timeIntervals, 8);
    EXPECT_EQ(g.scale.timeStepText, "1.0");
    // Losses 3 ... 12.5: the axis 2 ... 14 in steps of 2, 6 divisions of 37.
    expectValueAxis(g, 2, 14, 18);
    EXPECT_EQ(g.divisionHeight, 37);

    ASSERT_NO_FATAL_FAILURE(
        expectCurveLooks(g.curves, {{"IGBT Loss", 0xFF0000}, {"FWD Loss", 0x0000FF}}));
    // dx = 336 / 8 * 7 / 8 = 36.75; drawn once, entries 0 ... C - 2.
    ASSERT_EQ(g.curves[0].polylines.size(), 1u);
    EXPECT_EQ(
        g.curves[0].polylines[0],
        points({{86, 92}, {123, 92}, {160, 45}, {197, 45}, {233, 45}, {270, 129}, {307, 129}}));
    ASSERT_EQ(g.curves[1].polylines.size(), 1u);
    EXPECT_EQ(
        g.curves[1].polylines[0],
        points(
            {{86, 221}, {123, 221}, {160, 203}, {197, 203}, {233, 203}, {270, 212}, {307, 212}}));
}

TEST(LoadCycleChart, FrequencyAxisBesideTheLossAxis) {
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth);
    ASSERT_EQ(g.titles.size(), 3u);
    expectText(g.titles[0], "Loss (W)", {5, 158}, ChartFont::AxisRotated);
    expectText(g.titles[2], "Frequency (Hz)", {420, 178}, ChartFont::AxisRotated);
    // 6 loss divisions: 0 ... 120 Hz in steps of 20, level with the loss labels.
    ASSERT_EQ(g.frequencyLabels.size(), 7u);
    for (int k = 0; k <= 6; ++k) {
        expectText(g.frequencyLabels[k], std::to_string(20 * k), {395, 232 - 37 * k},
                   ChartFont::Axis);
        EXPECT_EQ(g.frequencyLabels[k].position.y, g.valueLabels[k].position.y);
    }
}

TEST(LoadCycleChart, SevenDivisionsGiveTenHertzSteps) {
    LoadCycleResult result = loadCycleExample();
    for (CycleSample& s : result.samples) s.fwdLoss = 0.0;  // losses 0 ... 12.5
    const ChartGeometry g = loadCycleLossChart(result, kRows, kCycleFrame, fixedWidth);
    EXPECT_EQ(g.valueDivisions, 7);
    ASSERT_EQ(g.frequencyLabels.size(), 8u);
    EXPECT_EQ(g.frequencyLabels.back().text, "70");
    EXPECT_EQ(frequencyStep(6), 20);
    EXPECT_EQ(frequencyStep(7), 10);
    EXPECT_EQ(frequencyStep(1), 20);
}

TEST(LoadCycleChart, FrequencyProfileStartsAtThePlotsLeftEdge) {
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth);
    const Curve& profile = g.frequencyProfile;
    EXPECT_EQ(profile.label, "Frequency");
    expectPen(profile.pen, 0x008000, 2, LineStyle::Solid);
    // 42 pixels per second, 222 / (6 x 20) = 1.85 pixels per hertz.
    ASSERT_EQ(profile.polylines.size(), 3u);
    EXPECT_EQ(profile.polylines[0], points({{50, 221}, {134, 147}}));
    // Equal start and end: a horizontal segment, joined to the one before
    // because its start equals the previous end.
    EXPECT_EQ(profile.polylines[1], points({{134, 147}, {260, 147}}));
    // 30 Hz after 50 Hz: no join.
    EXPECT_EQ(profile.polylines[2], points({{260, 184}, {344, 240}}));
    // The curves start one entry spacing in, the profile at the edge itself.
    EXPECT_EQ(profile.polylines[0].front().x, g.plot.left);
    EXPECT_GT(g.curves[0].polylines[0].front().x, g.plot.left);
}

TEST(LoadCycleChart, FrequencyAboveTheAxisIsDrawnAboveThePlot) {
    const std::vector<ModeTableRow> rows = {{"2", "200", "200"}, {"5", "10", "10"}};
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), rows, kCycleFrame, fixedWidth);
    ASSERT_EQ(g.frequencyProfile.polylines.size(), 2u);
    EXPECT_EQ(g.frequencyProfile.polylines[0], points({{50, -130}, {134, -130}}));
}

TEST(LoadCycleChart, TemperatureChart) {
    const ChartGeometry g =
        loadCycleTemperatureChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth);
    expectText(g.titles[0], "Temperature (deg.)", {5, 178}, ChartFont::AxisRotated);
    ASSERT_EQ(g.titles.size(), 2u);
    EXPECT_TRUE(g.frequencyLabels.empty());
    EXPECT_TRUE(g.frequencyProfile.polylines.empty());
    EXPECT_EQ(g.plot.right, 386);
    EXPECT_EQ(g.scale.temperatureMax, 91.0);
    EXPECT_EQ(g.scale.temperatureMin, 44.5);
    ASSERT_EQ(g.curves.size(), 4u);
    const char* labels[] = {"Tf", "Tc", "Tj(IGBT)", "Tj(FWD)"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.curves[i].label, labels[i]);
        ASSERT_EQ(g.curves[i].polylines.size(), 1u);
        EXPECT_EQ(g.curves[i].polylines[0].size(), 7u);
        EXPECT_EQ(g.curves[i].polylines[0].front().x, 86);
        EXPECT_EQ(g.curves[i].polylines[0].back().x, 307);
    }
}

TEST(LoadCycleChart, SpanIsTheSumOfTheDurationTexts) {
    EXPECT_EQ(loadCycleSpan(kRows), 7.0);
    EXPECT_EQ(loadCycleSpan({}), 0.0);
    EXPECT_EQ(loadCycleSpan({{"0.25", "", ""}, {"1.5", "", ""}}), 1.75);
    EXPECT_EQ(loadCycleSpan({{"abc", "", ""}, {"2x", "", ""}}), 2.0);
}

TEST(LoadCycleChart, NoRowsGiveSpanZeroAndNoProfile) {
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), {}, kCycleFrame, fixedWidth);
    EXPECT_EQ(g.timeIntervals, 1);
    EXPECT_EQ(g.scale.timeStepText, "0.002");
    EXPECT_TRUE(g.frequencyProfile.polylines.empty());
    EXPECT_FALSE(g.frequencyLabels.empty());
    // With no time to spread over, every sample sits on the left edge.
    for (const Point& p : g.curves[0].polylines[0]) EXPECT_EQ(p.x, 50);
}

TEST(LoadCycleChart, BadRowTextsGiveDefinedGeometry) {
    const std::vector<ModeTableRow> rows = {
        {"1e999", "1e999", "-1e999"},  // infinite duration and frequencies
        {"-1e999", "10", "10"},        // elapsed time becomes NaN: segment left out
        {"", "", ""},
    };
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), rows, kCycleFrame, fixedWidth);
    EXPECT_EQ(g.timeIntervals, 1);  // durations summing to NaN: no span
    ASSERT_EQ(g.frequencyProfile.polylines.size(), 1u);
    EXPECT_EQ(g.frequencyProfile.polylines[0][0].x, 50);
    EXPECT_LT(g.frequencyProfile.polylines[0][0].y, -kChartCoordinateLimit + 1000);
    EXPECT_EQ(g.frequencyProfile.polylines[0][1],
              (Point{kChartCoordinateLimit, kChartCoordinateLimit}));
}

TEST(LoadCycleChart, EndlessCycleIsHeldAtTheSpanLimit) {
    const std::vector<ModeTableRow> rows = {{"1e999", "10", "10"}};
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), rows, kCycleFrame, fixedWidth);
    EXPECT_EQ(g.timeIntervals, 5);
    EXPECT_EQ(g.scale.timeStepText, "500000");
    for (const Point& p : g.curves[0].polylines[0]) {
        EXPECT_GT(p.x, g.plot.left);
        EXPECT_LT(p.x, g.plot.right);
    }
}

// ---- legends ----------------------------------------------------------------

// A legend describes its chart's series: one entry per curve (and the load
// cycle's frequency profile), in the curves' order, with their texts and pens,
// laid out left to right inside the box at the window's fixed place.
struct LegendCase {
    const char* name;
    LegendGeometry (*build)();
    std::vector<Curve> (*series)();
    Box box;
    int pitch;  // pixels from one entry to the next
};

class LegendTest : public ::testing::TestWithParam<LegendCase> {};

TEST_P(LegendTest, DescribesTheChartsSeriesSideBySideInsideItsBox) {
    const LegendCase& c = GetParam();
    const LegendGeometry legend = c.build();
    const std::vector<Curve> series = c.series();
    expectBox(legend.box, c.box);
    ASSERT_EQ(legend.entries.size(), series.size());
    const int middle = (c.box.top + c.box.bottom) / 2;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const LegendEntry& e = legend.entries[i];
        EXPECT_EQ(e.text.text, series[i].label);
        expectPen(e.pen, series[i].pen.color, series[i].pen.width, series[i].pen.style);
        const int x = c.box.left + 10 + static_cast<int>(i) * c.pitch;
        EXPECT_EQ(e.sample.from, (Point{x, middle})) << i;
        EXPECT_EQ(e.sample.to, (Point{x + 30, middle})) << i;
        EXPECT_EQ(e.text.position, (Point{x + 40, c.box.top + 5})) << i;
        EXPECT_EQ(e.text.font, ChartFont::Legend);
        // The text ends before the next sample line and inside the box.
        const int textEnd = e.text.position.x + fixedWidth(e.text.text);
        EXPECT_LT(textEnd, i + 1 < series.size() ? x + c.pitch : c.box.right) << e.text.text;
    }
}

std::vector<Curve> steadyTemperatureSeries() {
    return steadyTemperatureChart(steadyExample(), kFrame, fixedWidth).curves;
}
std::vector<Curve> steadyLossSeries() {
    return steadyLossChart(steadyExample(), kFrame, fixedWidth).curves;
}
std::vector<Curve> loadCycleTemperatureSeries() {
    return loadCycleTemperatureChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth).curves;
}
std::vector<Curve> loadCycleLossSeries() {
    const ChartGeometry g = loadCycleLossChart(loadCycleExample(), kRows, kCycleFrame, fixedWidth);
    std::vector<Curve> series = g.curves;
    series.push_back(g.frequencyProfile);
    return series;
}

INSTANTIATE_TEST_SUITE_P(
    Legends, LegendTest,
    ::testing::Values(
        LegendCase{"SteadyTemperature",
                   steadyTemperatureLegend,
                   steadyTemperatureSeries,
                   {32, 46, 442, 70},
                   100},
        LegendCase{"SteadyLoss", steadyLossLegend, steadyLossSeries, {122, 360, 352, 384}, 110},
        LegendCase{"LoadCycleTemperature",
                   loadCycleTemperatureLegend,
                   loadCycleTemperatureSeries,
                   {27, 46, 437, 70},
                   100},
        LegendCase{
            "LoadCycleLoss", loadCycleLossLegend, loadCycleLossSeries, {62, 360, 402, 384}, 110}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartPens, FrameAndGrid) {
    // Colours are 0xRRGGBB: red in the high byte, blue in the low one.
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x123456);
    expectPen(kFramePen, 0x000000, 1, LineStyle::Solid);
    expectPen(kGridPen, 0x969696, 1, LineStyle::Dotted);
}

// ---- anything at all --------------------------------------------------------

void expectDrawable(const ChartGeometry& g) {
    ASSERT_GE(g.valueDivisions, 1);
    ASSERT_GE(g.timeIntervals, 1);
    ASSERT_LE(g.timeIntervals, 10);
    ASSERT_EQ((g.plot.bottom - g.plot.top) % g.valueDivisions, 0);
    ASSERT_EQ(g.valueLabels.size(), static_cast<std::size_t>(g.valueDivisions) + 1);
    ASSERT_EQ(g.timeLabels.size(), static_cast<std::size_t>(g.timeIntervals) + 1);
    const auto check = [](const Curve& curve) {
        for (const auto& run : curve.polylines) {
            ASSERT_GE(run.size(), 2u);
            for (const Point& p : run) {
                ASSERT_LE(std::abs(p.x), kChartCoordinateLimit);
                ASSERT_LE(std::abs(p.y), kChartCoordinateLimit);
            }
        }
    };
    for (const Curve& curve : g.curves) check(curve);
    check(g.frequencyProfile);
}

TEST(ChartGeometry, AnyInputGivesADrawableChart) {
    std::mt19937_64 random(55);
    std::uniform_int_distribution<int> pick(0, 11);
    std::uniform_real_distribution<double> plain(-50.0, 400.0);
    const double specials[] = {kNaN, kInf,   -kInf,       1e300,   -1e300, 0.0,
                               -0.0, 1e-300, 2147483.647, -9999.0, 9999.0};
    const auto value = [&] {
        const int p = pick(random);
        return p < 3 ? specials[pick(random) % 11] : plain(random);
    };
    const char* texts[] = {"",       "0",   "2",    "0.5", "-3", "1e999",
                           "-1e999", "abc", "12.5", "1e6", "60", "nan"};
    for (int i = 0; i < 300; ++i) {
        SteadyResult steady;
        LoadCycleResult cycle;
        const int count = pick(random);
        for (int k = 0; k < count; ++k) {
            PeriodSample s;
            s.time = value();
            s.tf = value();
            s.tc = value();
            s.igbtTj = value();
            s.fwdTj = value();
            s.igbtLoss = value();
            s.fwdLoss = value();
            steady.waveform.push_back(s);
            CycleSample c;
            c.tf = s.tf;
            c.tc = s.tc;
            c.igbtTj = s.igbtTj;
            c.fwdTj = s.fwdTj;
            c.igbtLoss = s.igbtLoss;
            c.fwdLoss = s.fwdLoss;
            cycle.samples.push_back(c);
        }
        std::vector<ModeTableRow> rows(static_cast<std::size_t>(pick(random) % 5));
        for (ModeTableRow& row : rows) {
            row = {texts[pick(random)], texts[pick(random)], texts[pick(random)]};
        }
        const FrameSize frame{pick(random) * 40, pick(random) * 30};
        expectDrawable(steadyTemperatureChart(steady, frame, fixedWidth));
        expectDrawable(steadyLossChart(steady, frame, fixedWidth));
        expectDrawable(loadCycleTemperatureChart(cycle, rows, frame, fixedWidth));
        expectDrawable(loadCycleLossChart(cycle, rows, frame, fixedWidth));
    }
}

}  // namespace
}  // namespace thermalyx
