#include "charts/chart_scale.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace thermalyx {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---- value axis -------------------------------------------------------------

struct ValueAxisCase {
    const char* name;
    double max;
    double min;
    int top;        // valueTop
    int bottom;     // valueBottom
    int step;       // valueStep
    int divisions;  // m
    int plotTop;    // valueAxisTop
};

class ValueAxisTest : public ::testing::TestWithParam<ValueAxisCase> {};

TEST_P(ValueAxisTest, ChoosesRangeStepAndPlotTop) {
    const ValueAxisCase& c = GetParam();
    const auto expectAxis = [&c](const ChartScale& scale) {
        EXPECT_EQ(scale.valueTop, c.top);
        EXPECT_EQ(scale.valueBottom, c.bottom);
        EXPECT_EQ(scale.valueStep, c.step);
    };
    ChartScale scale;
    EXPECT_EQ(scale.chooseValueAxis(c.max, c.min), c.divisions);
    expectAxis(scale);

    ChartScale again;
    EXPECT_EQ(again.valueAxisTop(c.max, c.min), c.plotTop);
    // valueAxisTop leaves the fields of chooseValueAxis behind.
    expectAxis(again);
    EXPECT_EQ((kPlotBottom - c.plotTop) % c.divisions, 0);
}

// clang-format off
const ValueAxisCase kValueAxisCases[] = {
    // Ranges of typical temperatures and losses.
    {"Temperatures25To95",     95.3,  25.1,  100,   20,  10, 8, 16},
    {"Loss0To35",              35.2,   0.0,   40,    0,   5, 8, 16},
    {"Loss0To3",                3.2,   0.0,    5,    0,   1, 5, 20},
    {"Loss0To12",              12.5,   0.0,   14,    0,   2, 7, 16},
    {"MinusHalfStep20",       130.0,  -0.5,  140,  -20,  20, 8, 16},
    {"AllZero",                 0.0,   0.0,    1,    0,   1, 1, 20},
    {"Step50",                420.0,  30.0,  450,    0,  50, 9, 15},
    // A minimum between 0 and 1 keeps the bottom at 0, -0.5 puts it at -2.
    {"MinBelowOneKeepsZero",    5.0,   0.5,    6,    0,   1, 6, 18},
    {"MinusHalfSmallRange",     3.0,  -0.5,    4,   -2,   1, 6, 18},
    // Negative ends: rounding moves away from the data, remainders keep the
    // dividend's sign (-59 goes down to -60, not up to -50).
    {"NegativeRange",         -12.3, -57.8,  -10,  -60,  10, 5, 20},
    {"Step2OddBottom",         14.2,   2.5,   16,    0,   2, 8, 16},
    {"Step2OddTop",            14.0,   3.2,   16,    2,   2, 7, 16},
    {"Step20RaisesBothEnds",  185.0,  15.0,  200,    0,  20, 10, 20},
    {"Step25MovesByFive",     200.0,   0.0,  225,    0,  25, 9, 15},
    {"Step100",               700.0,   0.0,  800,    0, 100, 8, 16},
    {"Step200MovesByOne",    1234.5,  -7.0, 1400, -200, 200, 8, 16},
    {"Step250",              2100.0,   0.0, 2250,    0, 250, 9, 15},
    {"Step500",              4000.0,   0.0, 4500,    0, 500, 9, 15},
    {"Step500ManyDivisions",10000.0,   0.0,10500,    0, 500, 21, 9},
    // Degenerate inputs: no samples (seriesRange's -9999 / 9999),
    // NaN, max below min, infinities held at +-100000.
    {"NoSamples",           -9999.0, 9999.0,   1,    0,   1, 1, 20},
    {"NaNMax",                  kNaN,  0.0,    1,    0,   1, 1, 20},
    {"NaNMin",                  5.0,  kNaN,    1,    0,   1, 1, 20},
    {"MaxBelowMin",            -5.0,   0.5,    1,    0,   1, 1, 20},
    {"InfiniteMax",             kInf,  0.0, 100500,  0, 500, 201, -162},
    {"BothMinusInfinity",      -kInf, -kInf, -99999, -100001, 1, 2, 20},
    {"HugeBothWays",          1e300, -1e300, 100500, -100500, 500, 402, -162},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scaling, ValueAxisTest, ::testing::ValuesIn(kValueAxisCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueAxis, TemperatureExampleHasDivisionsOf28Pixels) {
    ChartScale scale;
    const int top = scale.valueAxisTop(95.3, 25.1);
    EXPECT_EQ((kPlotBottom - top) / scale.chooseValueAxis(95.3, 25.1), 28);
}

// Any range at all gives an axis that covers it (within the held limits), at
// least one division, and a plot height of at least 220 that the divisions
// split into whole pixels.
TEST(ValueAxis, EveryRangeGivesADrawableAxis) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> magnitude(-7.0, 7.0);
    std::uniform_int_distribution<int> pick(0, 15);
    const double specials[] = {0.0,  -0.0,  0.5,  -0.5,  1.0,    -1.0,    9.99,     10.0,
                               kInf, -kInf, kNaN, 1e300, -1e300, 99999.9, -99999.9, 100000.0};
    const auto draw = [&] {
        const int p = pick(random);
        if (p < 4) return specials[pick(random)];
        const double v = std::pow(10.0, magnitude(random));
        return p % 2 ? v : -v;
    };
    for (int i = 0; i < 20000; ++i) {
        const double a = draw();
        const double b = draw();
        ChartScale scale;
        const int m = scale.chooseValueAxis(a, b);
        ASSERT_GE(m, 1) << a << " " << b;
        ASSERT_GT(scale.valueStep, 0);
        ASSERT_EQ(scale.valueTop - scale.valueBottom, m * scale.valueStep) << a << " " << b;
        if (a >= b && std::isfinite(a) && std::isfinite(b) && std::fabs(a) < kChartValueLimit &&
            std::fabs(b) < kChartValueLimit) {
            ASSERT_GE(scale.valueTop, a);
            ASSERT_LE(scale.valueBottom, b);
        }
        const int top = scale.valueAxisTop(a, b);
        ASSERT_LE(top, 20);
        ASSERT_GT(top, 20 - m);
        ASSERT_EQ((kPlotBottom - top) % m, 0);
    }
}

