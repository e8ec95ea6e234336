#include "analysis/lifetime.h"

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/lifetime_model.h"
#include "analysis/lifetime_ripple.h"
#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/number_text.h"
#include "tests/support/sample_records.h"

namespace thermalyx {
namespace {

using Knots = std::vector<std::pair<int, double>>;

// The junction at grid point g, linear between knots (g, value).
double piecewise(const Knots& knots, int g) {
    for (std::size_t k = 1; k < knots.size(); ++k) {
        const auto [g0, v0] = knots[k - 1];
        const auto [g1, v1] = knots[k];
        if (g <= g1) return v0 + (v1 - v0) * (g - g0) / (g1 - g0);
    }
    return knots.back().second;
}

// A cycle of the given length with one mode per entry of lastSamples; the IGBT
// follows igbt, the FWD stays at 50 deg C.
LoadCycleResult syntheticCycle(double period, const Knots& igbt,
                               const std::vector<int>& lastSamples = {600}) {
    LoadCycleResult cycle;
    cycle.samples.resize(602);
    for (int g = 0; g <= 600; ++g) {
        CycleSample& s = cycle.samples[static_cast<std::size_t>(g)];
        s.time = g * period / 600;
        s.igbtTj = piecewise(igbt, g);
        s.fwdTj = 50.0;
    }
    cycle.modeCount = static_cast<int>(lastSamples.size());
    cycle.modes.resize(lastSamples.size() + 2);
    int first = 0;
    for (std::size_t j = 1; j <= lastSamples.size(); ++j) {
        ModeResult& m = cycle.modes[j];
        m.firstSample = first;
        m.lastSample = lastSamples[j - 1];
        m.endTime = period * m.lastSample / 600;
        first = m.lastSample + 1;
    }
    return cycle;
}

// 40 -> 100 deg C at point 300 and back: one cycle of 60 K, heating for half the period.
const Knots kTriangle = {{0, 40.0}, {300, 100.0}, {600, 40.0}};

// CIPS 2008 at dTj 60 K, Tj,min 40 deg C (313.15 K), ton 2 s, I 10 A, V 12, D 300 um:
// ln Nf = ln 9.30e14 (34.466206) - 4.416 ln 60 (-18.080626) + 1285 / 313.15 (4.103465)
//       - 0.463 ln 2 (-0.320927) - 0.716 ln 10 (-1.648651) - 0.761 ln 12 (-1.891014)
//       - 0.5 ln 300 (-2.851891) = 13.776562, Nf = 961 799.84.
constexpr double kCipsCycles = 961799.84;
// The same with ton 0.5 s held at 1 s: the ton term drops, ln Nf = 14.097489.
constexpr double kCipsCyclesAtOneSecond = 1325749.85;
// LESIT at dTj 60 K, Tm 70 deg C (343.15 K): ln 302500 (12.619837) - 5.039 ln 60
// (-20.631402) + 9.89e-20 / (1.38e-23 * 343.15) (20.884939) = 12.873373, Nf = 389 793.69.
constexpr double kLesitCycles = 389793.69;

TEST(LifetimeTest, CipsTriangleAgreesWithHandValuesAndMinersRule) {
    const LifetimeResult r = assessLifetime(syntheticCycle(4.0, kTriangle), {}, false, {});
    EXPECT_EQ(r.cycleTime, 4.0);
    ASSERT_EQ(r.igbt.cycles.size(), 1u);
    const LifetimeCycle& c = r.igbt.cycles[0];
    EXPECT_EQ(c.source, CycleSource::Cycle);
    EXPECT_EQ(c.range, 60.0);
    EXPECT_DOUBLE_EQ(c.ton, 2.0);
    EXPECT_FALSE(c.tonLimited);
    ASSERT_TRUE(c.cyclesToFailure);
    EXPECT_NEAR(*c.cyclesToFailure, kCipsCycles, 0.01);
    EXPECT_DOUBLE_EQ(c.damage, 1.0 / *c.cyclesToFailure);
    EXPECT_DOUBLE_EQ(*r.igbt.loadCyclesToFailure, *c.cyclesToFailure);
    // 4 s a load cycle: 4 * Nf / 3600 hours.
    EXPECT_NEAR(*r.igbt.hoursToFailure, 4.0 * kCipsCycles / 3600.0, 1e-4);
    EXPECT_TRUE(r.warnings.empty());

    // A flat FWD has no cycle and no damage: both lives unbounded, not infinite.
    EXPECT_TRUE(r.fwd.cycles.empty());
    EXPECT_EQ(r.fwd.damagePerLoadCycle, 0.0);
    EXPECT_FALSE(r.fwd.loadCyclesToFailure);
    EXPECT_FALSE(r.fwd.hoursToFailure);
}

TEST(LifetimeTest, ModelParametersEnterAsPublished) {
    LifetimeParameters p;
    const ModelCycle cycle{60.0, 40.0, 70.0, 2.0};
    EXPECT_NEAR(*cyclesToFailure(p, cycle), kCipsCycles, 0.01);
    // Twice the bond current: Nf scales by 2^-0.716.
    LifetimeParameters doubled = p;
    doubled.bondCurrent = 20.0;
    EXPECT_NEAR(*cyclesToFailure(doubled, cycle) / kCipsCycles, std::pow(2.0, -0.716), 1e-8);
    // 600 V class: (6 / 12)^-0.761; a 150 um wire: (1/2)^-0.5.
    LifetimeParameters lower = p;
    lower.voltageClass = 600.0;
    lower.bondDiameter = 150.0;
    EXPECT_NEAR(*cyclesToFailure(lower, cycle) / kCipsCycles,
                std::pow(0.5, -0.761) * std::pow(0.5, -0.5), 1e-8);

    p.model = LifetimeModel::Lesit;
    EXPECT_NEAR(*cyclesToFailure(p, cycle), kLesitCycles, 0.01);
    // LESIT reads the mean, not the minimum, and no heating time.
    EXPECT_EQ(*cyclesToFailure(p, {60.0, -100.0, 70.0, 50.0}), *cyclesToFailure(p, cycle));
    EXPECT_FALSE(cyclesToFailure(p, {0.0, 40.0, 40.0, 1.0}));
}

TEST(LifetimeTest, ShortHeatingTimeIsHeldAtTheModelsLimitWithANote) {
    const LifetimeResult r = assessLifetime(syntheticCycle(1.0, kTriangle), {}, false, {});
    ASSERT_EQ(r.igbt.cycles.size(), 1u);
    const LifetimeCycle& c = r.igbt.cycles[0];
    EXPECT_DOUBLE_EQ(c.ton, 0.5);  // reported as counted
    EXPECT_TRUE(c.tonLimited);
    EXPECT_NE(lifetimeCycleNote(c).find("0.500"), std::string::npos);
    EXPECT_NEAR(*c.cyclesToFailure, kCipsCyclesAtOneSecond, 0.01);

    LifetimeOptions lesit;
    lesit.parameters.model = LifetimeModel::Lesit;
    const LifetimeResult l = assessLifetime(syntheticCycle(1.0, kTriangle), {}, false, lesit);
    EXPECT_FALSE(l.igbt.cycles[0].tonLimited);
    EXPECT_TRUE(lifetimeCycleNote(l.igbt.cycles[0]).empty());
}

// Down to 80 at 400, up to 90 at 420: a 10 K cycle inside the 60 K one.
const Knots kTriangleWithDip = {{0, 40.0}, {300, 100.0}, {400, 80.0}, {420, 90.0}, {600, 40.0}};

TEST(LifetimeTest, SmallCyclesWarnOutsideValidityAndTheFilterDropsThem) {
    const LoadCycleResult cycle = syntheticCycle(4.0, kTriangleWithDip);
    const LifetimeResult r = assessLifetime(cycle, {}, false, {});
    ASSERT_EQ(r.igbt.cycles.size(), 2u);
    EXPECT_EQ(r.igbt.cycles[0].range, 10.0);
    EXPECT_EQ(r.igbt.cycles[1].range, 60.0);
    const double small = r.igbt.cycles[0].damage;
    EXPECT_DOUBLE_EQ(r.igbt.damagePerLoadCycle, small + r.igbt.cycles[1].damage);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("IGBT: 1 cycle"), std::string::npos) << r.warnings[0];
    EXPECT_NE(r.warnings[0].find(formatFixed(100.0 * small / r.igbt.damagePerLoadCycle, 1)),
              std::string::npos)
        << r.warnings[0];

