#include "tests/support/sample_records.h"

#include <optional>

namespace thermalyx::test {

DeviceParamRecord sampleParams() {
    DeviceParamRecord params;
    params.series = "Z-Series";
    params.typeNumber = "6NZ100B-120";
    auto& v = params.values;
    // VCE(sat) and VF: 0.8 V knee, about 0.012 ohm, slight curvature.
    const double vce[7] = {0.75, 0.0125, -2.0e-5, 1.5e-7, -4.0e-10, 5.0e-13, -2.0e-16};
    const double vf[7] = {0.7, 0.0105, -1.5e-5, 1.0e-7, -3.0e-10, 4.0e-13, -1.5e-16};
    for (int c = 0; c < 7; ++c) {
        v[1 + c] = vce[c];
        v[8 + c] = vf[c];
    }
    v[15] = 0.22;  // IGBT Rth(j-c)
    v[16] = 0.38;  // FWD Rth(j-c)
    const double igbtFractions[4] = {0.05, 0.25, 0.45, 0.25};
    const double fwdFractions[4] = {0.08, 0.30, 0.42, 0.20};
    for (int k = 0; k < 4; ++k) {
        v[17 + k] = igbtFractions[k];
        v[21 + k] = fwdFractions[k];
    }
    // Gate-resistance factors: 1 at the reference resistance.
    v[25] = 0.05, v[26] = 0.55, v[27] = 0.40;
    v[28] = 0.02, v[29] = 0.60, v[30] = 0.38;
    v[31] = -0.03, v[32] = 0.35, v[33] = 0.68;
    // Energies (J): roughly 9, 7 and 5 mJ at 100 A.
    v[34] = 1.0e-10, v[35] = 2.0e-7, v[36] = 6.9e-5;
    v[37] = 5.0e-11, v[38] = 1.5e-7, v[39] = 5.45e-5;
    v[40] = -2.0e-11, v[41] = 1.0e-7, v[42] = 4.02e-5;
    v[43] = 0.045;  // case-to-fin scale
    return params;
}

void setInputLimits(ConditionLimits& l, const std::array<double, 21>& f) {
    l.outputFrequencyMax = f[0], l.outputFrequencyMin = f[1], l.outputFrequencyDefault = f[2];
    l.outputCurrentMax = f[3], l.outputCurrentMin = f[4], l.outputCurrentDefault = f[5];
    l.carrierFrequencyMax = f[6], l.carrierFrequencyMin = f[7], l.carrierFrequencyDefault = f[8];
    l.powerFactorMax = f[9], l.powerFactorMin = f[10], l.powerFactorDefault = f[11];
    l.modulationRateMax = f[12], l.modulationRateMin = f[13], l.modulationRateDefault = f[14];
    l.dcVoltageMax = f[15], l.dcVoltageMin = f[16], l.dcVoltageDefault = f[17];
    l.gateResistanceMax = f[18], l.gateResistanceMin = f[19], l.gateResistanceDefault = f[20];
}

ConditionLimits sampleLimits() {
    ConditionLimits l;
    l.series = "Z-Series";
    l.typeNumber = "6NZ100B-120";
    setInputLimits(l, {400,  0.1,  50, 100, 0.1, 70,  20,  1,    10,  1,  -1,
                       0.85, 1.15, 0,  1,   800, 100, 600, 27.2, 1.7, 6.8});
    return l;
}

HeatsinkModel sampleHeatsink() {
    HeatsinkModel heatsink;
    heatsink.caseFinFraction = kCaseFinFraction;
    heatsink.caseFinTimeConstant = kCaseFinTimeConstant;
    heatsink.rth = {0.012, 0.035, 0.06, 0.043};
    heatsink.tth = {2.0, 15.0, 60.0, 240.0};
    heatsink.ambientTemperature = 40.0;
    return heatsink;
}

OperatingCondition sampleCondition() {
    OperatingCondition condition;
    condition.series = "Z-Series";
    condition.typeNumber = "6NZ100B-120";
    condition.modulation = kModulationTwoArms;
    condition.outputFrequency = 50.0;
    condition.outputCurrentRms = 70.0;
    condition.carrierFrequency = 10.0;
    condition.powerFactor = 0.85;
    condition.modulationRate = 1.0;
    condition.dcVoltage = 600.0;
    condition.rgOn = 6.8;
    condition.rgOff = 6.8;
    condition.duration = 1.0;
    condition.frequencyStart = 50.0;
    condition.frequencyEnd = 50.0;
    return condition;
}

GivenConditionTexts samplePointTexts() {
    return {.outputFrequency = "50",
            .outputCurrent = "30",
            .carrierFrequency = "8",
            .powerFactor = "0.85",
            .modulationRate = "1",
            .dcVoltage = "300",
            .rgOn = std::nullopt,
            .rgOff = std::nullopt};
}

}  // namespace thermalyx::test
