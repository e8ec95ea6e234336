#include "engine/operating_point.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/device_characteristics.h"
#include "tests/engine/engine_test_support.h"

namespace thermalyx {
namespace {

using namespace test;

constexpr double kTwoPi = 6.2831853071794;

SteadyResult runSteady(const OperatingCondition& condition,
                       const DeviceParamRecord& params = sampleParams(),
                       const HeatsinkModel& heatsink = sampleHeatsink()) {
    SteadyResult result;
    EXPECT_TRUE(calculateOperatingPoint(condition, sampleLimits(), params, heatsink, result));
    return result;
}

int steps(const SteadyResult& result) {
    return static_cast<int>(result.waveform.size()) - 2;
}

// The condition run with a carrier of 10 kHz (N = 200, even) and of 10.05 kHz
// (N = 201, odd).
std::vector<SteadyResult> atEvenAndOddSteps(OperatingCondition condition) {
    std::vector<SteadyResult> results;
    for (double carrier : {10.0, 10.05}) {
        condition.carrierFrequency = carrier;
        results.push_back(runSteady(condition));
    }
    return results;
}

// A linear on-state model: VCE(sat) = VF = 0.8 V + 0.01 ohm * i, nothing else.
DeviceParamRecord linearConductionDevice() {
    DeviceParamRecord params;
    params.values[1] = params.values[8] = 0.8;
    params.values[2] = params.values[9] = 0.01;
    return params;
}

// Closed-form conduction losses of sinusoidal PWM with a linear on-state model.
double closedFormConduction(bool igbt, double v0, double r, double irms, double m, double pf) {
    const double peak = std::sqrt(2.0) * irms;
    const double sign = igbt ? 1.0 : -1.0;
    const double pi = std::numbers::pi;
    return v0 * peak * (1.0 / (2.0 * pi) + sign * m * pf / 8.0) +
           r * peak * peak * (1.0 / 8.0 + sign * m * pf / (3.0 * pi));
}

TEST(OperatingPointTest, LinearDeviceConductionLossesMatchTheClosedForm) {
    OperatingCondition condition = sampleCondition();
    condition.modulation = kModulationThreeArms;
    condition.outputCurrentRms = 100.0;
    condition.carrierFrequency = 10.0;
    condition.outputFrequency = 50.0;
    condition.modulationRate = 1.0;
    condition.dcLock = false;
    struct Expected {
        double pf, igbt, fwd;
    };
    for (const Expected& e : {Expected{1.0, 78.36, 7.64}, Expected{-1.0, 7.65, 78.37}}) {
        condition.powerFactor = e.pf;
        const SteadyResult result = runSteady(condition, linearConductionDevice());
        EXPECT_EQ(steps(result), 200);
        EXPECT_NEAR(result.loss.igbtSaturationLoss, e.igbt, 0.005) << e.pf;
        EXPECT_NEAR(result.loss.fwdSaturationLoss, e.fwd, 0.005) << e.pf;
        const double igbtClosed = closedFormConduction(true, 0.8, 0.01, 100.0, 1.0, e.pf);
        const double fwdClosed = closedFormConduction(false, 0.8, 0.01, 100.0, 1.0, e.pf);
        EXPECT_NEAR(result.loss.igbtSaturationLoss / igbtClosed, 1.0, 0.005) << e.pf;
        EXPECT_NEAR(result.loss.fwdSaturationLoss / fwdClosed, 1.0, 0.005) << e.pf;
        // No switching energies in this device.
        EXPECT_EQ(result.loss.igbtTurnOnLoss, 0.0);
        EXPECT_EQ(result.loss.igbtTurnOffLoss, 0.0);
        EXPECT_EQ(result.loss.fwdRecoveryLoss, 0.0);
    }
}

TEST(OperatingPointTest, PowerFactorZeroLagsTheCurrentByAQuarterPeriod) {
    OperatingCondition condition = sampleCondition();
    condition.modulation = kModulationThreeArms;
    condition.outputCurrentRms = 100.0;
    condition.powerFactor = 0.0;
    const SteadyResult result = runSteady(condition, linearConductionDevice());
    const int n = steps(result);
    // The IGBT conducts while the current, taken at the end of each carrier
    // period, is positive: from a quarter to three quarters of the period.
    for (int k = 1; k <= n; ++k) {
        const double theta = kTwoPi * (4 * k - 1) / (4 * n);
        const bool positive = theta > 1.57079632679485 && theta < 3 * 1.57079632679485;
        EXPECT_EQ(result.waveform[k].igbtConductionPower > 0.0, positive) << k;
    }
    // Both devices then carry about the same conduction loss.
    const double closed = closedFormConduction(true, 0.8, 0.01, 100.0, 1.0, 0.0);
    EXPECT_NEAR(result.loss.igbtSaturationLoss / closed, 1.0, 0.02);
    EXPECT_NEAR(result.loss.fwdSaturationLoss / closed, 1.0, 0.02);
}

struct StepCase {
    double carrierFrequency;
    double outputFrequency;
    double carrierPeriods;
    int groupingFactor;
    int steps;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.carrierFrequency << " kHz at " << c.outputFrequency << " Hz";
}

class StepCountTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepCountTest, CarrierPeriodsAreGroupedBelowSixHundredSteps) {
    const StepCase& c = GetParam();
    PeriodDiscretisation period;
    ASSERT_TRUE(discretisePeriod(c.carrierFrequency, c.outputFrequency, period));
    EXPECT_DOUBLE_EQ(period.carrierPeriods, c.carrierPeriods);
    EXPECT_EQ(period.groupingFactor, c.groupingFactor);
    EXPECT_EQ(period.steps, c.steps);

