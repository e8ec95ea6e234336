#include "cli/calculation_options.h"

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

using cli::HeatsinkOptions;

TEST(HeatsinkSourceTest, EachFormBecomesItsSourceUnjudged) {
    HeatsinkOptions h;
    h.rth = " 1,b,,0";
    h.tth = "1,10,50,200";
    HeatsinkSource source;
    ASSERT_EQ(cli::heatsinkSourceOf(h, source), "");
    const auto* texts = std::get_if<NetworkTexts>(&source);
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(texts->rth, (StageTexts{" 1", "b", "", "0"}));
    EXPECT_EQ(texts->tth[3], "200");

    h = {};
    h.capacity = "3.7";
    h.tthFactor = "x";
    ASSERT_EQ(cli::heatsinkSourceOf(h, source), "");
    const auto* estimate = std::get_if<CapacityEstimate>(&source);
    ASSERT_NE(estimate, nullptr);
    EXPECT_EQ(estimate->capacity, "3.7");
    EXPECT_EQ(estimate->rthFactor, "1.0");
    EXPECT_EQ(estimate->tthFactor, "x");
}

TEST(HeatsinkSourceTest, UsageErrorsLeaveTheSourceAlone) {
    HeatsinkSource source = PageHeatsink{};
    const auto error = [&source](HeatsinkOptions h) { return cli::heatsinkSourceOf(h, source); };
    EXPECT_EQ(error({}).rfind("give the heat sink as", 0), 0u);
    EXPECT_EQ(error({"1,2,3,4", "1,2,3,4", "5", {}, {}}).rfind("give the heat sink either", 0), 0u);
    EXPECT_EQ(error({"1,2,3,4", {}, {}, {}, {}}), "--rth and --tth go together");
    EXPECT_EQ(error({{}, {}, {}, "0.5", {}}), "--rth-factor and --tth-factor need --capacity");
    EXPECT_EQ(error({"1,2,3,4,", "1,2,3,4", {}, {}, {}}),
              "--rth takes four comma-separated values");
    EXPECT_EQ(error({"1,2,3,4", "1,2,3", {}, {}, {}}), "--tth takes four comma-separated values");
    EXPECT_TRUE(std::holds_alternative<PageHeatsink>(source));
}

TEST(ArmsTest, OnlyTwoAndThreeAreModulations) {
    EXPECT_EQ(cli::armsModulation("2"), kModulationTwoArms);
    EXPECT_EQ(cli::armsModulation("3"), kModulationThreeArms);
    EXPECT_EQ(cli::armsModulation("2 "), 0);
    EXPECT_EQ(cli::armsModulation(""), 0);
}

}  // namespace
}  // namespace thermalyx
