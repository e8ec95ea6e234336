#include "engine/device_characteristics.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace thermalyx {
namespace {

using testing_support::sampleHeatsink;
using testing_support::sampleLimits;
using testing_support::sampleParams;

double cubic(const DeviceParamRecord& params, int first, double i) {
    const auto& v = params.values;
    return v[first] * std::pow(i, 3.0) + v[first + 1] * std::pow(i, 2.0) + v[first + 2] * i;
}

TEST(DeviceCharacteristicsTest,
     AtTheReferenceConditionsTheEnergiesAreTheBareCubicsTimesTheFactorSums) {
    const DeviceParamRecord params = sampleParams();
    const ConditionLimits limits = sampleLimits();
    const auto& v = params.values;
    const DeviceCharacteristics device(params, limits, limits.dcVoltageDefault,
                                       limits.gateResistanceDefault, limits.gateResistanceDefault,
                                       sampleHeatsink());
    EXPECT_EQ(device.voltageRatio, 1.0);
    EXPECT_EQ(device.onRatio, 1.0);
    EXPECT_EQ(device.offRatio, 1.0);
    EXPECT_EQ(device.turnOnFactor, v[25] + v[26] + v[27]);
    EXPECT_EQ(device.turnOffFactor, v[28] + v[29] + v[30]);
    EXPECT_EQ(device.recoveryFactor, v[31] + v[32] + v[33]);
    for (double i : {0.5, 10.0, 73.25, 150.0}) {
        EXPECT_EQ(device.turnOnEnergy(i), cubic(params, 34, i) * (v[25] + v[26] + v[27])) << i;
        EXPECT_EQ(device.turnOffEnergy(i), cubic(params, 37, i) * (v[28] + v[29] + v[30])) << i;
        EXPECT_EQ(device.recoveryEnergy(i), cubic(params, 40, i) * (v[31] + v[32] + v[33])) << i;
    }
    // Sanity of the sample device itself: about 9, 7 and 5 mJ at 100 A.
    EXPECT_NEAR(device.turnOnEnergy(100.0), 9.0e-3, 0.3e-3);
    EXPECT_NEAR(device.turnOffEnergy(100.0), 7.0e-3, 0.3e-3);
    EXPECT_NEAR(device.recoveryEnergy(100.0), 5.0e-3, 0.3e-3);
}

TEST(DeviceCharacteristicsTest, EnergiesScaleWithVoltageAndTheirOwnGateResistance) {
    const DeviceParamRecord params = sampleParams();
    const ConditionLimits limits = sampleLimits();
    const HeatsinkModel heatsink = sampleHeatsink();
    const double rg = limits.gateResistanceDefault;
    const DeviceCharacteristics reference(params, limits, 600.0, rg, rg, heatsink);
    const DeviceCharacteristics halfVoltage(params, limits, 300.0, rg, rg, heatsink);
    EXPECT_DOUBLE_EQ(halfVoltage.turnOnEnergy(80.0), 0.5 * reference.turnOnEnergy(80.0));
    EXPECT_DOUBLE_EQ(halfVoltage.recoveryEnergy(80.0), 0.5 * reference.recoveryEnergy(80.0));
    // Conduction voltages do not depend on the DC link voltage.
    EXPECT_EQ(halfVoltage.igbtSaturationVoltage(80.0), reference.igbtSaturationVoltage(80.0));

    // The diode recovers when the opposite IGBT turns on: rgOn rules it, rgOff does not.
    const DeviceCharacteristics slowOff(params, limits, 600.0, rg, 3 * rg, heatsink);
    EXPECT_EQ(slowOff.recoveryEnergy(80.0), reference.recoveryEnergy(80.0));
    EXPECT_EQ(slowOff.turnOnEnergy(80.0), reference.turnOnEnergy(80.0));
    EXPECT_NE(slowOff.turnOffEnergy(80.0), reference.turnOffEnergy(80.0));
    const DeviceCharacteristics slowOn(params, limits, 600.0, 3 * rg, rg, heatsink);
    EXPECT_NE(slowOn.recoveryEnergy(80.0), reference.recoveryEnergy(80.0));
    // The factor is a quadratic in the ratio to the reference resistance.
    const auto& v = params.values;
    EXPECT_EQ(slowOn.turnOnFactor, v[25] * 9.0 + v[26] * 3.0 + v[27]);
    EXPECT_EQ(slowOn.recoveryFactor, v[31] * 9.0 + v[32] * 3.0 + v[33]);
}

TEST(DeviceCharacteristicsTest, PolynomialsAreSummedTermByTermInAscendingPowers) {
    const DeviceParamRecord params = sampleParams();
    const ConditionLimits limits = sampleLimits();
    const DeviceCharacteristics device(params, limits, 600.0, 6.8, 6.8, sampleHeatsink());
    const auto& v = params.values;
    for (double i : {0.0, 1.0, 37.5, 99.99, 212.0}) {
        double igbt = 0.0;
        double fwd = 0.0;
        for (int c = 0; c <= 6; ++c) {
            igbt += v[1 + c] * std::pow(i, c);
            fwd += v[8 + c] * std::pow(i, c);
        }
        EXPECT_EQ(device.igbtSaturationVoltage(i), igbt) << i;
        EXPECT_EQ(device.fwdForwardVoltage(i), fwd) << i;
    }
    // i^0 is 1 also for i = 0; the energies have no constant term.
    EXPECT_EQ(device.igbtSaturationVoltage(0.0), v[1]);
    EXPECT_EQ(device.fwdForwardVoltage(0.0), v[8]);
    EXPECT_EQ(device.turnOnEnergy(0.0), 0.0);
    EXPECT_EQ(device.turnOffEnergy(0.0), 0.0);
    EXPECT_EQ(device.recoveryEnergy(0.0), 0.0);
}

TEST(DeviceCharacteristicsTest, StagesOfTheFourNetworks) {
    const DeviceParamRecord params = sampleParams();
    const HeatsinkModel heatsink = sampleHeatsink();
    const DeviceCharacteristics device(params, sampleLimits(), 600.0, 6.8, 6.8, heatsink);
    const auto& v = params.values;
    const double tau[4] = {0.001, 0.01, 0.1, 1.0};
    double caseFinTotal = 0.0;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(device.igbtJunctionCase[k].resistance, v[15] * v[17 + k]);
        EXPECT_EQ(device.igbtJunctionCase[k].timeConstant, tau[k]);
        EXPECT_EQ(device.fwdJunctionCase[k].resistance, v[16] * v[21 + k]);
        EXPECT_EQ(device.fwdJunctionCase[k].timeConstant, tau[k]);
        EXPECT_EQ(device.caseFin[k].resistance, 20.0 * v[43] * heatsink.caseFinFraction[k]);
        EXPECT_EQ(device.caseFin[k].timeConstant, heatsink.caseFinTimeConstant[k]);
        EXPECT_EQ(device.finAmbient[k].resistance, heatsink.rth[k]);
        EXPECT_EQ(device.finAmbient[k].timeConstant, heatsink.tth[k]);
        caseFinTotal += device.caseFin[k].resistance;
    }
    // With the fixed fractions the case-to-fin stages add up to about 1.026 * values[43].
    EXPECT_NEAR(caseFinTotal / v[43], 1.026, 0.001);
}

}  // namespace
}  // namespace thermalyx