    OperatingCondition condition = sampleCondition();
    condition.carrierFrequency = c.carrierFrequency;
    condition.outputFrequency = c.outputFrequency;
    const SteadyResult result = runSteady(condition);
    ASSERT_EQ(steps(result), c.steps);
    const int n = c.steps;
    for (int k = 0; k <= n; ++k) {
        EXPECT_EQ(result.waveform[k].time, (1.0 / c.outputFrequency) * k / n);
    }
    EXPECT_EQ(result.waveform[n + 1].time, 0.0);

    // Each computed period stands for m real ones: with DC LOCK every step
    // carries m switching events of the same energy.
    condition.dcLock = true;
    condition.modulationRate = 0.4;
    const SteadyResult locked = runSteady(condition);
    const DeviceCharacteristics device(sampleParams(), sampleLimits(), condition.dcVoltage,
                                       condition.rgOn, condition.rgOff, sampleHeatsink());
    double sum = 0.0;
    for (int k = 0; k <= n; ++k) {
        sum += c.groupingFactor * device.turnOnEnergy(condition.outputCurrentRms);
    }
    EXPECT_EQ(locked.loss.igbtTurnOnLoss, c.outputFrequency * sum);
}

INSTANTIATE_TEST_SUITE_P(
    CarrierAndOutputFrequencies, StepCountTest,
    ::testing::Values(StepCase{10.0, 50.0, 200.0, 1, 200}, StepCase{20.0, 10.0, 2000.0, 6, 333},
                      StepCase{20.0, 1.0, 20000.0, 66, 303}, StepCase{15.0, 50.0, 300.0, 1, 300},
                      StepCase{5.99, 10.0, 599.0, 1, 599}, StepCase{1.0, 1000.0, 1.0, 1, 1},
                      StepCase{20.0, 0.1, 200000.0, 666, 300}));

TEST(OperatingPointTest, StepCountsNeverReachSixHundred) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double carrier = std::uniform_real_distribution<double>(0.5, 30.0)(random);
        const double output = std::exp(std::uniform_real_distribution<double>(-3.0, 6.0)(random));
        PeriodDiscretisation period;
        if (!discretisePeriod(carrier, output, period)) {
            EXPECT_LT(carrier * 1000, output);
            continue;
        }
        EXPECT_GE(period.steps, 1);
        EXPECT_LT(period.steps, 600);
    }
}

TEST(OperatingPointTest, DcLockAtFullRateHasNoSwitchingAndOnlyOneConductingDevice) {
    OperatingCondition condition = sampleCondition();
    condition.dcLock = true;
    const DeviceCharacteristics device(sampleParams(), sampleLimits(), condition.dcVoltage,
                                       condition.rgOn, condition.rgOff, sampleHeatsink());
    const double irms = condition.outputCurrentRms;
    for (double rate : {1.0, -1.0}) {
        condition.modulationRate = rate;
        const SteadyResult result = runSteady(condition);
        const int n = steps(result);
        EXPECT_EQ(result.loss.igbtTurnOnLoss, 0.0);
        EXPECT_EQ(result.loss.igbtTurnOffLoss, 0.0);
        EXPECT_EQ(result.loss.fwdRecoveryLoss, 0.0);
        // All N + 1 steps count and the divisor stays N.
        const double igbt = rate > 0 ? device.igbtSaturationVoltage(irms) * irms : 0.0;
        const double fwd = rate < 0 ? device.fwdForwardVoltage(irms) * irms : 0.0;
        EXPECT_NEAR(result.loss.igbtSaturationLoss, igbt * (n + 1) / n, 1e-9);
        EXPECT_NEAR(result.loss.fwdSaturationLoss, fwd * (n + 1) / n, 1e-9);
    }
}

