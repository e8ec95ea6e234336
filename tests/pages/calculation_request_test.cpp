#include "pages/calculation_request.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/number_text.h"
#include "pages/heatsink_rules.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

const std::string kLimit(kLimitExceededMessage);
const std::string kAmbient(kAmbientLimitMessage);
const StageValues kRth = {0.01, 0.05, 0.3, 0.2};
const StageValues kTth = {1, 10, 50, 200};

// Defaults that the fields show rounded: 20.04 A as "20.0", 10.006 kHz as
// "10.01", 300.7 V as "300".
test::FixtureDevice requestDevice(std::string key) {
    test::FixtureDevice device = test::sampleDevice(std::move(key));
    device.limits = {400, 0.1,  50, 100, 0.1, 20.04, 20,    1,   10.006, 1,     -1,
                     0.8, 1.15, 0,  1,   800, 100,   300.7, 100, 1,      10.004};
    return device;
}

ModeRowTexts row(std::string duration = "1") {
    ModeRowTexts r;
    r.columns = {duration, "50", "50", "20", "8", "0.85", "1", "300", "10", "10"};
    return r;
}

class CalculationRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeDataFolder(dir_, {requestDevice("S@A"), requestDevice("S@B")});
        ASSERT_TRUE(library_.load());
    }

    static SteadyRequest steady() {
        SteadyRequest r;
        r.ambientText = "40";
        r.series = "S";
        r.typeNumber = "A";
        r.heatsink = PageHeatsink{kRth, kTth, true};
        return r;
    }
    static LoadCycleRequest cycle(std::size_t rows) {
        LoadCycleRequest r;
        r.ambientText = "40";
        r.series = "S";
        r.typeNumber = "B";
        r.rows.assign(rows, row());
        r.heatsink = PageHeatsink{kRth, kTth, true};
        return r;
    }
    SteadyOutcome run(const SteadyRequest& r) const { return runSteadyRequest(library_, r); }
    LoadCycleOutcome run(const LoadCycleRequest& r) const {
        return runLoadCycleRequest(library_, r);
    }

    test::TempFolder dir_;
    DeviceLibrary library_{dir_.folder()};
};

TEST_F(CalculationRequestTest, SteadyStopsAtTheFirstFailingCheck) {
    SteadyRequest r = steady();
    r.ambientText = "126";
    r.texts.outputCurrent = "abc";
    r.typeNumber = "X";
    r.heatsink = PageHeatsink{kRth, kTth, false};
    SteadyOutcome o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Ambient);
    EXPECT_EQ(o.message, kAmbient);
    EXPECT_EQ(o.device, nullptr);

    // An unknown device and a missing modulation pass silently.
    r.ambientText = "-40";
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Device);
    EXPECT_EQ(o.message, "");
    r.typeNumber = "A";
    r.modulation = 0;
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Modulation);
    EXPECT_EQ(o.message, "");
    ASSERT_NE(o.device, nullptr);
    EXPECT_EQ(o.device->typeNumber, "A");

    // The page's network is judged after the inputs.
    r.modulation = kModulationThreeArms;
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Inputs);
    EXPECT_EQ(o.message, kLimit);
    r.texts.outputCurrent.reset();
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Model);
    EXPECT_EQ(o.message, kLimit);

    // A complete network the engine can't take.
    r.heatsink =
        PageHeatsink{{0.01, std::numeric_limits<double>::infinity(), 0.3, 0.2}, kTth, true};
    EXPECT_EQ(run(r).stage, RequestStage::Model);
}

TEST_F(CalculationRequestTest, GivenNetworksAreJudgedBeforeEverythingElse) {
    SteadyRequest r = steady();
    r.ambientText = "x";
    r.typeNumber = "X";
    r.heatsink = NetworkTexts{{"0.01", "0.05", "0.3", "0"}, {"1", "10", "50", "200"}};
    SteadyOutcome o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Heatsink);
    EXPECT_EQ(o.message, kLimit);

    r.heatsink = CapacityEstimate{"5", "1.0", "1.5"};
    EXPECT_EQ(run(r).stage, RequestStage::Heatsink);
    r.heatsink = CapacityEstimate{"5", "1.0", "1.0"};
    EXPECT_EQ(run(r).stage, RequestStage::Ambient);

    LoadCycleRequest c = cycle(26);
    c.ambientText = "x";
    c.heatsink = NetworkTexts{{"a", "b", "c", "d"}, {"1", "10", "50", "200"}};
    EXPECT_EQ(run(c).stage, RequestStage::Heatsink);
}

