// A device's loss characteristics at the user's DC link voltage and gate
// resistances, and the stages of the four thermal networks.
#pragma once

#include <array>
#include <span>

#include "engine/records.h"
#include "library/device_records.h"

namespace thermalyx {

// One first-order stage of a Foster network.
struct FosterStage {
    double resistance = 0.0;    // K/W
    double timeConstant = 0.0;  // s
};

using FosterNetwork = std::array<FosterStage, 4>;

// Derived once per engine run from the device's parameters, its reference
// conditions and the operating inputs; read-only afterwards.
struct DeviceCharacteristics {
    DeviceCharacteristics(const DeviceParamRecord& params, const ConditionLimits& limits,
                          double dcVoltage, double rgOn, double rgOff,
                          const HeatsinkModel& heatsink);

    // Conduction voltages, V, for a current i in A (never negative).
    double igbtSaturationVoltage(double i) const;
    double fwdForwardVoltage(double i) const;

    // Energies per switching event, J, at the operating voltage and gate resistances.
    double turnOnEnergy(double i) const;
    double turnOffEnergy(double i) const;
    double recoveryEnergy(double i) const;

    std::array<double, 44> values{};
    double voltageRatio = 0.0;
    double onRatio = 0.0;
    double offRatio = 0.0;
    double turnOnFactor = 0.0;
    double turnOffFactor = 0.0;
    double recoveryFactor = 0.0;

    FosterNetwork igbtJunctionCase{};
    FosterNetwork fwdJunctionCase{};
    FosterNetwork caseFin{};
    FosterNetwork finAmbient{};

private:
    std::span<const double> coefficients(int first, int count) const;
};

}  // namespace thermalyx
