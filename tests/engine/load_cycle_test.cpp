#include "engine/load_cycle.h"

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <random>

#include <gtest/gtest.h>

#include "engine/operating_point.h"
#include "tests/engine/engine_test_support.h"

namespace thermalyx {
namespace {

using namespace test;

LoadCycleMode mode(double duration, double frequencyStart, double frequencyEnd,
                   double current = 70.0) {
    LoadCycleMode row = sampleCondition();
    row.duration = duration;
    row.frequencyStart = frequencyStart;
    row.frequencyEnd = frequencyEnd;
    row.outputCurrentRms = current;
    return row;
}

LoadCycleResult simulate(const std::vector<LoadCycleMode>& rows,
                         const DeviceParamRecord& params = sampleParams(),
                         const HeatsinkModel& heatsink = sampleHeatsink()) {
    LoadCycleResult result;
    EXPECT_TRUE(simulateLoadCycle(rows, sampleLimits(), params, heatsink, result));
    return result;
}

ModeRunResult modeRun(const LoadCycleMode& row, bool end, bool average) {
    ModeRunResult run;
    std::vector<PeriodSample> waveform;
    EXPECT_TRUE(calculateOperatingPoint(row, sampleLimits(), sampleParams(), sampleHeatsink(), end,
                                        average, run, waveform));
    return run;
}

// The time a mode runs and the grid points it owns.
void expectWindow(const ModeResult& mode, double start, double end, int firstSample,
                  int lastSample) {
    EXPECT_EQ(mode.startTime, start);
    EXPECT_EQ(mode.endTime, end);
    EXPECT_EQ(mode.firstSample, firstSample);
    EXPECT_EQ(mode.lastSample, lastSample);
}

double igbtRise(const CycleSample& s) {
    return s.igbtTj - s.tc;
}
double fwdRise(const CycleSample& s) {
    return s.fwdTj - s.tc;
}

TEST(LoadCycleTest, TwoEqualModesSplitTheGridAtThreeHundred) {
    const LoadCycleResult result = simulate({mode(5.0, 50.0, 50.0), mode(5.0, 50.0, 50.0, 30.0)});
    ASSERT_EQ(result.modeCount, 2);
    ASSERT_EQ(result.modes.size(), 4u);
    ASSERT_EQ(result.samples.size(), 602u);
    const ModeResult& first = result.modes[1];
    const ModeResult& second = result.modes[2];
    expectWindow(first, 0.0, 5.0, 0, 300);
    expectWindow(second, 5.0, 10.0, 301, 600);
    for (int g = 0; g <= 600; ++g) {
        const CycleSample& s = result.samples[g];
        const ModeResult& owner = g <= 300 ? first : second;
        EXPECT_EQ(s.time, g * 10.0 * 0.0016666666666666668);
        EXPECT_EQ(s.modeTime, s.time - owner.startTime);
        EXPECT_EQ(s.igbtLoss, owner.igbtLoss);
        EXPECT_EQ(s.fwdLoss, owner.fwdLoss);
        EXPECT_EQ(s.pairLoss, owner.igbtLoss + owner.fwdLoss);
        EXPECT_EQ(s.heatsinkLoss, 6 * s.pairLoss);
        EXPECT_EQ(s.frequency, 50.0);
        EXPECT_EQ(s.tf, 40.0 + s.deltaTfa);
        EXPECT_EQ(s.tc, s.tf + s.deltaTcf);
    }
    // The spare entries stay zero.
    EXPECT_EQ(result.samples[601].time, 0.0);
    EXPECT_EQ(result.samples[601].igbtTj, 0.0);
    EXPECT_EQ(result.modes[0].lastSample, 0);
    EXPECT_EQ(result.modes[3].igbtLoss, 0.0);
}

TEST(LoadCycleTest, TheLastModeAlwaysEndsAtPointSixHundred) {
    // A cycle length for which floor(600 * Ttot / Ttot) gives 599.
    double total = 1.0;
    for (; total < 1000.0; total = std::nextafter(total * 1.0007, 2000.0)) {
        if (std::floor(600.0 * total / total) < 600.0) break;
    }
    ASSERT_LT(std::floor(600.0 * total / total), 600.0);
    const LoadCycleResult result = simulate({mode(total, 50.0, 50.0)});
    EXPECT_EQ(result.modes[1].lastSample, 600);
    EXPECT_EQ(result.samples[600].pairLoss, result.samples[0].pairLoss);
    EXPECT_GT(result.samples[600].pairLoss, 0.0);
    EXPECT_EQ(result.samples[600].time, 600 * total * 0.0016666666666666668);
}

TEST(LoadCycleTest, OneSteadyModeGivesAFlatJunctionRise) {
    const LoadCycleResult result = simulate({mode(30.0, 40.0, 40.0)});
    const double rise = result.modes[1].igbtDeltaTjcStart;
    for (int g = 0; g <= 600; ++g) {
        EXPECT_NEAR(igbtRise(result.samples[g]), rise, 1e-12) << g;
        EXPECT_NEAR(fwdRise(result.samples[g]), result.modes[1].fwdDeltaTjcStart, 1e-12) << g;
    }
}

TEST(LoadCycleTest, ModeChangesSettleFromThePreviousModesFinalRise) {
    const LoadCycleResult result =
        simulate({mode(2.0, 50.0, 50.0, 100.0), mode(2.0, 50.0, 50.0, 20.0)});
    const auto& s = result.samples;
    const double d1 = result.modes[1].igbtDeltaTjcStart;
    const double d2 = result.modes[2].igbtDeltaTjcStart;
    ASSERT_GT(d1, d2 + 1.0);
    // Mode 1 starts from the last point of mode 2, read before mode 2's own
    // transition: there the rise is still mode 2's plain value.
    for (int g = 0; g <= 300; ++g) {
        const double d = (s[g].tc + d1) - s[g].tc;
        const double r = (s[600].tc + d2) - s[600].tc;
        EXPECT_NEAR(igbtRise(s[g]), d - (d - r) * std::exp(-10 * s[g].modeTime), 1e-12) << g;
    }
    // Mode 2 starts from mode 1's final rise, transition included.
    const double r2 = igbtRise(s[300]);
    for (int g = 301; g <= 600; ++g) {
        const double d = (s[g].tc + d2) - s[g].tc;
        EXPECT_NEAR(igbtRise(s[g]), d - (d - r2) * std::exp(-10 * s[g].modeTime), 1e-12) << g;
    }
    // With a 0.1 s time constant both have settled after 2 s.
    EXPECT_NEAR(igbtRise(s[300]), d1, 1e-6);
    EXPECT_NEAR(igbtRise(s[600]), d2, 1e-6);
    EXPECT_GT(igbtRise(s[301]), d2 + 0.5);
}

TEST(LoadCycleTest, RampingModeFollowsTheOneOverFLaw) {
    const LoadCycleMode row = mode(10.0, 5.0, 45.0);
    const LoadCycleResult result = simulate({row});
    const ModeResult& m = result.modes[1];
    const ModeRunResult start = modeRun(row, false, false);
    const ModeRunResult end = modeRun(row, true, false);
    EXPECT_EQ(m.igbtDeltaTjcStart, start.igbtDeltaTjcStart);
    EXPECT_EQ(m.igbtDeltaTjcEnd, end.igbtDeltaTjcEnd);
    EXPECT_EQ(m.fwdDeltaTjcEnd, end.fwdDeltaTjcEnd);
    const double a = (start.igbtDeltaTjcStart - end.igbtDeltaTjcEnd) / (1 / 5.0 - 1 / 45.0);
    EXPECT_EQ(m.igbtDeltaTjcSlope, a);
    EXPECT_EQ(m.igbtDeltaTjcIntercept, start.igbtDeltaTjcStart - a / 5.0);
    // The losses are those of the start frequency.
    EXPECT_EQ(m.igbtLoss, start.igbtLoss);
    EXPECT_EQ(m.igbtTurnOnLoss, start.igbtTurnOnLoss);
    for (int g = 0; g <= 600; ++g) {
        const CycleSample& s = result.samples[g];
        EXPECT_EQ(s.frequency, 5.0 + (45.0 - 5.0) / 600 * g);
    }
    // Mode 1 starts from its own end (the cycle wraps); away from the start it
    // follows a/f + b.
    for (int g = 200; g <= 600; ++g) {
        const CycleSample& s = result.samples[g];
        EXPECT_NEAR(igbtRise(s), m.igbtDeltaTjcSlope / s.frequency + m.igbtDeltaTjcIntercept, 1e-9)
            << g;
    }
    EXPECT_NEAR(igbtRise(result.samples[0]), igbtRise(result.samples[600]), 1e-9);
}

TEST(LoadCycleTest, StartFrequencyZeroRampsFromOneTenth) {
    LoadCycleMode zero = mode(8.0, 0.0, 20.0);
    LoadCycleMode tenth = mode(8.0, 0.1, 20.0);
    const LoadCycleResult a = simulate({zero});
    const LoadCycleResult b = simulate({tenth});
    EXPECT_EQ(a.modes[1].frequencyStart, 0.1);
    EXPECT_EQ(a.samples[0].frequency, 0.1);
    EXPECT_EQ(a.modes[1].igbtDeltaTjcStart, b.modes[1].igbtDeltaTjcStart);
    EXPECT_EQ(a.modes[1].igbtDeltaTjcSlope, b.modes[1].igbtDeltaTjcSlope);
    EXPECT_EQ(a.igbtTjMax, b.igbtTjMax);
    // An end frequency of 0 is replaced too; 0 to 0 does not ramp.
    const LoadCycleResult c = simulate({mode(8.0, 0.0, 0.0)});
    EXPECT_EQ(c.modes[1].frequencyEnd, 0.1);
    EXPECT_EQ(c.modes[1].igbtDeltaTjcEnd, 0.0);
    EXPECT_EQ(c.modes[1].igbtDeltaTjcSlope, 0.0);
}

TEST(LoadCycleTest, TjModeAverageUsesTheMeanRiseButTheReportedMaximumStays) {
    LoadCycleMode maximum = mode(5.0, 30.0, 30.0);
    LoadCycleMode average = maximum;
    average.tjMode = 1;
    maximum.tjMode = 2;
    const LoadCycleResult a = simulate({average});
    const LoadCycleResult m = simulate({maximum});
    EXPECT_EQ(a.modes[1].igbtDeltaTjcStart, modeRun(average, false, true).igbtDeltaTjcStart);
    EXPECT_EQ(m.modes[1].igbtDeltaTjcStart, modeRun(maximum, false, false).igbtDeltaTjcStart);
    EXPECT_LT(a.modes[1].igbtDeltaTjcStart, m.modes[1].igbtDeltaTjcStart);
    EXPECT_LT(a.igbtTjMax, m.igbtTjMax);
    EXPECT_EQ(a.igbtDeltaTjcMax, m.igbtDeltaTjcMax);
    EXPECT_EQ(a.igbtDeltaTjcMax, modeRun(maximum, false, false).igbtDeltaTjcMax);
}

TEST(LoadCycleTest, JunctionFiguresAtOrBelowZeroAreReportedAsFiveThousandths) {
    DeviceParamRecord silent;  // no loss, no network
    HeatsinkModel heatsink = sampleHeatsink();
    heatsink.ambientTemperature = -10.0;
    LoadCycleResult result = simulate({mode(1.0, 50.0, 50.0)}, silent, heatsink);
    EXPECT_EQ(result.igbtTjMax, 0.005);
    EXPECT_EQ(result.fwdTjMax, 0.005);
    EXPECT_EQ(result.igbtDeltaTjcMax, 0.005);
    EXPECT_EQ(result.fwdDeltaTjcMax, 0.005);
    EXPECT_EQ(result.tcMax, -10.0);  // the case and fin figures are not adjusted
    EXPECT_EQ(result.ambientTemperature, -10.0);

    heatsink.ambientTemperature = 0.002;
    result = simulate({mode(1.0, 50.0, 50.0)}, silent, heatsink);
    EXPECT_EQ(result.igbtTjMax, 0.002 + 0.005);
    heatsink.ambientTemperature = 0.006;
    result = simulate({mode(1.0, 50.0, 50.0)}, silent, heatsink);
    EXPECT_EQ(result.igbtTjMax, 0.006);
}

TEST(LoadCycleTest, FiguresRunOverTheSixHundredAndOnePoints) {
    const LoadCycleResult result =
        simulate({mode(3.0, 20.0, 60.0, 90.0), mode(4.0, 60.0, 60.0, 40.0)});
    double tcSum = 0.0, tfSum = 0.0, tcMax = result.samples[0].tc,
           fwdTjMax = result.samples[0].fwdTj;
    for (int g = 0; g <= 600; ++g) {
        tcSum += result.samples[g].tc;
        tfSum += result.samples[g].tf;
        tcMax = std::max(tcMax, result.samples[g].tc);
        fwdTjMax = std::max(fwdTjMax, result.samples[g].fwdTj);
    }
    EXPECT_EQ(result.tcAve, tcSum / 601);
    EXPECT_EQ(result.tfAve, tfSum / 601);
    EXPECT_EQ(result.tcMax, tcMax);
    EXPECT_EQ(result.fwdTjMax, fwdTjMax);
}

TEST(LoadCycleTest, RampingModeOwningOneGridPointTakesItsStartFrequency) {
    const LoadCycleResult result =
        simulate({mode(0.25, 50.0, 50.0), mode(0.0025, 10.0, 20.0), mode(0.7475, 50.0, 50.0)});
    const ModeResult& single = result.modes[2];
    ASSERT_EQ(single.firstSample, 151);
    ASSERT_EQ(single.lastSample, 151);
    EXPECT_EQ(result.samples[151].frequency, 10.0);
    EXPECT_TRUE(std::isfinite(result.samples[151].igbtTj));
}

// A mode shorter than one grid interval may own no grid point: it is run (its
// losses and rises are in its ModeResult and its maxima count), it adds nothing
// to the loss waveform, and the mode after it starts from the last grid point
// before it.
TEST(LoadCycleTest, ModeWithoutGridPointsChangesNoSample) {
    const std::vector<LoadCycleMode> rows = {mode(0.2505, 50.0, 50.0, 40.0),
                                             mode(1e-9, 50.0, 50.0, 140.0),
                                             mode(0.7495, 50.0, 50.0, 60.0)};
    const LoadCycleResult result = simulate(rows);
    const ModeResult& empty = result.modes[2];
    EXPECT_EQ(result.modes[1].lastSample, 150);
    EXPECT_EQ(empty.firstSample, 151);
    EXPECT_EQ(empty.lastSample, 150);
    EXPECT_EQ(result.modes[3].firstSample, 151);
    EXPECT_GT(empty.igbtLoss, result.modes[1].igbtLoss);
    // Its run still counts for the reported maximum.
    EXPECT_EQ(result.igbtDeltaTjcMax, modeRun(rows[1], false, false).igbtDeltaTjcMax);
    for (int g = 151; g <= 600; ++g) {
        EXPECT_EQ(result.samples[g].igbtLoss, result.modes[3].igbtLoss);
        EXPECT_EQ(result.samples[g].modeTime, result.samples[g].time - result.modes[3].startTime);
    }
    const auto& s = result.samples;
    const double r = igbtRise(s[150]);
    const double d3 = result.modes[3].igbtDeltaTjcStart;
    const double d = (s[151].tc + d3) - s[151].tc;
    EXPECT_NEAR(igbtRise(s[151]), d - (d - r) * std::exp(-10 * s[151].modeTime), 1e-12);

    // An empty last mode: every point belongs to the mode before it.
    const LoadCycleResult tail = simulate({mode(1.0, 50.0, 50.0), mode(1e-20, 10.0, 20.0, 150.0)});
    EXPECT_EQ(tail.modes[1].lastSample, 600);
    EXPECT_EQ(tail.modes[2].firstSample, 601);
    EXPECT_EQ(tail.modes[2].lastSample, 600);
    EXPECT_EQ(tail.samples[600].igbtLoss, tail.modes[1].igbtLoss);
    EXPECT_EQ(tail.samples[601].igbtLoss, 0.0);
    EXPECT_NEAR(igbtRise(tail.samples[300]), tail.modes[1].igbtDeltaTjcStart, 1e-12);
}

TEST(LoadCycleTest, TwentyFiveModesAreAccepted) {
    std::vector<LoadCycleMode> rows;
    for (int j = 0; j < kMaxModes; ++j) rows.push_back(mode(1.0 + j, 10.0 + j, 70.0 - j));
    const LoadCycleResult result = simulate(rows);
    EXPECT_EQ(result.modeCount, 25);
    EXPECT_EQ(result.modes.size(), 27u);
    EXPECT_EQ(result.modes[25].lastSample, 600);
    for (int j = 2; j <= 25; ++j) {
        EXPECT_EQ(result.modes[j].firstSample, result.modes[j - 1].lastSample + 1);
        EXPECT_EQ(result.modes[j].startTime, result.modes[j - 1].endTime);
    }
}

struct CycleGuard {
    const char* name;
    std::function<void(std::vector<LoadCycleMode>&)> spoil;
};

void PrintTo(const CycleGuard& c, std::ostream* os) {
    *os << c.name;
}

class CycleGuardTest : public ::testing::TestWithParam<CycleGuard> {};

TEST_P(CycleGuardTest, ReturnsFalseAndFillsNothing) {
    std::vector<LoadCycleMode> rows = {mode(2.0, 10.0, 50.0), mode(3.0, 50.0, 50.0),
                                       mode(1.0, 50.0, 5.0)};
    GetParam().spoil(rows);
    LoadCycleResult result;
    result.tcMax = -1.0;
    result.samples.resize(1);
    result.modeCount = 99;
    EXPECT_FALSE(simulateLoadCycle(rows, sampleLimits(), sampleParams(), sampleHeatsink(), result));
    EXPECT_EQ(result.tcMax, -1.0);
    EXPECT_EQ(result.samples.size(), 1u);
    EXPECT_EQ(result.modes.size(), 0u);
    EXPECT_EQ(result.modeCount, 99);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, CycleGuardTest,
    ::testing::Values(
        CycleGuard{"noModes", [](auto& rows) { rows.clear(); }},
        CycleGuard{"moreThan25", [](auto& rows) { rows.resize(26, mode(1.0, 50.0, 50.0)); }},
        CycleGuard{"duration0", [](auto& rows) { rows[1].duration = 0.0; }},
        CycleGuard{"durationNegative", [](auto& rows) { rows[2].duration = -1.0; }},
        CycleGuard{"durationNaN", [](auto& rows) { rows[0].duration = kNaN; }},
        CycleGuard{"durationInf", [](auto& rows) { rows[0].duration = kInf; }},
        CycleGuard{"cycleOverflows",
                   [](auto& rows) { rows[0].duration = rows[1].duration = 1e308; }},
        CycleGuard{"gridOverflows", [](auto& rows) { rows[2].duration = 1e306; }},
        CycleGuard{"startFrequencyNegative", [](auto& rows) { rows[1].frequencyStart = -5.0; }},
        CycleGuard{"endFrequencyNaN", [](auto& rows) { rows[0].frequencyEnd = kNaN; }},
        CycleGuard{"currentInf", [](auto& rows) { rows[2].outputCurrentRms = kInf; }},
        CycleGuard{"powerFactorOutOfRange", [](auto& rows) { rows[1].powerFactor = 1.5; }},
        CycleGuard{"carrierBelowOutput", [](auto& rows) { rows[0].carrierFrequency = 0.001; }}),
    [](const ::testing::TestParamInfo<CycleGuard>& info) { return info.param.name; });

// Whole cycles: the fast path changes no loss and no temperature by more than 1e-9.
TEST(LoadCycleTest, FastCyclesAgreeWithLiteralCycles) {
    std::mt19937_64 random(4242);
    for (int trial = 0; trial < 6; ++trial) {
        const auto base = test::randomCase(random);
        std::vector<LoadCycleMode> rows;
        const int count = 1 + static_cast<int>(random() % 6);
        for (int j = 0; j < count; ++j) {
            LoadCycleMode row = test::randomCase(random).condition;
            row.duration = std::exp(std::uniform_real_distribution<double>(-3.0, 5.0)(random));
            rows.push_back(row);
        }
        LoadCycleResult fast;
        LoadCycleResult literal;
        ASSERT_TRUE(simulateLoadCycle(rows, base.limits, base.params, base.heatsink, fast,
                                      SolverPath::Fast));
        ASSERT_TRUE(simulateLoadCycle(rows, base.limits, base.params, base.heatsink, literal,
                                      SolverPath::Literal));
        for (auto field :
             {&LoadCycleResult::tcMax, &LoadCycleResult::tcAve, &LoadCycleResult::tfMax,
              &LoadCycleResult::tfAve, &LoadCycleResult::igbtTjMax, &LoadCycleResult::fwdTjMax,
              &LoadCycleResult::igbtDeltaTjcMax, &LoadCycleResult::fwdDeltaTjcMax}) {
            EXPECT_TRUE(agrees(fast.*field, literal.*field)) << trial;
        }
        for (int j = 1; j <= count; ++j) {
            const ModeResult& a = fast.modes[j];
            const ModeResult& b = literal.modes[j];
            EXPECT_EQ(a.igbtLoss, b.igbtLoss);
            EXPECT_EQ(a.fwdRecoveryLoss, b.fwdRecoveryLoss);
            EXPECT_EQ(a.lastSample, b.lastSample);
            for (auto field : {&ModeResult::igbtDeltaTjcStart, &ModeResult::igbtDeltaTjcEnd,
                               &ModeResult::fwdDeltaTjcStart, &ModeResult::fwdDeltaTjcEnd,
                               &ModeResult::igbtDeltaTjcSlope, &ModeResult::igbtDeltaTjcIntercept,
                               &ModeResult::fwdDeltaTjcSlope, &ModeResult::fwdDeltaTjcIntercept}) {
                EXPECT_TRUE(agrees(a.*field, b.*field)) << trial << " mode " << j;
            }
        }
        for (int g = 0; g <= 600; ++g) {
            const CycleSample& a = fast.samples[g];
            const CycleSample& b = literal.samples[g];
            EXPECT_EQ(a.pairLoss, b.pairLoss);
            for (auto field : {&CycleSample::tc, &CycleSample::tf, &CycleSample::deltaTcf,
                               &CycleSample::deltaTfa, &CycleSample::igbtTj, &CycleSample::fwdTj}) {
                ASSERT_TRUE(agrees(a.*field, b.*field)) << trial << " g " << g;
            }
        }
    }
}

}  // namespace
}  // namespace thermalyx