    // A range equal to the threshold stays; above it, the cycle goes.
    LifetimeOptions filter;
    filter.minRange = 10.0;
    EXPECT_EQ(assessLifetime(cycle, {}, false, filter).igbt.cycles.size(), 2u);
    filter.minRange = 10.5;
    const LifetimeResult filtered = assessLifetime(cycle, {}, false, filter);
    ASSERT_EQ(filtered.igbt.cycles.size(), 1u);
    EXPECT_TRUE(filtered.warnings.empty());

    // LESIT states no range of validity.
    LifetimeOptions lesit;
    lesit.parameters.model = LifetimeModel::Lesit;
    EXPECT_TRUE(assessLifetime(cycle, {}, false, lesit).warnings.empty());
}

TEST(LifetimeTest, UnsettledCycleEndIsReported) {
    LoadCycleResult cycle = syntheticCycle(4.0, kTriangle);
    cycle.samples[600].igbtTj += 0.01;
    EXPECT_TRUE(assessLifetime(cycle, {}, false, {}).warnings.empty());
    cycle.samples[600].igbtTj += 0.005;
    const auto warnings = assessLifetime(cycle, {}, false, {}).warnings;
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("IGBT:", 0), 0u);
}

TEST(LifetimeTest, RippleCyclesSitAtEachModesHottestPoint) {
    // Mode 1 owns 0..300 (hottest 100 at 300), mode 2 owns none, mode 3 301..600.
    const LoadCycleResult cycle = syntheticCycle(4.0, kTriangle, {300, 300, 600});
    const std::vector<ModeRipple> ripple = {{1, 8.0, 0.0, 20.0, 0.25}, {3, 6.0, 3.0, 10.0, 0.5}};
    LifetimeOptions options;
    options.ripple = true;
    LifetimeResult r = assessLifetime(cycle, ripple, false, options);
    ASSERT_EQ(r.igbt.cycles.size(), 3u);
    const LifetimeCycle& first = r.igbt.cycles[1];
    EXPECT_EQ(first.source, CycleSource::Ripple);
    EXPECT_EQ(first.mode, 1);
    EXPECT_EQ(first.tjMax, 100.0);
    EXPECT_EQ(first.tjMin, 92.0);
    EXPECT_EQ(first.tjMean, 96.0);
    EXPECT_EQ(first.count, 20.0);
    EXPECT_EQ(first.ton, 0.25);
    EXPECT_DOUBLE_EQ(first.damage, 20.0 / *first.cyclesToFailure);
    // Mode 3 starts just below the peak: 100 - 60/300.
    EXPECT_DOUBLE_EQ(r.igbt.cycles[2].tjMax, 99.8);
    ASSERT_EQ(r.warnings.size(), 3u);  // mode 2, then both chips' small swings
    EXPECT_NE(r.warnings[0].find("mode 2"), std::string::npos);

    // A mode without swing adds nothing, and never divides by zero.
    ASSERT_EQ(r.fwd.cycles.size(), 2u);
    EXPECT_FALSE(r.fwd.cycles[0].cyclesToFailure);
    EXPECT_EQ(r.fwd.cycles[0].damage, 0.0);
    EXPECT_GT(r.fwd.damagePerLoadCycle, 0.0);

    // With period means on the grid, the hottest point is the swing's middle.
    r = assessLifetime(cycle, ripple, true, options);
    EXPECT_EQ(r.igbt.cycles[1].tjMax, 104.0);
    EXPECT_EQ(r.igbt.cycles[1].tjMin, 96.0);

    // Off by default: the same swings are ignored.
    EXPECT_EQ(assessLifetime(cycle, ripple, false, {}).igbt.cycles.size(), 1u);
}