TEST(OperatingPointTest, DcLockBeyondFullRateActsAsFullRate) {
    OperatingCondition condition = sampleCondition();
    condition.dcLock = true;
    for (double rate : {1.0, -1.0}) {
        condition.modulationRate = rate;
        const SteadyResult full = runSteady(condition);
        condition.modulationRate = 1.15 * rate;
        const SteadyResult beyond = runSteady(condition);
        EXPECT_EQ(beyond.loss.igbtSaturationLoss, full.loss.igbtSaturationLoss);
        EXPECT_EQ(beyond.loss.fwdSaturationLoss, full.loss.fwdSaturationLoss);
        EXPECT_EQ(beyond.loss.igbtTurnOnLoss, 0.0);
        EXPECT_EQ(beyond.loss.igbtTurnOffLoss, 0.0);
        EXPECT_EQ(beyond.loss.fwdRecoveryLoss, 0.0);
        EXPECT_EQ(beyond.temperature.igbtTjMax, full.temperature.igbtTjMax);
        EXPECT_EQ(beyond.temperature.fwdTjMax, full.temperature.fwdTjMax);
        for (const PeriodSample& sample : beyond.waveform) {
            EXPECT_GE(sample.igbtConductionPower, 0.0);
            EXPECT_GE(sample.fwdConductionPower, 0.0);
        }
    }
}

TEST(OperatingPointTest, DcLockGivesEveryStepTheSameLossesExceptTheOddZero) {
    OperatingCondition condition = sampleCondition();
    condition.dcLock = true;
    condition.modulationRate = 0.3;
    for (const SteadyResult& result : atEvenAndOddSteps(condition)) {
        const int n = steps(result);
        const auto& w = result.waveform;
        const int half = n % 2 == 0 ? n / 2 : (n + 1) / 2;
        EXPECT_GT(w[0].igbtLoss, 0.0);
        EXPECT_GT(w[0].fwdLoss, 0.0);
        EXPECT_GT(result.loss.igbtTurnOnLoss, 0.0);
        for (int k = 0; k <= n; ++k) {
            EXPECT_EQ(w[k].igbtLoss, w[0].igbtLoss) << k;
            if (n % 2 == 1 && k == half) {
                EXPECT_EQ(w[k].fwdLoss, 0.0) << "odd N " << n;
            } else {
                EXPECT_EQ(w[k].fwdLoss, w[0].fwdLoss) << k;
            }
        }
        // For odd N the spare entry took part in the move.
        EXPECT_EQ(w[n + 1].fwdLoss, n % 2 == 1 ? w[0].fwdLoss : 0.0);
    }
}

// The turn-on, turn-off and recovery events of "2 arms" vanish while the
// reference is held at a rail: sectors 2 and 5.
TEST(OperatingPointTest, TwoArmsSwitchesNothingInTheClampedSectors) {
    DeviceParamRecord params = sampleParams();
    for (int i = 1; i <= 14; ++i) params.values[i] = 0.0;  // switching losses only
    OperatingCondition condition = sampleCondition();
    condition.modulation = kModulationTwoArms;
    for (double pf : {1.0, -1.0}) {
        condition.powerFactor = pf;
        const SteadyResult result = runSteady(condition, params);
        const int n = steps(result);
        auto sector = [&](int i) {
            return static_cast<int>(kTwoPi * (i - 1) / (4 * n) * 0.9549296585514004 + 1);
        };
        const int held = pf > 0 ? 2 : 5;
        int heldSteps = 0;
        int switchingSteps = 0;
        for (int k = 1; k <= n; ++k) {
            const PeriodSample& sample = result.waveform[k];
            const bool offHeld = sector(4 * k - 3) == 2 || sector(4 * k - 3) == 5;
            const bool onHeld = sector(4 * k - 2) == 2 || sector(4 * k - 2) == 5;
            if (onHeld) {
                EXPECT_EQ(sample.fwdRecoveryEnergy, 0.0) << k;
            }
            if (offHeld && onHeld) {
                EXPECT_EQ(sample.igbtLoss, 0.0) << k;
                heldSteps += sector(4 * k - 3) == held ? 1 : 0;
            } else if (sample.igbtLoss > 0.0) {
                ++switchingSteps;
            }
        }
        EXPECT_GT(heldSteps, n / 7);  // the sector where the current flows
        EXPECT_GT(switchingSteps, n / 4);
    }
}

TEST(OperatingPointTest, ThreeArmsAtZeroRateHasHalfDuty) {
    OperatingCondition condition = sampleCondition();
    condition.modulation = kModulationThreeArms;
    condition.modulationRate = 0.0;
    const SteadyResult result = runSteady(condition);
    const int n = steps(result);
    const double delta = kTwoPi / n;
    for (int k = 1; k <= n; ++k) {
        EXPECT_NEAR(result.waveform[k].offAngle / delta, 0.5, 1e-12) << k;
    }
}

