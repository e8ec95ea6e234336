#include "engine/device_characteristics.h"

#include "engine/engine_constants.h"
#include "library/polynomial.h"

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
    turnOnFactor = gateQuadratic(coefficients(25, 3), onRatio);
    turnOffFactor = gateQuadratic(coefficients(28, 3), offRatio);
    // The diode recovers when the opposite IGBT turns on: the turn-on resistance rules it.
    recoveryFactor = gateQuadratic(coefficients(31, 3), onRatio);

    for (int k = 0; k < 4; ++k) {
        igbtJunctionCase[k] = {values[15] * values[17 + k], engine::kJunctionCaseTimeConstant[k]};
        fwdJunctionCase[k] = {values[16] * values[21 + k], engine::kJunctionCaseTimeConstant[k]};
        caseFin[k] = {20.0 * values[43] * heatsink.caseFinFraction[k],
                      heatsink.caseFinTimeConstant[k]};
        finAmbient[k] = {heatsink.rth[k], heatsink.tth[k]};
    }
}

std::span<const double> DeviceCharacteristics::coefficients(int first, int count) const {
    return std::span<const double>(values).subspan(first, count);
}

double DeviceCharacteristics::igbtSaturationVoltage(double i) const {
    return ascendingPolynomial(coefficients(1, 7), i);
}

double DeviceCharacteristics::fwdForwardVoltage(double i) const {
    return ascendingPolynomial(coefficients(8, 7), i);
}

double DeviceCharacteristics::turnOnEnergy(double i) const {
    return cubicThroughZero(coefficients(34, 3), i) * turnOnFactor * voltageRatio;
}

double DeviceCharacteristics::turnOffEnergy(double i) const {
    return cubicThroughZero(coefficients(37, 3), i) * turnOffFactor * voltageRatio;
}

double DeviceCharacteristics::recoveryEnergy(double i) const {
    return cubicThroughZero(coefficients(40, 3), i) * recoveryFactor * voltageRatio;
}

}  // namespace thermalyx
