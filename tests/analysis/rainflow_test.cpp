#include "analysis/rainflow.h"

#include <vector>

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

std::vector<double> unitTimes(std::size_t n) {
    std::vector<double> times(n);
    for (std::size_t i = 0; i < n; ++i) times[i] = static_cast<double>(i);
    return times;
}

std::vector<double> ranges(const std::vector<RainflowCycle>& cycles) {
    std::vector<double> out;
    for (const RainflowCycle& c : cycles) out.push_back(c.range);
    return out;
}

// The ASTM E1049 example, one sample a second, repeating every 9 s.
const std::vector<double> kAstm = {-2, 1, -3, 5, -1, 3, -4, 4, -2};

// Rearranged from the maximum: 5 -1 3 -4 4 -2 (-2) 1 -3 5. The rule closes
// (-1,3), then (-2,1), then (4,-3), and the last three points 5 -4 5 tie.
TEST(RainflowTest, AstmExampleAsPeriodicHistoryGivesFourFullCycles) {
    const auto cycles = countPeriodicCycles(kAstm, unitTimes(kAstm.size()), 9.0);
    ASSERT_EQ(ranges(cycles), (std::vector<double>{4, 3, 7, 9}));
    for (const RainflowCycle& c : cycles) {
        EXPECT_EQ(c.count, 1.0);
        EXPECT_EQ(c.tjMean, (c.tjMin + c.tjMax) / 2);
    }
    EXPECT_EQ(cycles[2].tjMin, -3.0);
    EXPECT_EQ(cycles[2].tjMax, 4.0);
    EXPECT_EQ(cycles[3].tjMin, -4.0);
    EXPECT_EQ(cycles[3].tjMax, 5.0);

    // Heating times, by hand:
    // (-1,3): -1 at 4 s, 3 at 5 s.
    EXPECT_DOUBLE_EQ(cycles[0].ton, 1.0);
    // (-2,1): the valley is the plateau's first point, 8 s; 1 at 10 s (wrapped).
    EXPECT_DOUBLE_EQ(cycles[1].ton, 2.0);
    // (-3,4): -3 at 2 s, 4 reached between -3 and 5 at 2 + 7/8 s.
    EXPECT_DOUBLE_EQ(cycles[2].ton, 0.875);
    // (-4,5): -4 at 6 s; passes 4, -2, -2, 1, -3 and reaches 5 at 12 s.
    EXPECT_DOUBLE_EQ(cycles[3].ton, 6.0);
}

TEST(RainflowTest, RepeatedSamplesChangeNoRange) {
    std::vector<double> doubled;
    for (double v : kAstm) doubled.insert(doubled.end(), {v, v});
    const auto cycles = countPeriodicCycles(doubled, unitTimes(doubled.size()), 18.0);
    ASSERT_EQ(ranges(cycles), (std::vector<double>{4, 3, 7, 9}));
    // Heating starts at the first point of a plateau: -1 at 8 s, 3 at 10 s.
    EXPECT_DOUBLE_EQ(cycles[0].ton, 2.0);
}

TEST(RainflowTest, StartingPointDoesNotChangeTheCount) {
    std::vector<double> rotated(kAstm.begin() + 4, kAstm.end());
    rotated.insert(rotated.end(), kAstm.begin(), kAstm.begin() + 4);
    const auto cycles = countPeriodicCycles(rotated, unitTimes(rotated.size()), 9.0);
    EXPECT_EQ(ranges(cycles), (std::vector<double>{4, 3, 7, 9}));
}

TEST(RainflowTest, RampUpAndDownIsOneCycle) {
    // 0, 1, ..., 10, 9, ..., 1 over 20 s: the valley at 0 s, the peak at 10 s.
    std::vector<double> ramp;
    for (int i = 0; i <= 10; ++i) ramp.push_back(i);
    for (int i = 9; i >= 1; --i) ramp.push_back(i);
    const auto cycles = countPeriodicCycles(ramp, unitTimes(ramp.size()), 20.0);
    ASSERT_EQ(cycles.size(), 1u);
    EXPECT_EQ(cycles[0].range, 10.0);
    EXPECT_EQ(cycles[0].tjMin, 0.0);
    EXPECT_DOUBLE_EQ(cycles[0].ton, 10.0);
}

TEST(RainflowTest, HeatingTimeInterpolatesOnUnevenTimes) {
    // Reversals from the maximum: 60 30 50 40 55 10 60; closed (50,40), (30,55),
    // (10,60).
    const std::vector<double> values = {60, 30, 50, 40, 55, 10};
    const std::vector<double> times = {0.0, 1.0, 2.0, 3.0, 3.5, 5.0};
    const auto cycles = countPeriodicCycles(values, times, 6.0);
    ASSERT_EQ(ranges(cycles), (std::vector<double>{10, 25, 50}));
    // 40 at 3 s; 50 lies between 40 (3 s) and 55 (3.5 s): 3 + 10/15 * 0.5 s.
    EXPECT_NEAR(cycles[0].ton, 1.0 / 3.0, 1e-12);
    // 30 at 1 s; passes 50 and 40, reaches 55 exactly at 3.5 s.
    EXPECT_DOUBLE_EQ(cycles[1].ton, 2.5);
    // 10 at 5 s; 60 again at the next period's start, 6 s.
    EXPECT_DOUBLE_EQ(cycles[2].ton, 1.0);

    // A swing whose peak is reached only after the period wraps: valley 10 at
    // 3 s, 60 at 4 s + 0.5 s.
    const auto wrapped = countPeriodicCycles({20, 60, 30, 10}, {0.0, 0.5, 2.0, 3.0}, 4.0);
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_DOUBLE_EQ(wrapped[0].ton, 1.5);
}

TEST(RainflowTest, FlatOrMismatchedHistoriesHaveNoCycles) {
    EXPECT_TRUE(countPeriodicCycles({}, {}, 1.0).empty());
    EXPECT_TRUE(countPeriodicCycles({25, 25, 25}, unitTimes(3), 3.0).empty());
    EXPECT_TRUE(countPeriodicCycles({1, 2}, unitTimes(3), 3.0).empty());
}

}  // namespace
}  // namespace thermalyx