// The half-period move: FWD loss j exchanged with j + h for j = 0..h, then entry N := entry 0.
TEST(OperatingPointTest, FwdLossMovesByHalfAPeriodForEvenAndOddN) {
    OperatingCondition condition = sampleCondition();
    condition.modulation = kModulationThreeArms;
    condition.powerFactor = 0.3;
    const std::vector<SteadyResult> results = atEvenAndOddSteps(condition);
    ASSERT_EQ(steps(results[0]), 200);
    ASSERT_EQ(steps(results[1]), 201);
    for (const SteadyResult& result : results) {
        const int n = steps(result);
        const auto& w = result.waveform;
        const double delta = kTwoPi / n;
        const double fo = condition.outputFrequency;
        std::vector<double> before(n + 2, 0.0);
        for (int k = 0; k <= n; ++k) {
            before[k] =
                w[k].offAngle / delta * w[k].fwdConductionPower + n * fo * w[k].fwdRecoveryEnergy;
        }
        const int h = n % 2 == 0 ? n / 2 : (n + 1) / 2;
        std::vector<double> after(n + 2, 0.0);
        for (int j = 0; j < h; ++j) after[j] = before[j + h];
        after[h] = n % 2 == 0 ? before[n] : 0.0;  // odd N: the spare entry's 0
        for (int j = 1; h + j < n; ++j) after[h + j] = before[j];
        after[n] = before[h];
        after[n + 1] = n % 2 == 1 ? before[0] : 0.0;
        for (int k = 0; k <= n + 1; ++k) {
            EXPECT_EQ(w[k].fwdLoss, after[k]) << "N " << n << " k " << k;
        }
        if (n % 2 == 1) {
            EXPECT_EQ(w[h].fwdLoss, 0.0);
        }
        // The pair and heat-sink losses see the moved FWD loss; step 0 keeps 0.
        EXPECT_EQ(w[0].pairLoss, 0.0);
        EXPECT_EQ(w[0].heatsinkLoss, 0.0);
        for (int k = 1; k <= n; ++k) {
            EXPECT_EQ(w[k].pairLoss, w[k].igbtLoss + w[k].fwdLoss);
            EXPECT_EQ(w[k].heatsinkLoss, 6.0 * w[k].pairLoss);
        }
    }
}

// A device whose only losses are linear turn-on and turn-off energies, run
// with DC LOCK so that the figures are fo * (N + 1) * E.
DeviceParamRecord linearSwitchingDevice(double turnOnLoss, double turnOffLoss) {
    DeviceParamRecord params;
    params.values[27] = 1.0;  // turn-on factor a0
    params.values[30] = 1.0;  // turn-off factor a0
    params.values[36] = turnOnLoss / (50.0 * 201.0);
    params.values[39] = turnOffLoss / (50.0 * 201.0);
    return params;
}

TEST(OperatingPointTest, SmallTurnOffLossIsReportedAsZeroButTurnOnIsKept) {
    OperatingCondition condition = sampleCondition();
    condition.dcLock = true;
    condition.modulationRate = 0.0;
    condition.outputCurrentRms = 1.0;
    condition.dcVoltage = sampleLimits().dcVoltageDefault;
    condition.rgOn = condition.rgOff = sampleLimits().gateResistanceDefault;
    const SteadyResult small = runSteady(condition, linearSwitchingDevice(0.005, 0.005));
    ASSERT_EQ(steps(small), 200);
    EXPECT_NEAR(small.loss.igbtTurnOnLoss, 0.005, 1e-12);
    EXPECT_EQ(small.loss.igbtTurnOffLoss, 0.0);
    const SteadyResult larger = runSteady(condition, linearSwitchingDevice(0.02, 0.02));
    EXPECT_NEAR(larger.loss.igbtTurnOffLoss, 0.02, 1e-12);

    // A load-cycle run reports its figures unlimited.
    ModeRunResult mode;
    std::vector<PeriodSample> waveform;
    condition.frequencyStart = 50.0;
    ASSERT_TRUE(calculateOperatingPoint(condition, sampleLimits(),
                                        linearSwitchingDevice(0.005, 0.005), sampleHeatsink(),
                                        false, false, mode, waveform));
    EXPECT_NEAR(mode.igbtTurnOffLoss, 0.005, 1e-12);
}

TEST(OperatingPointTest, RisesNotAboveZeroAreReportedAsZeroTemperaturesAsComputed) {
    DeviceParamRecord params = sampleParams();
    params.values[15] = -0.2;  // a junction-to-case network that cools
    const SteadyResult result = runSteady(sampleCondition(), params);
    const TemperatureResult& t = result.temperature;
    EXPECT_EQ(t.igbtDeltaTjcMax, 0.0);
    EXPECT_EQ(t.igbtDeltaTjcMin, 0.0);
    EXPECT_EQ(t.igbtDeltaTjcAve, 0.0);
    EXPECT_GT(t.fwdDeltaTjcMax, 0.0);
    EXPECT_LT(t.igbtTjMax, t.tcMax);
}