TEST_F(CalculationRequestTest, SteadyGivesTheEnginesFiguresForTheDefaultTexts) {
    SteadyRequest r = steady();
    r.texts.powerFactor = "-0.5";
    r.ambientText = "25.5";
    r.dcLock = true;
    r.heatsink = CapacityEstimate{"3.7", "0.8", "1.0"};
    const SteadyOutcome o = run(r);
    ASSERT_TRUE(o.ok()) << o.message;

    // The omitted texts are the fields' roundings of the device's defaults.
    const OperatingCondition& c = o.condition;
    EXPECT_EQ(c.outputFrequency, 50.0);
    EXPECT_EQ(c.outputCurrentRms, 20.0);
    EXPECT_EQ(c.carrierFrequency, 10.01);
    EXPECT_EQ(c.powerFactor, -0.5);
    EXPECT_EQ(c.dcVoltage, 300.0);
    EXPECT_EQ(c.rgOn, 10.0);
    EXPECT_TRUE(c.dcLock);

    // The unrounded estimate reaches the engine and the report's copy.
    HeatsinkEstimate estimate;
    ASSERT_EQ(computeHeatsinkEstimate("3.7", "0.8", "1.0", estimate), "");
    EXPECT_EQ(o.heatsink.rth, estimate.rth);
    EXPECT_NE(o.heatsink.rth[2], readNumber(estimate.rthTexts[2]));
    EXPECT_EQ(c.heatsink.rth, o.heatsink.rth);
    EXPECT_EQ(c.heatsink.tth, kEstimateTthBase);

    SteadyResult expected;
    const DeviceIndexEntry& device = library_.deviceIndex[0];
    ASSERT_TRUE(calculateOperatingPoint(c, *device.limits, *device.params, o.heatsink, expected));
    EXPECT_EQ(o.result.loss.igbtTurnOnLoss, expected.loss.igbtTurnOnLoss);
    EXPECT_EQ(o.result.loss.fwdRecoveryLoss, expected.loss.fwdRecoveryLoss);
    EXPECT_EQ(o.result.temperature.igbtTjMax, expected.temperature.igbtTjMax);
    EXPECT_EQ(o.result.temperature.ambientTemperature, 25.5);
    EXPECT_EQ(o.result.waveform.size(), expected.waveform.size());
}

TEST_F(CalculationRequestTest, LoadCycleChecksTheTableSizeAfterTheDevice) {
    LoadCycleRequest r = cycle(26);
    r.rows[3] = row("0");
    LoadCycleOutcome o = run(r);
    EXPECT_EQ(o.stage, RequestStage::TableSize);
    EXPECT_EQ(o.message, std::string(kTableFullMessage));
    r.typeNumber = "X";
    EXPECT_EQ(run(r).stage, RequestStage::Device);

    r = cycle(25);
    r.rows[3] = row("0");
    r.rows[4] = row("abc");
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Inputs);
    EXPECT_EQ(o.message, kLimit);
    r.rows.clear();
    EXPECT_EQ(run(r).stage, RequestStage::Inputs);

    r = cycle(2);
    r.heatsink = PageHeatsink{kRth, kTth, false};
    o = run(r);
    EXPECT_EQ(o.stage, RequestStage::Model);
    EXPECT_EQ(o.message, kLimit);
}

TEST_F(CalculationRequestTest, LoadCycleGivesTheSimulationsFigures) {
    LoadCycleRequest r = cycle(2);
    r.rows[1] = row("2.5");
    r.rows[1].text(ModeColumn::FrequencyStart) = "0";
    r.rows[1].dcLock = true;
    r.tjMode = 1;
    r.modulation = kModulationThreeArms;
    const LoadCycleOutcome o = run(r);
    ASSERT_TRUE(o.ok()) << o.message;
    ASSERT_EQ(o.modes.size(), 2u);
    const LoadCycleMode& m = o.modes[1];
    EXPECT_EQ(m.typeNumber, "B");
    EXPECT_EQ(m.modulation, kModulationThreeArms);
    EXPECT_EQ(m.tjMode, 1);
    EXPECT_EQ(m.duration, 2.5);
    EXPECT_EQ(m.frequencyStart, kZeroFrequencyReplacement);
    EXPECT_TRUE(m.dcLock);
    EXPECT_EQ(m.heatsink.rth, kRth);
    EXPECT_EQ(o.modes[0].heatsink.tth, kTth);

    LoadCycleResult expected;
    const DeviceIndexEntry& device = library_.deviceIndex[1];
    ASSERT_TRUE(simulateLoadCycle(o.modes, *device.limits, *device.params,
                                  buildHeatsinkModel(kRth, kTth, "40"), expected));
    EXPECT_EQ(o.result.igbtTjMax, expected.igbtTjMax);
    EXPECT_EQ(o.result.tfAve, expected.tfAve);
    EXPECT_EQ(o.result.samples.size(), expected.samples.size());
}

TEST(CalculateEnabledTest, NeedsADeviceAModelAndForTheCycleARow) {
    EXPECT_TRUE(steadyCalculateEnabled(true, true));
    EXPECT_FALSE(steadyCalculateEnabled(true, false));
    EXPECT_FALSE(steadyCalculateEnabled(false, true));
    EXPECT_TRUE(loadCycleCalculateEnabled(true, true, 1));
    EXPECT_FALSE(loadCycleCalculateEnabled(true, true, 0));
    EXPECT_FALSE(loadCycleCalculateEnabled(false, true, 3));
    EXPECT_FALSE(loadCycleCalculateEnabled(true, false, 3));
}

TEST(PageAnswerTest, ARefusedTaNeverCountsTheDeviceAndOnlyASuccessOpensTheWindow) {
    const DeviceIndexEntry device;
    const PageAnswer ambient = pageAnswer(RequestStage::Ambient, "Ta", &device);
    EXPECT_FALSE(ambient.deviceUsed);
    EXPECT_EQ(ambient.message, "Ta");
    const PageAnswer refused = pageAnswer(RequestStage::Engine, "refused", &device);
    EXPECT_TRUE(refused.deviceUsed);
    EXPECT_FALSE(refused.showResult);
    const PageAnswer done = pageAnswer(RequestStage::None, "", &device);
    EXPECT_TRUE(done.deviceUsed && done.showResult && done.message.empty());
    EXPECT_FALSE(pageAnswer(RequestStage::Device, "", nullptr).deviceUsed);
    EXPECT_EQ(chosenModulation(false, false), 0);
    EXPECT_EQ(chosenModulation(false, true), kModulationThreeArms);
}

}  // namespace
}  // namespace thermalyx
