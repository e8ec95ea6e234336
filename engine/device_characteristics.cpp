#include "engine/device_characteristics.h"

#include <cmath>

#include "engine/engine_constants.h"

namespace thermalyx {

DeviceCharacteristics::DeviceCharacteristics(const DeviceParamRecord& params,
                                             const ConditionLimits& limits, double dcVoltage,
                                             double rgOn, double rgOff,
                                             const HeatsinkModel& heatsink)
    : values(params.values) {
    // The energies hold at the reference DC link voltage and gate resistance.
    voltageRatio = dcVoltage / limits.dcVoltageDefault;
    onRatio = rgOn / limits.gateResistanceDefault;
    offRatio = rgOff / limits.gateResistanceDefault;
    turnOnFactor = values[25] * (onRatio * onRatio) + values[26] * onRatio + values[27];
    turnOffFactor = values[28] * (offRatio * offRatio) + values[29] * offRatio + values[30];
    // The diode recovers when the opposite IGBT turns on: the turn-on resistance rules it.
    recoveryFactor = values[31] * (onRatio * onRatio) + values[32] * onRatio + values[33];

    for (int k = 0; k < 4; ++k) {
        igbtJunctionCase[k] = {values[15] * values[17 + k], engine::kJunctionCaseTimeConstant[k]};
        fwdJunctionCase[k] = {values[16] * values[21 + k], engine::kJunctionCaseTimeConstant[k]};
        caseFin[k] = {20.0 * values[43] * heatsink.caseFinFraction[k],
                      heatsink.caseFinTimeConstant[k]};
        finAmbient[k] = {heatsink.rth[k], heatsink.tth[k]};
    }
}

// i^c is i raised to the integer power c. i^0 is 1 for every i and i^1 is i
// itself, so those two terms need no call.
double DeviceCharacteristics::conductionPolynomial(int first, double i) const {
    double sum = 0.0;
    sum += values[first] * 1.0;
    sum += values[first + 1] * i;
    for (int c = 2; c <= 6; ++c) {
        sum += values[first + c] * std::pow(i, static_cast<double>(c));
    }
    return sum;
}

double DeviceCharacteristics::energyCubic(int first, double i, double square, double cube) const {
    return values[first] * cube + values[first + 1] * square + values[first + 2] * i;
}

double DeviceCharacteristics::igbtSaturationVoltage(double i) const {
    return conductionPolynomial(1, i);
}

double DeviceCharacteristics::fwdForwardVoltage(double i) const {
    return conductionPolynomial(8, i);
}

double DeviceCharacteristics::turnOnEnergy(double i) const {
    return energyCubic(34, i, std::pow(i, 2.0), std::pow(i, 3.0)) * turnOnFactor * voltageRatio;
}

double DeviceCharacteristics::turnOffEnergy(double i) const {
    return energyCubic(37, i, std::pow(i, 2.0), std::pow(i, 3.0)) * turnOffFactor * voltageRatio;
}

double DeviceCharacteristics::recoveryEnergy(double i) const {
    return energyCubic(40, i, std::pow(i, 2.0), std::pow(i, 3.0)) * recoveryFactor * voltageRatio;
}

void DeviceCharacteristics::turnOnAndRecoveryEnergy(double i, double& turnOn,
                                                    double& recovery) const {
    const double square = std::pow(i, 2.0);
    const double cube = std::pow(i, 3.0);
    turnOn = energyCubic(34, i, square, cube) * turnOnFactor * voltageRatio;
    recovery = energyCubic(40, i, square, cube) * recoveryFactor * voltageRatio;
}

}  // namespace thermalyx