// Over one period of the periodic steady state, a network's mean rise is the
// mean loss times its total resistance; the samples 0 ... N of the waveform
// give that to within their ripple, the spare entry N + 1 would pull it down by
// 1 / (N + 2). Maxima and minima are those of the samples; the temperatures
// stack from the ambient up.
TEST(OperatingPointTest, StatisticsSummariseStepsZeroToN) {
    const SteadyResult result = runSteady(sampleCondition());
    const int n = steps(result);
    const LossResult& l = result.loss;
    const TemperatureResult& t = result.temperature;
    const double igbtLoss = l.igbtSaturationLoss + l.igbtTurnOnLoss + l.igbtTurnOffLoss;
    const double fwdLoss = l.fwdSaturationLoss + l.fwdRecoveryLoss;
    // Rth(j-c) 0.22 and 0.38 K/W; case to fin 1.0261 * 0.045 K/W a pair; six
    // pairs on a heat sink of 0.15 K/W.
    EXPECT_NEAR(t.igbtDeltaTjcAve / (igbtLoss * 0.22), 1.0, 2e-3);
    EXPECT_NEAR(t.fwdDeltaTjcAve / (fwdLoss * 0.38), 1.0, 3e-3);
    EXPECT_NEAR((t.tcAve - t.tfAve) / ((igbtLoss + fwdLoss) * 1.0261 * 0.045), 1.0, 1e-3);
    EXPECT_NEAR((t.tfAve - 40.0) / (6.0 * (igbtLoss + fwdLoss) * 0.15), 1.0, 1e-5);

    const auto first = result.waveform.begin();
    const auto last = first + n + 1;
    const auto [igbtMin, igbtMax] = std::minmax_element(
        first, last, [](const auto& a, const auto& b) { return a.igbtDeltaTjc < b.igbtDeltaTjc; });
    EXPECT_EQ(t.igbtDeltaTjcMax, igbtMax->igbtDeltaTjc);
    EXPECT_EQ(t.igbtDeltaTjcMin, igbtMin->igbtDeltaTjc);
    EXPECT_GT(t.igbtDeltaTjcMin, 0.0);  // not the spare entry's 0
    EXPECT_LT(t.igbtDeltaTjcMin, t.igbtDeltaTjcAve);
    EXPECT_LT(t.igbtDeltaTjcAve, t.igbtDeltaTjcMax);
    EXPECT_GE(t.igbtTjMax, t.tcMax);
    EXPECT_GE(t.tcMax, t.tfMax);
    EXPECT_GT(t.tfMax, t.tfAve);
    EXPECT_EQ(t.ambientTemperature, 40.0);
    for (auto w = first; w != last; ++w) {
        EXPECT_LE(w->igbtTj, t.igbtTjMax);
        EXPECT_LE(w->fwdTj, t.fwdTjMax);
        EXPECT_EQ(w->tf, 40.0 + w->deltaTfa);
        EXPECT_EQ(w->tc, w->tf + w->deltaTcf);
        EXPECT_EQ(w->igbtTj, w->tc + w->igbtDeltaTjc);
        EXPECT_EQ(w->fwdTj, w->tc + w->fwdDeltaTjc);
    }
    // The spare entry stays out of everything.
    EXPECT_EQ(last->igbtTj, 0.0);
    EXPECT_EQ(last->time, 0.0);
}

