#include "engine/device_characteristics.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace thermalyx {
namespace {

using namespace test;

// The sample device's references are 600 V and 6.8 ohm.
DeviceCharacteristics characteristics(const DeviceParamRecord& params, double dcVoltage = 600.0,
                                      double rgOn = 6.8, double rgOff = 6.8) {
    return DeviceCharacteristics(params, sampleLimits(), dcVoltage, rgOn, rgOff, sampleHeatsink());
}

// With one coefficient set to 1 and every other 0, a curve at 2 A is 2 to the
// power that coefficient belongs to: VCE(sat) reads values 1 ... 7 and VF
// values 8 ... 14 in ascending powers, each energy three values from i^3 down.
TEST(DeviceCharacteristicsTest, EachCurveCoefficientMeetsItsOwnPowerOfTheCurrent) {
    for (int c = 0; c <= 6; ++c) {
        DeviceParamRecord igbt;
        igbt.values[1 + c] = 1.0;
        DeviceParamRecord fwd;
        fwd.values[8 + c] = 1.0;
        EXPECT_EQ(characteristics(igbt).igbtSaturationVoltage(2.0), std::ldexp(1.0, c)) << c;
        EXPECT_EQ(characteristics(igbt).fwdForwardVoltage(2.0), 0.0) << c;
        EXPECT_EQ(characteristics(fwd).fwdForwardVoltage(2.0), std::ldexp(1.0, c)) << c;
        EXPECT_EQ(characteristics(fwd).igbtSaturationVoltage(2.0), 0.0) << c;
    }
    for (int c = 0; c < 3; ++c) {
        DeviceParamRecord params;
        params.values[27] = params.values[30] = params.values[33] = 1.0;  // factors of 1
        params.values[34 + c] = 1.0;
        params.values[37 + c] = 2.0;
        params.values[40 + c] = 3.0;
        const DeviceCharacteristics device = characteristics(params);
        EXPECT_EQ(device.turnOnEnergy(2.0), std::ldexp(1.0, 3 - c)) << c;
        EXPECT_EQ(device.turnOffEnergy(2.0), std::ldexp(2.0, 3 - c)) << c;
        EXPECT_EQ(device.recoveryEnergy(2.0), std::ldexp(3.0, 3 - c)) << c;
    }
}

// The sample device by hand at 100 A:
//   VCE(sat) = 0.75 + 1.25 - 0.2 + 0.15 - 0.04 + 0.005 - 0.0002 = 1.9148 V,
//   VF       = 0.7 + 1.05 - 0.15 + 0.1 - 0.03 + 0.004 - 0.00015 = 1.67385 V,
//   Eon = 0.1 + 2 + 6.9 = 9 mJ, Eoff = 0.05 + 1.5 + 5.45 = 7 mJ, Err = -0.02 + 1 + 4.02 = 5 mJ,
// the gate-resistance factors all 1 at the reference resistance.
TEST(DeviceCharacteristicsTest, CurvesOfTheSampleDeviceWorkedByHand) {
    const DeviceCharacteristics device = characteristics(sampleParams());
    EXPECT_NEAR(device.igbtSaturationVoltage(100.0), 1.9148, 1e-12);
    EXPECT_NEAR(device.fwdForwardVoltage(100.0), 1.67385, 1e-12);
    EXPECT_EQ(device.igbtSaturationVoltage(0.0), 0.75);
    EXPECT_EQ(device.fwdForwardVoltage(0.0), 0.7);
    EXPECT_NEAR(device.turnOnEnergy(100.0), 9.0e-3, 1e-15);
    EXPECT_NEAR(device.turnOffEnergy(100.0), 7.0e-3, 1e-15);
    EXPECT_NEAR(device.recoveryEnergy(100.0), 5.0e-3, 1e-15);
    // 50 A: 1e-10 * 125000 + 2e-7 * 2500 + 6.9e-5 * 50 = 3.9625 mJ.
    EXPECT_NEAR(device.turnOnEnergy(50.0), 3.9625e-3, 1e-15);
    // No constant term: nothing switched, nothing lost.
    EXPECT_EQ(device.turnOnEnergy(0.0), 0.0);
    EXPECT_EQ(device.turnOffEnergy(0.0), 0.0);
    EXPECT_EQ(device.recoveryEnergy(0.0), 0.0);
}

TEST(DeviceCharacteristicsTest, EnergiesScaleWithVoltageAndTheirOwnGateResistance) {
    const DeviceParamRecord params = sampleParams();
    const DeviceCharacteristics reference = characteristics(params);
    // Half the voltage halves every energy; the conduction voltages stay.
    const DeviceCharacteristics halfVoltage = characteristics(params, 300.0);
    EXPECT_NEAR(halfVoltage.turnOnEnergy(100.0), 4.5e-3, 1e-15);
    EXPECT_NEAR(halfVoltage.turnOffEnergy(100.0), 3.5e-3, 1e-15);
    EXPECT_NEAR(halfVoltage.recoveryEnergy(100.0), 2.5e-3, 1e-15);
    EXPECT_EQ(halfVoltage.igbtSaturationVoltage(80.0), reference.igbtSaturationVoltage(80.0));

    // Three times the turn-on resistance: turn-on 0.05 * 9 + 0.55 * 3 + 0.40 = 2.5
    // times, and the diode, which recovers when the opposite IGBT turns on,
    // -0.03 * 9 + 0.35 * 3 + 0.68 = 1.46 times; turn-off unchanged.
    const DeviceCharacteristics slowOn = characteristics(params, 600.0, 3 * 6.8, 6.8);
    EXPECT_NEAR(slowOn.turnOnEnergy(100.0), 22.5e-3, 1e-14);
    EXPECT_NEAR(slowOn.recoveryEnergy(100.0), 7.3e-3, 1e-14);
    EXPECT_NEAR(slowOn.turnOffEnergy(100.0), 7.0e-3, 1e-15);
    // Three times the turn-off resistance: turn-off 0.02 * 9 + 0.60 * 3 + 0.38 = 2.36 times only.
    const DeviceCharacteristics slowOff = characteristics(params, 600.0, 6.8, 3 * 6.8);
    EXPECT_NEAR(slowOff.turnOffEnergy(100.0), 16.52e-3, 1e-14);
    EXPECT_NEAR(slowOff.turnOnEnergy(100.0), 9.0e-3, 1e-15);
    EXPECT_NEAR(slowOff.recoveryEnergy(100.0), 5.0e-3, 1e-15);
}

// Junction to case: the device's Rth(j-c) (0.22 K/W IGBT, 0.38 K/W FWD) shared
// out by its four fractions, time constants a decade apart from 1 ms to 1 s.
// Case to fin: 20 * values[43] shared out by the fixed fractions, about
// 1.0261 * values[43] in all. Fin to ambient: the heat sink's own network.
TEST(DeviceCharacteristicsTest, StagesOfTheFourNetworks) {
    const HeatsinkModel heatsink = sampleHeatsink();
    const DeviceCharacteristics device = characteristics(sampleParams());
    const double igbt[4] = {0.011, 0.055, 0.099, 0.055};
    const double fwd[4] = {0.0304, 0.114, 0.1596, 0.076};
    const double finAmbient[4] = {0.012, 0.035, 0.06, 0.043};
    double igbtTotal = 0.0;
    double fwdTotal = 0.0;
    double caseFinTotal = 0.0;
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(device.igbtJunctionCase[k].resistance, igbt[k], 1e-15) << k;
        EXPECT_NEAR(device.fwdJunctionCase[k].resistance, fwd[k], 1e-15) << k;
        EXPECT_DOUBLE_EQ(device.igbtJunctionCase[k].timeConstant, 0.001 * std::pow(10.0, k));
        EXPECT_EQ(device.fwdJunctionCase[k].timeConstant, device.igbtJunctionCase[k].timeConstant);
        EXPECT_EQ(device.caseFin[k].timeConstant, heatsink.caseFinTimeConstant[k]);
        EXPECT_EQ(device.finAmbient[k].resistance, finAmbient[k]) << k;
        EXPECT_EQ(device.finAmbient[k].timeConstant, heatsink.tth[k]) << k;
        igbtTotal += device.igbtJunctionCase[k].resistance;
        fwdTotal += device.fwdJunctionCase[k].resistance;
        caseFinTotal += device.caseFin[k].resistance;
    }
    EXPECT_NEAR(igbtTotal, 0.22, 1e-15);
    EXPECT_NEAR(fwdTotal, 0.38, 1e-15);
    EXPECT_NEAR(caseFinTotal, 1.0261 * 0.045, 1e-4 * 0.045);
}

}  // namespace
}  // namespace thermalyx