// ---- time axis --------------------------------------------------------------

struct TimeAxisCase {
    const char* name;
    double span;
    int intervals;
    const char* stepText;
    double axisEnd;
    std::vector<std::string> labels;  // j = 0 ... n
};

class TimeAxisTest : public ::testing::TestWithParam<TimeAxisCase> {};

TEST_P(TimeAxisTest, ChoosesStepEndAndLabels) {
    const TimeAxisCase& c = GetParam();
    ChartScale scale;
    EXPECT_EQ(scale.chooseTimeAxis(c.span), c.intervals);
    EXPECT_EQ(scale.timeStepText, c.stepText);
    EXPECT_LE(scale.timeStepText.size(), 7u);
    EXPECT_NEAR(scale.timeAxisEnd, c.axisEnd, c.axisEnd * 1e-12);
    std::vector<std::string> labels;
    for (int j = 0; j <= c.intervals; ++j) labels.push_back(scale.timeTickLabel(j));
    EXPECT_EQ(labels, c.labels);
}

// clang-format off
const TimeAxisCase kTimeAxisCases[] = {
    {"Span40ms", 0.04, 9, "0.005", 0.045,
     {"0", "0.005", "0.010", "0.015", "0.020", "0.025", "0.030", "0.035", "0.040", "0.045"}},
    {"Span39_9ms", 0.0399, 8, "0.005", 0.040,
     {"0", "0.005", "0.010", "0.015", "0.020", "0.025", "0.030", "0.035", "0.040"}},
    {"Span100ms", 0.1, 6, "0.02", 0.12,
     {"0", "0.02", "0.04", "0.06", "0.08", "0.10", "0.12"}},
    {"Span7s", 7.0, 8, "1.0", 8.0,
     {"0", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0"}},
    {"Span100s", 100.0, 6, "20", 120.0,
     {"0", "20", "40", "60", "80", "100", "120"}},
    // An exact multiple of the step still gets one more step.
    {"ExactMultiple", 8.0, 9, "1.0", 9.0,
     {"0", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0", "9.0"}},
    {"Step2ms", 0.01, 6, "0.002", 0.012,
     {"0", "0.002", "0.004", "0.006", "0.008", "0.010", "0.012"}},
    // The step text "0.010" is worth 10 ms, so its labels carry two decimals.
    {"Step10msTwoDecimals", 0.05, 6, "0.010", 0.06,
     {"0", "0.01", "0.02", "0.03", "0.04", "0.05", "0.06"}},
    {"Step100msOneDecimal", 0.5, 6, "0.10", 0.6,
     {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}},
    {"Step500s", 2000.0, 5, "500", 2500.0,
     {"0", "500", "1000", "1500", "2000", "2500"}},
    {"JustBelowLimit", 2147483.0, 5, "500000", 2500000.0,
     {"0", "500000", "1000000", "1500000", "2000000", "2500000"}},
    // Degenerate spans: 0, below a millisecond, negative, NaN, and
    // beyond the 32-bit limit (held there).
    {"ZeroSpan", 0.0, 1, "0.002", 0.002, {"0", "0.002"}},
    {"BelowOneMillisecond", 0.0004, 1, "0.002", 0.002, {"0", "0.002"}},
    {"NegativeSpan", -5.0, 1, "0.002", 0.002, {"0", "0.002"}},
    {"NaNSpan", kNaN, 1, "0.002", 0.002, {"0", "0.002"}},
    {"BeyondLimit", 1e12, 5, "500000", 2500000.0,
     {"0", "500000", "1000000", "1500000", "2000000", "2500000"}},
    {"InfiniteSpan", kInf, 5, "500000", 2500000.0,
     {"0", "500000", "1000000", "1500000", "2000000", "2500000"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scaling, TimeAxisTest, ::testing::ValuesIn(kTimeAxisCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RightEdgeCase {
    int widthLimit;
    double span;
    int right;
};

class TimeAxisRightTest : public ::testing::TestWithParam<RightEdgeCase> {};

TEST_P(TimeAxisRightTest, IsTheLargestMultipleOfTheIntervals) {
    const RightEdgeCase& c = GetParam();
    ChartScale scale;
    EXPECT_EQ(scale.timeAxisRight(c.widthLimit, c.span), c.right);
}

INSTANTIATE_TEST_SUITE_P(Scaling, TimeAxisRightTest,
                         ::testing::Values(RightEdgeCase{371, 0.04, 419},  // 9 x 41
                                           RightEdgeCase{336, 0.04, 383},  // 9 x 37
                                           RightEdgeCase{371, 7.0, 418},   // 8 x 46
                                           RightEdgeCase{336, 7.0, 386},   // 8 x 42
                                           RightEdgeCase{371, 0.0, 421},   // 1 x 371
                                           RightEdgeCase{5, 0.04, 50},     // narrower than n
                                           RightEdgeCase{-40, 0.04, 50}));

TEST(TimeAxis, RightEdgeAlsoSetsTheTimeFields) {
    ChartScale scale;
    scale.timeAxisRight(371, 0.1);
    EXPECT_EQ(scale.timeStepText, "0.02");
    EXPECT_NEAR(scale.timeAxisEnd, 0.12, 1e-15);
}

TEST(TimeAxis, LabelsOfAnyStepTextAreDefined) {
    ChartScale scale;  // no time axis chosen yet
    EXPECT_EQ(scale.timeTickLabel(0), "0");
    EXPECT_EQ(scale.timeTickLabel(3), "0");
    scale.timeStepText = "1e300";
    EXPECT_EQ(scale.timeTickLabel(INT_MAX), "2147483647000000000");
    scale.timeStepText = "20";
    EXPECT_EQ(scale.timeTickLabel(-2), "-40");
}

// ---- series range -----------------------------------------------------------

std::vector<PeriodSample> periodSamples(const std::vector<std::array<double, 6>>& rows) {
    std::vector<PeriodSample> samples;
    for (const auto& r : rows) {
        PeriodSample s;
        s.tf = r[0];
        s.tc = r[1];
        s.igbtTj = r[2];
        s.fwdTj = r[3];
        s.igbtLoss = r[4];
        s.fwdLoss = r[5];
        samples.push_back(s);
    }
    return samples;
}

struct Ranges {
    double temperatureMax;
    double temperatureMin;
    double lossMax;
    double lossMin;
};

// Scans the temperature series, then the loss series, and checks both ranges.
template <class Sample>
ChartScale expectRanges(const std::vector<Sample>& samples, const Ranges& expected) {
    ChartScale scale;
    scale.seriesRange(kTemperatureSeriesCount, samples);
    scale.seriesRange(kLossSeriesCount, samples);
    // Each range has its own fields: the loss scan leaves the temperatures.
    EXPECT_EQ(scale.temperatureMax, expected.temperatureMax);
    EXPECT_EQ(scale.temperatureMin, expected.temperatureMin);
    EXPECT_EQ(scale.lossMax, expected.lossMax);
    EXPECT_EQ(scale.lossMin, expected.lossMin);
    return scale;
}

TEST(SeriesRange, ScansAllButTheSpareEntryOfTheSteadyWaveform) {
    const std::vector<PeriodSample> waveform = periodSamples({
        {40.0, 50.0, 70.0, 65.0, 12.0, 3.0},
        {41.0, 52.0, 95.3, 60.0, 0.0, 35.2},
        {39.0, 49.5, 80.0, 25.1, 7.5, 0.5},
        {500.0, -500.0, 500.0, -500.0, 999.0, -999.0},  // spare: not scanned
    });
    expectRanges(waveform, {95.3, 25.1, 35.2, 0.0});
}

TEST(SeriesRange, ReadsTheFourTemperatureSeriesOnly) {
    // Series outside the four (deltaTcf, pairLoss, ...) are not part of the range.
    std::vector<PeriodSample> waveform = periodSamples({{30.0, 31.0, 32.0, 33.0, 1.0, 2.0},
                                                        {30.0, 31.0, 32.0, 33.0, 1.0, 2.0},
                                                        {0.0, 0.0, 0.0, 0.0, 0.0, 0.0}});
    waveform[0].deltaTcf = 1000.0;
    waveform[0].pairLoss = 1000.0;
    waveform[1].time = -1000.0;
    expectRanges(waveform, {33.0, 30.0, 2.0, 1.0});
}

TEST(SeriesRange, ScansTheLoadCycleSamples) {
    std::vector<CycleSample> samples(4);
    samples[0] = {
        .tc = 60.0, .tf = 45.0, .igbtTj = 88.0, .fwdTj = 70.0, .igbtLoss = 20.0, .fwdLoss = 4.0};
    samples[1] = {
        .tc = 62.0, .tf = 44.5, .igbtTj = 91.0, .fwdTj = 72.0, .igbtLoss = 25.0, .fwdLoss = 6.0};
    samples[2] = {
        .tc = 61.0, .tf = 46.0, .igbtTj = 90.0, .fwdTj = 71.0, .igbtLoss = 25.0, .fwdLoss = 6.0};
    // samples[3] is the all-zero spare entry.
    expectRanges(samples, {91.0, 44.5, 25.0, 4.0});
}

TEST(SeriesRange, FewerThanTwoEntriesLeaveTheStartValues) {
    for (const std::size_t count : {0u, 1u}) {
        ChartScale scale;
        scale.seriesRange(kTemperatureSeriesCount, std::vector<PeriodSample>(count));
        scale.seriesRange(kLossSeriesCount, std::vector<CycleSample>(count));
        EXPECT_EQ(scale.temperatureMax, -9999.0);
        EXPECT_EQ(scale.temperatureMin, 9999.0);
        EXPECT_EQ(scale.lossMax, -9999.0);
        EXPECT_EQ(scale.lossMin, 9999.0);
        // ... which scale like an all-zero series.
        EXPECT_EQ(scale.valueAxisTop(scale.temperatureMax, scale.temperatureMin), 20);
        EXPECT_EQ(scale.valueTop, 1);
        EXPECT_EQ(scale.valueBottom, 0);
    }
}

TEST(SeriesRange, PassesOverNaNAndKeepsInfinities) {
    const std::vector<PeriodSample> waveform = periodSamples({
        {kNaN, 31.0, 32.0, 33.0, kNaN, kInf},
        {30.0, kNaN, 35.0, 33.0, 1.0, 2.0},
        {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
    });
    ChartScale scale = expectRanges(waveform, {35.0, 30.0, kInf, 1.0});
    // An infinite loss still gives an axis (held at 100000).
    EXPECT_GE(scale.chooseValueAxis(scale.lossMax, scale.lossMin), 1);
}

TEST(SeriesRange, OtherSeriesCountsChangeNothing) {
    ChartScale scale;
    scale.seriesRange(3, periodSamples({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {}}));
    EXPECT_EQ(scale.temperatureMax, 0.0);
    EXPECT_EQ(scale.lossMax, 0.0);
}

TEST(ChartSpan, HoldsTheSpanToWhatTheAxisShows) {
    EXPECT_EQ(chartSpan(0.04), 0.04);
    EXPECT_EQ(chartSpan(0.0), 0.0);
    EXPECT_EQ(chartSpan(-1.0), 0.0);
    EXPECT_EQ(chartSpan(kNaN), 0.0);
    EXPECT_EQ(chartSpan(kInf), kChartSpanLimit);
    EXPECT_EQ(chartSpan(3e6), kChartSpanLimit);
}

}  // namespace
}  // namespace thermalyx