using test::sampleCondition;
using test::sampleHeatsink;
using test::sampleLimits;
using test::sampleParams;

double igbtSwing(LoadCycleMode row, double frequency) {
    row.outputFrequency = frequency;
    SteadyResult run;
    EXPECT_TRUE(
        calculateOperatingPoint(row, sampleLimits(), sampleParams(), sampleHeatsink(), run));
    return run.temperature.igbtDeltaTjcMax - run.temperature.igbtDeltaTjcMin;
}

TEST(LifetimeRippleTest, LowFrequencyModesSwingOncePerOutputPeriod) {
    LoadCycleMode slow = sampleCondition();
    slow.duration = 3.0;
    slow.frequencyStart = 1.0;
    slow.frequencyEnd = 1.0;
    LoadCycleMode ramp = slow;
    ramp.duration = 2.0;
    ramp.frequencyStart = 0.0;  // runs at 0.1 Hz
    ramp.frequencyEnd = 5.0;
    const std::vector<LoadCycleMode> rows = {slow, ramp};
    LoadCycleResult cycle;
    ASSERT_TRUE(simulateLoadCycle(rows, sampleLimits(), sampleParams(), sampleHeatsink(), cycle));

    std::vector<ModeRipple> ripple;
    ASSERT_TRUE(
        computeModeRipples(rows, sampleLimits(), sampleParams(), sampleHeatsink(), cycle, ripple));
    ASSERT_EQ(ripple.size(), 2u);
    EXPECT_EQ(ripple[0].mode, 1);
    EXPECT_EQ(ripple[0].igbtRange, igbtSwing(slow, 1.0));
    EXPECT_EQ(ripple[0].count, 3.0);  // 3 s at 1 Hz
    EXPECT_EQ(ripple[0].ton, 0.5);
    // The slower end of a ramp swings more; count and ton at the mean frequency.
    EXPECT_EQ(ripple[1].igbtRange, igbtSwing(ramp, 0.1));
    EXPECT_GT(igbtSwing(ramp, 0.1), igbtSwing(ramp, 5.0));
    EXPECT_DOUBLE_EQ(ripple[1].count, 2.0 * 5.1 / 2);
    EXPECT_DOUBLE_EQ(ripple[1].ton, 1.0 / 5.1);
    // At 1 Hz the junction swings by kelvins, not fractions of one.
    EXPECT_GT(ripple[0].igbtRange, 1.0);
    EXPECT_GT(ripple[0].fwdRange, 0.0);
}

}  // namespace
}  // namespace thermalyx
