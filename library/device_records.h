// The per-device records of the product library.
#pragma once

#include <array>
#include <string>

namespace thermalyx {

// Fields that the searches compare.
struct DeviceSearchRecord {
    std::string series;
    std::string typeNumber;
    std::string acVoltage;
    std::string outputCurrent;
    std::string circuitComposition;
};

// Texts shown and printed for a device.
struct DeviceSpecRecord {
    std::string series;
    std::string typeNumber;
    std::string deviceImage;
    // VCES(V), IC(A), VCE(sat)(V), PC(W), Standard rg(ohm), Package, Update.
    std::array<std::string, 7> productInfo;
};

// Input limits and defaults, in the order of the limits file's keys.
struct ConditionLimits {
    std::string series;
    std::string typeNumber;
    double outputFrequencyMax = 0.0;
    double outputFrequencyMin = 0.0;
    double outputFrequencyDefault = 0.0;
    double outputCurrentMax = 0.0;
    double outputCurrentMin = 0.0;
    double outputCurrentDefault = 0.0;
    double carrierFrequencyMax = 0.0;
    double carrierFrequencyMin = 0.0;
    double carrierFrequencyDefault = 0.0;
    double powerFactorMax = 0.0;
    double powerFactorMin = 0.0;
    double powerFactorDefault = 0.0;
    double modulationRateMax = 0.0;
    double modulationRateMin = 0.0;
    double modulationRateDefault = 0.0;
    double dcVoltageMax = 0.0;
    double dcVoltageMin = 0.0;
    double dcVoltageDefault = 0.0;
    double gateResistanceMax = 0.0;
    double gateResistanceMin = 0.0;
    double gateResistanceDefault = 0.0;
};

constexpr int kLimitCount = 21;

// The 21 limit keys of the limits file, in file (and field) order.
extern const std::array<const char*, kLimitCount> kLimitKeys;

// The names of the 21 fields of ConditionLimits, in the same order
// ("outputFrequencyMax", ..., "gateResistanceDefault").
extern const std::array<const char*, kLimitCount> kLimitFieldNames;

// The field of ConditionLimits that holds limit number index (0-based, key order).
double& limitValue(ConditionLimits& limits, int index);
double limitValue(const ConditionLimits& limits, int index);

constexpr int kParamCount = 44;

// The 44 loss and thermal parameters of a device.
struct DeviceParamRecord {
    std::string series;
    std::string typeNumber;
    std::array<double, kParamCount> values{};
};

// One device of the index: its key and its four records.
struct DeviceIndexEntry {
    std::string series;
    std::string typeNumber;
    const DeviceSearchRecord* search = nullptr;
    const DeviceSpecRecord* spec = nullptr;
    const ConditionLimits* limits = nullptr;
    const DeviceParamRecord* params = nullptr;
};

}  // namespace thermalyx
