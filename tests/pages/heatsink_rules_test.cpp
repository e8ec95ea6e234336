#include "pages/heatsink_rules.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "library/number_text.h"
#include "pages/input_rules.h"

namespace thermalyx {
namespace {

// ---- estimate ----

struct EstimateCase {
    const char* capacity;
    const char* rthFactor;
    const char* tthFactor;
    StageTexts rth;
    StageTexts tth;
    const char* rthSum;
};

class HeatsinkEstimateTest : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(HeatsinkEstimateTest, ShowsFourDecimalTextsAndTheirSum) {
    const EstimateCase& c = GetParam();
    HeatsinkEstimate estimate;
    ASSERT_EQ(computeHeatsinkEstimate(c.capacity, c.rthFactor, c.tthFactor, estimate), "");
    EXPECT_EQ(estimate.rthTexts, c.rth);
    EXPECT_EQ(estimate.tthTexts, c.tth);
    EXPECT_EQ(estimate.rthSumText, c.rthSum);
}

// The heat capacities of the stages for a factor of 1.
const StageTexts kUnitTth = {"1.0000", "10.0000", "50.0000", "200.0000"};

INSTANTIATE_TEST_SUITE_P(
    Capacities, HeatsinkEstimateTest,
    ::testing::Values(
        EstimateCase{
            "1", "1.0", "1.0", {"0.0095", "0.0524", "0.9629", "0.5138"}, kUnitTth, "1.5386"},
        EstimateCase{
            "10", "1.0", "1.0", {"0.0010", "0.0057", "0.1042", "0.0556"}, kUnitTth, "0.1665"},
        EstimateCase{"37",
                     "0.8",
                     "0.5",
                     {"0.0002", "0.0013", "0.0236", "0.0126"},
                     {"0.5000", "5.0000", "25.0000", "100.0000"},
                     "0.0377"},
        // The shown sum adds the shown stages: 3.0049, where the unrounded
        // stages would give 3.0048.
        EstimateCase{
            "0.5", "1", "1", {"0.0185", "0.1023", "1.8806", "1.0035"}, kUnitTth, "3.0049"}));

TEST(HeatsinkEstimateTest, KeepsTheUnroundedNumbersForTheEngine) {
    HeatsinkEstimate unit;
    ASSERT_EQ(computeHeatsinkEstimate("1", "1", "1", unit), "");
    HeatsinkEstimate estimate;
    ASSERT_EQ(computeHeatsinkEstimate("37", "0.8", "0.5", estimate), "");
    // 37^0.96571 = 32.691: the stages of 37 are those of 1 times 0.8 / 32.691.
    const double scale = 0.8 / 32.691;
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(estimate.rth[k] / unit.rth[k], scale, 1e-4 * scale) << k;
        // The shown text is a rounding; the engine's number is not.
        EXPECT_EQ(formatFixed(estimate.rth[k], 4), estimate.rthTexts[k]) << k;
        EXPECT_NE(estimate.rth[k], numberTextValue(estimate.rthTexts[k])) << k;
    }
    EXPECT_EQ(estimate.tth[3], 0.5 * 200.0);
}

struct EstimateInputCase {
    const char* capacity;
    const char* rthFactor;
    const char* tthFactor;
    bool accepted;
};

class EstimateInputTest : public ::testing::TestWithParam<EstimateInputCase> {};

TEST_P(EstimateInputTest, FactorsAbove0UpTo1AndAPositiveCapacity) {
    const EstimateInputCase& c = GetParam();
    HeatsinkEstimate estimate;
    estimate.rthSumText = "kept";
    const std::string message =
        computeHeatsinkEstimate(c.capacity, c.rthFactor, c.tthFactor, estimate);
    if (c.accepted) {
        EXPECT_EQ(message, "");
    } else {
        EXPECT_EQ(message, kLimitExceededMessage);
        EXPECT_EQ(estimate.rthSumText, "kept") << "a rejected estimate changes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, EstimateInputTest,
    ::testing::Values(
        EstimateInputCase{"10", "0", "1", false}, EstimateInputCase{"10", "-1", "1", false},
        EstimateInputCase{"10", "1.5", "1", false}, EstimateInputCase{"10", "1", "0", false},
        EstimateInputCase{"10", "1", "-1", false}, EstimateInputCase{"10", "1", "1.5", false},
        EstimateInputCase{"10", "1", "1", true}, EstimateInputCase{"10", "0.25", "0.25", true},
        EstimateInputCase{"05", "1", "1", false}, EstimateInputCase{"0", "1", "1", false},
        EstimateInputCase{"", "1", "1", false}, EstimateInputCase{"0.5", "1", "1", true},
        EstimateInputCase{"1e6", "1", "1", true},
        // The capacity has no upper bound, but a resistance must stay finite.
        EstimateInputCase{"1e999", "1", "1", true}, EstimateInputCase{"1e-320", "1", "1", false}));

// ---- edits of the network fields ----

TEST(TransientFieldsTest, AllEightValidMakeTheModelReady) {
    const TransientFieldState state =
        evaluateTransientFields({"0.0095", "0.0524", "0.9629", "0.5138"}, {"1", "10", "50", "200"});
    EXPECT_EQ(state.passingCount, 8);
    EXPECT_TRUE(state.allValid);
    EXPECT_EQ(state.rthSumText, "1.5386");
    EXPECT_EQ(state.rth[2], 0.9629);
    EXPECT_EQ(state.tth[3], 200.0);
}

TEST(TransientFieldsTest, LettersInTth3KeepTheSumAndZeroTheValue) {
    const TransientFieldState state = evaluateTransientFields(
        {"0.0095", "0.0524", "0.9629", "0.5138"}, {"1", "10", "abc", "200"});
    EXPECT_EQ(state.passingCount, 6);
    EXPECT_FALSE(state.allValid);
    EXPECT_EQ(state.rthSumText, "1.5386");
    EXPECT_EQ(state.tth[2], 0.0);
    EXPECT_EQ(state.tth[3], 200.0);  // converted even after the failure
}

TEST(TransientFieldsTest, AnRthOfZeroEmptiesTheSum) {
    // A large capacity shows Rth1 as 0.0000; a later edit finds it not positive.
    HeatsinkEstimate estimate;
    ASSERT_EQ(computeHeatsinkEstimate("1e6", "1", "1", estimate), "");
    EXPECT_EQ(estimate.rthTexts[0], "0.0000");
    const TransientFieldState state = evaluateTransientFields(estimate.rthTexts, estimate.tthTexts);
    EXPECT_EQ(state.passingCount, 0);
    EXPECT_FALSE(state.allValid);
    EXPECT_EQ(state.rthSumText, "");
}

TEST(TransientFieldsTest, TheSumRunsFromTheFourthStageToTheFirst) {
    // First to fourth these add up to 1.22305 (shown 1.2230); fourth to first to
    // 1.2230500000000002 (shown 1.2231).
    const TransientFieldState state =
        evaluateTransientFields({"0.05831", "0.44252", "0.66477", "0.05745"}, {"1", "1", "1", "1"});
    EXPECT_EQ(state.rthSumText, "1.2231");
}

TEST(TransientFieldsTest, FewerThanFourPassingStagesShowNoSum) {
    const TransientFieldState state =
        evaluateTransientFields({"0.1", "0.2", "0", "0.4"}, {"1", "1", "1", "1"});
    EXPECT_EQ(state.passingCount, 2);
    EXPECT_EQ(state.rthSumText, "");
}

TEST(HeatsinkTextsTest, TheCommandLineNetworkPassesAsTheEditRule) {
    StageValues rth{}, tth{};
    EXPECT_EQ(
        checkHeatsinkTexts({"0.01", "0.05", "0.9", "0.5"}, {"1", "10", "50", "200"}, rth, tth), "");
    EXPECT_EQ(rth[2], 0.9);
    EXPECT_EQ(tth[1], 10.0);
    EXPECT_EQ(checkHeatsinkTexts({"0.01", "0.05", "0.9", "0.5"}, {"1", "10", "50", "0"}, rth, tth),
              kLimitExceededMessage);
    EXPECT_EQ(checkHeatsinkTexts({"01", "0.05", "0.9", "0.5"}, {"1", "10", "50", "2"}, rth, tth),
              kLimitExceededMessage);
    EXPECT_EQ(checkHeatsinkTexts({"1e999", "0.05", "0.9", "0.5"}, {"1", "10", "50", "2"}, rth, tth),
              kLimitExceededMessage);
}

// ---- the model ----

TEST(HeatsinkModelTest, CarriesTheFixedCaseToFinStagesTheNetworkAndTa) {
    const HeatsinkModel model = buildHeatsinkModel({0.1, 0.2, 0.3, 0.4}, {1, 10, 50, 200}, "40.0");
    EXPECT_EQ(model.caseFinFraction[0], 0.0043340618863);
    EXPECT_EQ(model.caseFinFraction[3], 0.0035400341563);
    EXPECT_EQ(model.caseFinTimeConstant[1], 0.01);
    EXPECT_EQ(model.rth[3], 0.4);
    EXPECT_EQ(model.tth[2], 50.0);
    EXPECT_EQ(model.ambientTemperature, 40.0);
    EXPECT_EQ(checkHeatsinkModel(model), "");
    HeatsinkModel infinite = model;
    infinite.tth[1] = INFINITY;
    EXPECT_EQ(checkHeatsinkModel(infinite), kLimitExceededMessage);
}

}  // namespace
}  // namespace thermalyx
