#include "engine/modulation_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "engine/records.h"

namespace thermalyx {
namespace {

using std::numbers::pi;

// The engine's stored angle constants differ from pi in the 13th digit.
constexpr double kAngleTolerance = 1e-12;

TEST(ModulationGeometryTest, LagAngleIsTheArcCosineOfThePowerFactor) {
    for (double pf : {1.0, 0.85, 0.5, 0.1, 1e-200, -1e-200, -0.3, -0.5, -1.0}) {
        EXPECT_NEAR(lagAngle(pf), std::acos(pf), kAngleTolerance) << pf;
    }
    EXPECT_NEAR(lagAngle(0.5), pi / 3, kAngleTolerance);
    EXPECT_NEAR(lagAngle(0.0), pi / 2, kAngleTolerance);
}

TEST(ModulationGeometryTest, FineSamplesCutThePeriodIntoFourNIntervals) {
    const ModulationGeometry geometry(kModulationThreeArms, 1.0, 5);
    EXPECT_EQ(geometry.fineAngle(1), 0.0);
    EXPECT_NEAR(geometry.fineAngle(11), pi, kAngleTolerance);
    EXPECT_NEAR(geometry.fineAngle(21), 2 * pi, kAngleTolerance);
    EXPECT_NEAR(geometry.fineAngle(4) - geometry.fineAngle(3), pi / 10, kAngleTolerance);
}

TEST(ModulationGeometryTest, CrossingOfTheCarrierAndAReferenceLine) {
    // N = 2: fine intervals of pi/4; the carrier rises 0 -> 1 over interval 1,
    // falls 1 -> 0 over interval 2 and stays 0 over intervals 3 and 4.
    const ModulationGeometry geometry(kModulationTwoArms, 1.0, 2);
    // 0.25 + 0.5 t = t at t = 1/2 of the interval.
    EXPECT_NEAR(geometry.crossing(1, {0.25, 0.75, false}).angle, pi / 8, kAngleTolerance);
    EXPECT_NEAR(geometry.crossing(2, {0.5, 0.5, false}).angle, 3 * pi / 8, kAngleTolerance);
    // 0.8 - 0.4 t = 1 - t at t = 1/3.
    EXPECT_NEAR(geometry.crossing(2, {0.8, 0.4, false}).angle, pi / 4 + pi / 12, kAngleTolerance);
    // The lines meet before the interval: the angle is not limited.
    EXPECT_NEAR(geometry.crossing(1, {-0.5, -0.5, false}).angle, -pi / 8, kAngleTolerance);
    // A flat reference over a flat carrier: taken at the interval's start.
    EXPECT_NEAR(geometry.crossing(3, {0.2, 0.2, false}).angle, pi / 2, kAngleTolerance);
    EXPECT_TRUE(geometry.crossing(1, {1.0, 1.0, true}).clamped);
    EXPECT_FALSE(geometry.crossing(1, {0.2, 0.3, false}).clamped);
}

TEST(ModulationGeometryTest, ThreeArmsFollowsTheSineAndHoldsOnlyBeyondTheRails) {
    // N = 1: the rising interval spans 0..pi/2, the falling one pi/2..pi.
    ModulationReference rising, falling;
    ModulationGeometry(kModulationThreeArms, 0.6, 1).periodReferences(1, rising, falling);
    EXPECT_EQ(rising.ra, 0.0);
    EXPECT_NEAR(rising.rb, 0.6, 1e-12);
    EXPECT_EQ(falling.ra, rising.rb);
    EXPECT_NEAR(falling.rb, 0.0, 1e-12);
    EXPECT_FALSE(rising.clamped || falling.clamped);

    // Exactly at the rail is not held.
    ModulationGeometry(kModulationThreeArms, 1.0, 1).periodReferences(1, rising, falling);
    EXPECT_EQ(rising.rb, 1.0);
    EXPECT_FALSE(rising.clamped || falling.clamped);

    ModulationGeometry(kModulationThreeArms, 1.15, 1).periodReferences(1, rising, falling);
    EXPECT_EQ(rising.ra, 0.0);
    EXPECT_EQ(rising.rb, 1.0);
    EXPECT_TRUE(rising.clamped && falling.clamped);

    // N = 4, k = 4: the rising interval starts at 3 pi / 2, where -1.15 lies
    // beyond -1.
    ModulationGeometry(kModulationThreeArms, 1.15, 4).periodReferences(4, rising, falling);
    EXPECT_EQ(rising.ra, -1.0);
    EXPECT_TRUE(rising.clamped);
}

// Two-arm modulation holds, in each 60-degree sector, the phase of the
// largest magnitude at its rail and shifts all three phases alike.
double heldPhaseReference(double rate, double theta) {
    const double phases[3] = {rate * std::sin(theta), rate * std::sin(theta - 2 * pi / 3),
                              rate * std::sin(theta + 2 * pi / 3)};
    const double held =
        *std::max_element(std::begin(phases), std::end(phases),
                          [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    return phases[0] + (held > 0 ? 1.0 : -1.0) - held;
}

TEST(ModulationGeometryTest, TwoArmsIsTheSineShiftedByTheHeldPhase) {
    const double rate = 0.7;
    const int n = 50;
    const ModulationGeometry geometry(kModulationTwoArms, rate, n);
    int heldIntervals = 0;
    for (int k = 1; k <= n; ++k) {
        ModulationReference rising, falling;
        geometry.periodReferences(k, rising, falling);
        const double theta = geometry.fineAngle(4 * k - 3);
        // Away from the sector edges, where two phases tie.
        const double sector = theta / (pi / 3);
        if (std::fabs(sector - std::round(sector)) < 1e-6) {
            continue;
        }
        EXPECT_NEAR(rising.ra, heldPhaseReference(rate, theta), 1e-11) << k;
        // Phase a itself is held in the second and fifth sectors.
        const int index = static_cast<int>(sector);
        EXPECT_EQ(rising.clamped, index == 1 || index == 4) << k;
        heldIntervals += rising.clamped;
    }
    // Two sectors of six: 120 of 360 degrees in steps of 7.2 degrees.
    EXPECT_EQ(heldIntervals, 16);
}

TEST(ModulationGeometryTest, TwoArmsTakesTheSectorOfAnIntervalsStartAndHoldsAtTheRails) {
    // N = 7: rising intervals start at multiples of 360/7 deg; k = 3 at
    // 102.9 deg and k = 6 at 257.1 deg lie in the held sectors.
    const ModulationGeometry geometry(kModulationTwoArms, 0.9, 7);
    for (int k = 1; k <= 7; ++k) {
        ModulationReference rising, falling;
        geometry.periodReferences(k, rising, falling);
        EXPECT_EQ(rising.clamped, k == 3 || k == 6) << k;
        if (k == 3) {
            EXPECT_EQ(rising.ra, 1.0);
            EXPECT_EQ(rising.rb, 1.0);
        }
        if (k == 6) {
            EXPECT_EQ(rising.rb, -1.0);
        }
    }
    // k = 2: the falling interval starts at 64.3 deg, in the held sector,
    // though the rising one (51.4 deg) does not: its end keeps the line of
    // the first sector, sqrt(3) M sin(94.3 deg) - 1.
    ModulationReference rising, falling;
    geometry.periodReferences(2, rising, falling);
    const double theta = 2 * pi * 5 / 28;
    EXPECT_NEAR(rising.rb, std::sqrt(3.0) * 0.9 * std::sin(theta + pi / 6) - 1, 1e-11);
    EXPECT_FALSE(rising.clamped);
    EXPECT_EQ(falling.ra, 1.0);
    EXPECT_TRUE(falling.clamped);

    // M = 1.2 lifts the first sector's line past +1 (sqrt(3) 1.2 sin(81.4 deg)
    // - 1 = 1.055): limited to the rail and held.
    ModulationGeometry(kModulationTwoArms, 1.2, 7).periodReferences(2, rising, falling);
    EXPECT_EQ(rising.ra, 1.0);
    EXPECT_TRUE(rising.clamped);
}

}  // namespace
}  // namespace thermalyx
