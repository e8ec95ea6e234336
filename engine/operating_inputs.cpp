#include "engine/operating_inputs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "engine/engine_constants.h"
#include "engine/records.h"

namespace thermalyx {

namespace {

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

bool discretisePeriod(double carrierFrequency, double outputFrequency, PeriodDiscretisation& out) {
    if (!std::isfinite(carrierFrequency) || !std::isfinite(outputFrequency) ||
        !(outputFrequency > 0.0)) {
        return false;
    }
    const double carrierPeriods = carrierFrequency * 1000 / outputFrequency;
    // Fewer than one carrier period per output period leaves no step.
    if (!std::isfinite(carrierPeriods) || !(carrierFrequency * 1000 >= outputFrequency)) {
        return false;
    }
    // The period 1/fo and its step times must be finite too.
    if (!std::isfinite(1.0 / outputFrequency)) {
        return false;
    }
    const double grouping = carrierPeriods * engine::kOneOverThreeHundred;
    if (!(grouping < static_cast<double>(std::numeric_limits<int>::max()))) {
        return false;
    }
    int m = static_cast<int>(grouping);
    if (m < 1) {
        m = 1;
    }
    const int steps = static_cast<int>(carrierPeriods / m);
    if (steps < 1) {
        return false;
    }
    out.carrierPeriods = carrierPeriods;
    out.groupingFactor = m;
    out.steps = steps;
    return true;
}

bool conditionComputable(const OperatingCondition& condition, double outputFrequency,
                         const ConditionLimits& limits, const DeviceParamRecord& params,
                         const HeatsinkModel& heatsink) {
    const double inputs[] = {outputFrequency,
                             condition.outputCurrentRms,
                             condition.carrierFrequency,
                             condition.powerFactor,
                             condition.modulationRate,
                             condition.dcVoltage,
                             condition.rgOn,
                             condition.rgOff,
                             limits.dcVoltageDefault,
                             limits.gateResistanceDefault,
                             heatsink.ambientTemperature};
    if (!allFinite(inputs)) {
        return false;
    }
    // values[0] has no meaning for the engine and no effect on any result.
    if (!allFinite(std::span<const double>(params.values).subspan(1)) ||
        !allFinite(heatsink.caseFinFraction) || !allFinite(heatsink.caseFinTimeConstant) ||
        !allFinite(heatsink.rth) || !allFinite(heatsink.tth)) {
        return false;
    }
    if (condition.modulation != kModulationTwoArms &&
        condition.modulation != kModulationThreeArms) {
        return false;
    }
    if (!(condition.powerFactor >= -1.0 && condition.powerFactor <= 1.0)) {
        return false;
    }
    if (!(limits.dcVoltageDefault > 0.0) || !(limits.gateResistanceDefault > 0.0)) {
        return false;
    }
    PeriodDiscretisation period;
    return discretisePeriod(condition.carrierFrequency, outputFrequency, period);
}

}  // namespace thermalyx
