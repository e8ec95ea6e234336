#include "library/device_records.h"

namespace thermalyx {
namespace {

// The fields of ConditionLimits in the order of the limits file's keys.
constexpr std::array<double ConditionLimits::*, kLimitCount> kLimitFields = {
    &ConditionLimits::outputFrequencyMax,
    &ConditionLimits::outputFrequencyMin,
    &ConditionLimits::outputFrequencyDefault,
    &ConditionLimits::outputCurrentMax,
    &ConditionLimits::outputCurrentMin,
    &ConditionLimits::outputCurrentDefault,
    &ConditionLimits::carrierFrequencyMax,
    &ConditionLimits::carrierFrequencyMin,
    &ConditionLimits::carrierFrequencyDefault,
    &ConditionLimits::powerFactorMax,
    &ConditionLimits::powerFactorMin,
    &ConditionLimits::powerFactorDefault,
    &ConditionLimits::modulationRateMax,
    &ConditionLimits::modulationRateMin,
    &ConditionLimits::modulationRateDefault,
    &ConditionLimits::dcVoltageMax,
    &ConditionLimits::dcVoltageMin,
    &ConditionLimits::dcVoltageDefault,
    &ConditionLimits::gateResistanceMax,
    &ConditionLimits::gateResistanceMin,
    &ConditionLimits::gateResistanceDefault,
};

}  // namespace

const std::array<const char*, kLimitCount> kLimitKeys = {
    "Output frequency max",
    "Output frequency min",
    "Output frequency default",
    "Output current max",
    "Output current min",
    "Output current default",
    "Carrier frequency max",
    "Carrier frequency min",
    "Carrier frequency default",
    "Power factor max",
    "Power factor min",
    "Power factor default",
    "Control factor max",
    "Control factor min",
    "Control factor default",
    "DCMV max",
    "DCMV min",
    "DCMV default",
    "Gate resistance max",
    "Gate resistance min",
    "Gate resistance default",
};

const std::array<const char*, kLimitCount> kLimitFieldNames = {
    "outputFrequencyMax",  "outputFrequencyMin",  "outputFrequencyDefault",
    "outputCurrentMax",    "outputCurrentMin",    "outputCurrentDefault",
    "carrierFrequencyMax", "carrierFrequencyMin", "carrierFrequencyDefault",
    "powerFactorMax",      "powerFactorMin",      "powerFactorDefault",
    "modulationRateMax",   "modulationRateMin",   "modulationRateDefault",
    "dcVoltageMax",        "dcVoltageMin",        "dcVoltageDefault",
    "gateResistanceMax",   "gateResistanceMin",   "gateResistanceDefault",
};

// An index outside 0..20 is a programming error: at() throws.
double& limitValue(ConditionLimits& limits, int index) {
    return limits.*kLimitFields.at(static_cast<std::size_t>(index));
}

double limitValue(const ConditionLimits& limits, int index) {
    return limits.*kLimitFields.at(static_cast<std::size_t>(index));
}

}  // namespace thermalyx
