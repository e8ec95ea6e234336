#include "analysis/lifetime_chart.h"

#include <gtest/gtest.h>

#include "library/csv_table.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

LifetimeCycle cycleOf(double range, double damage) {
    LifetimeCycle c;
    c.range = range;
    c.damage = damage;
    return c;
}

// IGBT: 5 K and 20 K cycles carry 1/4 and 3/4 of its damage; FWD: one 130 K
// cycle. 130 K needs 14 classes of 10 K, so they are 20 K wide: 0-20 ... 120-140.
LifetimeResult sampleResult() {
    LifetimeResult r;
    r.igbt.cycles = {cycleOf(5.0, 1e-6), cycleOf(20.0, 3e-6), cycleOf(0.0, 0.0)};
    r.igbt.damagePerLoadCycle = 4e-6;
    r.fwd.cycles = {cycleOf(130.0, 2e-6)};
    r.fwd.damagePerLoadCycle = 2e-6;
    return r;
}

TEST(DamageClasses, WidenToTwelveClassesAndShareEachChipsDamage) {
    const std::vector<DamageClass> classes = damageClasses(sampleResult());
    ASSERT_EQ(classes.size(), 7u);
    EXPECT_EQ(classes[0].from, 0.0);
    EXPECT_EQ(classes[6].to, 140.0);
    EXPECT_DOUBLE_EQ(classes[0].igbtShare, 25.0);
    EXPECT_DOUBLE_EQ(classes[1].igbtShare, 75.0);  // a bound belongs to the class above
    EXPECT_DOUBLE_EQ(classes[6].fwdShare, 100.0);
    // The table holds the classes as they are, one row each.
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(damageClassesCsv(classes), rows, reason)) << reason;
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"from", "to", "igbtShare", "fwdShare"}));
    EXPECT_EQ(rows[2][0], "20");
    EXPECT_EQ(rows[2][1], "40");
    EXPECT_EQ(readNumber(rows[2][2]), classes[1].igbtShare);  // every digit kept
    EXPECT_EQ(rows[2][3], "0");

    // Neither chip damaged (or no cycle at all): one empty class, no division by zero.
    LifetimeResult none;
    none.igbt.cycles = {cycleOf(3.0, 0.0)};
    const std::vector<DamageClass> empty = damageClasses(none);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].igbtShare, 0.0);
    EXPECT_EQ(damageClasses(LifetimeResult{}).size(), 1u);
}

TEST(DamageChart, BarsStandOnThePlotUpToTheirShare) {
    const ChartGeometry chart = damageChart(damageClasses(sampleResult()), {440, 270}, {});
    EXPECT_EQ(chart.valueDivisions, 10);  // up to the FWD's 100 %
    const PlotArea& p = chart.plot;
    int plotted = 0;
    for (const Bar& bar : chart.bars) {
        if (bar.box.bottom != p.bottom) continue;  // the key's swatches
        ++plotted;
        EXPECT_GE(bar.box.left, p.left);
        EXPECT_LE(bar.box.right, p.right);
        EXPECT_GE(bar.box.top, p.top);
    }
    EXPECT_EQ(plotted, 3);
    EXPECT_EQ(chart.timeLabels.size(), 8u);  // the bounds 0, 20, ... 140
    // Nothing to show still gives a drawable chart.
    EXPECT_EQ(damageChart({}, {440, 270}, {}).valueDivisions, 1);
}

}  // namespace
}  // namespace thermalyx