TEST(OperatingPointTest, ValueZeroOfTheParametersHasNoEffect) {
    DeviceParamRecord params = sampleParams();
    const SteadyResult reference = runSteady(sampleCondition(), params);
    for (double v : {123.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        params.values[0] = v;
        const SteadyResult other = runSteady(sampleCondition(), params);
        EXPECT_EQ(other.loss.igbtSaturationLoss, reference.loss.igbtSaturationLoss);
        EXPECT_EQ(other.temperature.igbtTjMax, reference.temperature.igbtTjMax);
        EXPECT_EQ(other.temperature.fwdTjMax, reference.temperature.fwdTjMax);
    }
}

TEST(OperatingPointTest, ModeRunsFillTheStartOrTheEndPairWithMeanOrMaximum) {
    OperatingCondition condition = sampleCondition();
    condition.frequencyStart = 20.0;
    condition.frequencyEnd = 80.0;
    condition.outputFrequency = 999.0;  // plays no part in a load-cycle run
    for (bool end : {false, true}) {
        for (bool average : {false, true}) {
            ModeRunResult mode;
            std::vector<PeriodSample> waveform;
            ASSERT_TRUE(calculateOperatingPoint(condition, sampleLimits(), sampleParams(),
                                                sampleHeatsink(), end, average, mode, waveform));
            const int n = static_cast<int>(waveform.size()) - 2;
            const double fo = end ? 80.0 : 20.0;
            EXPECT_EQ(waveform[n].time, (1.0 / fo) * n / n);
            double igbtSum = 0.0, igbtMax = waveform[0].igbtDeltaTjc;
            double fwdSum = 0.0, fwdMax = waveform[0].fwdDeltaTjc;
            for (int k = 0; k <= n; ++k) {
                igbtSum += waveform[k].igbtDeltaTjc;
                fwdSum += waveform[k].fwdDeltaTjc;
                igbtMax = std::max(igbtMax, waveform[k].igbtDeltaTjc);
                fwdMax = std::max(fwdMax, waveform[k].fwdDeltaTjc);
                EXPECT_EQ(waveform[k].igbtTj, 0.0);  // no absolute temperatures
            }
            EXPECT_EQ(mode.igbtDeltaTjcMax, igbtMax);
            EXPECT_EQ(mode.fwdDeltaTjcMax, fwdMax);
            const double igbtRise = average ? igbtSum / (n + 1) : igbtMax;
            const double fwdRise = average ? fwdSum / (n + 1) : fwdMax;
            EXPECT_EQ(end ? mode.igbtDeltaTjcEnd : mode.igbtDeltaTjcStart, igbtRise);
            EXPECT_EQ(end ? mode.fwdDeltaTjcEnd : mode.fwdDeltaTjcStart, fwdRise);
            EXPECT_EQ(end ? mode.igbtDeltaTjcStart : mode.igbtDeltaTjcEnd, 0.0);
            EXPECT_EQ(mode.igbtLoss,
                      mode.igbtTurnOffLoss + mode.igbtTurnOnLoss + mode.igbtSaturationLoss);
            EXPECT_EQ(mode.fwdLoss, mode.fwdSaturationLoss + mode.fwdRecoveryLoss);
        }
    }
}

TEST(OperatingPointTest, ModeRunsUseElevenHarmonics) {
    OperatingCondition condition = sampleCondition();
    ModeRunResult mode;
    std::vector<PeriodSample> waveform;
    ASSERT_TRUE(calculateOperatingPoint(condition, sampleLimits(), sampleParams(), sampleHeatsink(),
                                        false, false, mode, waveform));
    const SteadyResult steady = runSteady(condition);
    EXPECT_EQ(mode.igbtSaturationLoss, steady.loss.igbtSaturationLoss);
    EXPECT_NE(mode.igbtDeltaTjcMax, steady.temperature.igbtDeltaTjcMax);
    EXPECT_NEAR(mode.igbtDeltaTjcMax, steady.temperature.igbtDeltaTjcMax,
                0.3 * steady.temperature.igbtDeltaTjcMax);
}

struct GuardCase {
    const char* name;
    std::function<void(OperatingCondition&, ConditionLimits&, DeviceParamRecord&, HeatsinkModel&)>
        spoil;
};

void PrintTo(const GuardCase& c, std::ostream* os) {
    *os << c.name;
}

class GuardTest : public ::testing::TestWithParam<GuardCase> {};

// Inputs the engine can't compute: false, and nothing filled.
TEST_P(GuardTest, ReturnsFalseAndFillsNothing) {
    OperatingCondition condition = sampleCondition();
    ConditionLimits limits = sampleLimits();
    DeviceParamRecord params = sampleParams();
    HeatsinkModel heatsink = sampleHeatsink();
    GetParam().spoil(condition, limits, params, heatsink);
    // The load-cycle run reads frequencyStart instead of outputFrequency.
    condition.frequencyStart = condition.outputFrequency;

    SteadyResult steady;
    steady.loss.igbtSaturationLoss = -123.0;
    steady.waveform.resize(3);
    EXPECT_FALSE(calculateOperatingPoint(condition, limits, params, heatsink, steady));
    EXPECT_EQ(steady.loss.igbtSaturationLoss, -123.0);
    EXPECT_EQ(steady.waveform.size(), 3u);
    for (SolverPath path : {SolverPath::Fast, SolverPath::Literal}) {
        ModeRunResult mode;
        mode.igbtLoss = -5.0;
        std::vector<PeriodSample> waveform(2);
        EXPECT_FALSE(calculateOperatingPoint(condition, limits, params, heatsink, false, false,
                                             mode, waveform, path));
        EXPECT_EQ(mode.igbtLoss, -5.0);
        EXPECT_EQ(waveform.size(), 2u);
    }
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Inputs, GuardTest,
    ::testing::Values(
        GuardCase{"frequency0", [](auto& c, auto&, auto&, auto&) { c.outputFrequency = 0.0; }},
        GuardCase{"frequencyNegative",
                  [](auto& c, auto&, auto&, auto&) { c.outputFrequency = -50.0; }},
        GuardCase{"frequencyNaN", [](auto& c, auto&, auto&, auto&) { c.outputFrequency = kNaN; }},
        GuardCase{"frequencyTiny",  // 1/fo is not finite
                  [](auto& c, auto&, auto&, auto&) {
                      c.outputFrequency = 1e-310;
                      c.carrierFrequency = 1e-308;
                  }},
        GuardCase{"carrierBelowOutput",
                  [](auto& c, auto&, auto&, auto&) {
                      c.carrierFrequency = 0.04;
                      c.outputFrequency = 50.0;
                  }},
        GuardCase{"carrierNegative",
                  [](auto& c, auto&, auto&, auto&) { c.carrierFrequency = -10.0; }},
        GuardCase{"carrierInfinite",
                  [](auto& c, auto&, auto&, auto&) { c.carrierFrequency = kInf; }},
        GuardCase{"groupingBeyondInt",
                  [](auto& c, auto&, auto&, auto&) { c.carrierFrequency = 1e12; }},
        GuardCase{"currentNaN", [](auto& c, auto&, auto&, auto&) { c.outputCurrentRms = kNaN; }},
        GuardCase{"powerFactorAbove1", [](auto& c, auto&, auto&, auto&) { c.powerFactor = 1.01; }},
        GuardCase{"powerFactorBelowMinus1",
                  [](auto& c, auto&, auto&, auto&) { c.powerFactor = -1.0000001; }},
        GuardCase{"modulationRateInf",
                  [](auto& c, auto&, auto&, auto&) { c.modulationRate = kInf; }},
        GuardCase{"dcVoltageNaN", [](auto& c, auto&, auto&, auto&) { c.dcVoltage = kNaN; }},
        GuardCase{"rgOnInf", [](auto& c, auto&, auto&, auto&) { c.rgOn = kInf; }},
        GuardCase{"rgOffNaN", [](auto& c, auto&, auto&, auto&) { c.rgOff = kNaN; }},
        GuardCase{"modulation0", [](auto& c, auto&, auto&, auto&) { c.modulation = 0; }},
        GuardCase{"modulation3", [](auto& c, auto&, auto&, auto&) { c.modulation = 3; }},
        GuardCase{"referenceVoltage0",
                  [](auto&, auto& l, auto&, auto&) { l.dcVoltageDefault = 0.0; }},
        GuardCase{"referenceVoltageNegative",
                  [](auto&, auto& l, auto&, auto&) { l.dcVoltageDefault = -600.0; }},
        GuardCase{"referenceResistance0",
                  [](auto&, auto& l, auto&, auto&) { l.gateResistanceDefault = 0.0; }},
        GuardCase{"referenceResistanceNaN",
                  [](auto&, auto& l, auto&, auto&) { l.gateResistanceDefault = kNaN; }},
        GuardCase{"parameterNaN", [](auto&, auto&, auto& p, auto&) { p.values[36] = kNaN; }},
        GuardCase{"parameterInf", [](auto&, auto&, auto& p, auto&) { p.values[43] = kInf; }},
        GuardCase{"rthNaN", [](auto&, auto&, auto&, auto& h) { h.rth[2] = kNaN; }},
        GuardCase{"tthInf", [](auto&, auto&, auto&, auto& h) { h.tth[3] = kInf; }},
        GuardCase{"caseFinNaN",
                  [](auto&, auto&, auto&, auto& h) { h.caseFinTimeConstant[0] = kNaN; }},
        GuardCase{"ambientNaN", [](auto&, auto&, auto&, auto& h) { h.ambientTemperature = kNaN; }}),
    [](const ::testing::TestParamInfo<GuardCase>& info) { return info.param.name; });

// Inputs at the edges of what can be computed: every figure stays finite.
TEST(OperatingPointTest, ExtremeButComputableInputsGiveFiniteResults) {
    struct Edge {
        double carrier, output, rate, pf, current;
    };
    const Edge edges[] = {
        {0.05, 50.0, 1.0, 1.0, 70.0},     // carrier * 1000 == fo: N = 1
        {0.06, 50.0, 0.8, 0.5, 70.0},     // N = 1 with a remainder
        {20.0, 0.001, 0.9, 0.85, 70.0},   // m = 66666
        {10.0, 50.0, 1000.0, 0.3, 70.0},  // the reference far beyond the rails
        {10.0, 50.0, -1000.0, -0.3, 70.0},
        {10.0, 50.0, 0.0, 1e-300, 70.0},  // pf so small that its square is 0
        {10.0, 50.0, 0.0, -1e-300, 70.0},
        {10.0, 50.0, 1.15, 0.0, 0.0},  // no current
        {7.3, 41.0, 0.7, -1.0, 150.0},
    };
    for (const Edge& e : edges) {
        for (int modulation : {kModulationTwoArms, kModulationThreeArms}) {
            for (bool lock : {false, true}) {
                OperatingCondition condition = sampleCondition();
                condition.carrierFrequency = e.carrier;
                condition.outputFrequency = e.output;
                condition.modulationRate = e.rate;
                condition.powerFactor = e.pf;
                condition.outputCurrentRms = e.current;
                condition.modulation = modulation;
                condition.dcLock = lock;
                for (SolverPath path : {SolverPath::Fast, SolverPath::Literal}) {
                    SteadyResult result;
                    ASSERT_TRUE(calculateOperatingPoint(condition, sampleLimits(), sampleParams(),
                                                        sampleHeatsink(), result, path));
                    const LossResult& l = result.loss;
                    const TemperatureResult& t = result.temperature;
                    for (double v :
                         {l.igbtSaturationLoss, l.igbtTurnOnLoss, l.igbtTurnOffLoss,
                          l.fwdSaturationLoss, l.fwdRecoveryLoss, t.igbtTjMax, t.fwdTjMax, t.tcMax,
                          t.tcAve, t.tfMax, t.tfAve, t.igbtDeltaTjcAve, t.fwdDeltaTjcAve}) {
                        EXPECT_TRUE(std::isfinite(v))
                            << e.carrier << " " << e.output << " " << e.rate << " " << e.pf;
                    }
                    for (const PeriodSample& sample : result.waveform) {
                        EXPECT_TRUE(std::isfinite(sample.igbtTj));
                        EXPECT_TRUE(std::isfinite(sample.fwdLoss));
                    }
                }
            }
        }
    }
}

// The fast solver changes only the temperatures, and those by no more than
// 1e-9; every loss is the same to the bit.
TEST(OperatingPointTest, FastRunsAgreeWithLiteralRuns) {
    std::mt19937_64 random(99);
    for (int trial = 0; trial < 60; ++trial) {
        const auto c = test::randomCase(random);
        SteadyResult fast;
        SteadyResult literal;
        ASSERT_TRUE(calculateOperatingPoint(c.condition, c.limits, c.params, c.heatsink, fast,
                                            SolverPath::Fast));
        ASSERT_TRUE(calculateOperatingPoint(c.condition, c.limits, c.params, c.heatsink, literal,
                                            SolverPath::Literal));
        EXPECT_EQ(fast.loss.igbtSaturationLoss, literal.loss.igbtSaturationLoss);
        EXPECT_EQ(fast.loss.igbtTurnOnLoss, literal.loss.igbtTurnOnLoss);
        EXPECT_EQ(fast.loss.igbtTurnOffLoss, literal.loss.igbtTurnOffLoss);
        EXPECT_EQ(fast.loss.fwdSaturationLoss, literal.loss.fwdSaturationLoss);
        EXPECT_EQ(fast.loss.fwdRecoveryLoss, literal.loss.fwdRecoveryLoss);
        const TemperatureResult& a = fast.temperature;
        const TemperatureResult& b = literal.temperature;
        for (auto field : {&TemperatureResult::igbtDeltaTjcMax, &TemperatureResult::igbtDeltaTjcMin,
                           &TemperatureResult::igbtDeltaTjcAve, &TemperatureResult::fwdDeltaTjcMax,
                           &TemperatureResult::fwdDeltaTjcMin, &TemperatureResult::fwdDeltaTjcAve,
                           &TemperatureResult::tcMax, &TemperatureResult::tcAve,
                           &TemperatureResult::tfMax, &TemperatureResult::tfAve,
                           &TemperatureResult::igbtTjMax, &TemperatureResult::fwdTjMax}) {
            EXPECT_TRUE(agrees(a.*field, b.*field))
                << trial << ": " << a.*field << " vs " << b.*field;
        }
        ASSERT_EQ(fast.waveform.size(), literal.waveform.size());
        for (std::size_t k = 0; k < fast.waveform.size(); ++k) {
            const PeriodSample& x = fast.waveform[k];
            const PeriodSample& y = literal.waveform[k];
            EXPECT_EQ(x.igbtLoss, y.igbtLoss);
            EXPECT_EQ(x.fwdLoss, y.fwdLoss);
            for (auto field :
                 {&PeriodSample::igbtDeltaTjc, &PeriodSample::fwdDeltaTjc, &PeriodSample::deltaTcf,
                  &PeriodSample::deltaTfa, &PeriodSample::igbtTj, &PeriodSample::fwdTj,
                  &PeriodSample::tc, &PeriodSample::tf}) {
                ASSERT_TRUE(agrees(x.*field, y.*field)) << trial << " k " << k;
            }
        }
    }
}

}  // namespace
}  // namespace thermalyx
