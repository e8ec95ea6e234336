// The periodic temperature history of a repeating load cycle of up to 25 modes.
#pragma once

#include <vector>

#include "engine/operating_point.h"

namespace thermalyx {

inline constexpr int kMaxModes = 25;
inline constexpr int kCycleIntervals = 600;

// One mode j = 1..count; entry 0 of the array is not used.
struct ModeResult {
    double startTime = 0.0;
    double endTime = 0.0;
    int firstSample = 0;
    int lastSample = 0;
    double frequencyStart = 0.0;
    double frequencyEnd = 0.0;
    double igbtLoss = 0.0;
    double fwdLoss = 0.0;
    double igbtDeltaTjcStart = 0.0;
    double igbtDeltaTjcEnd = 0.0;
    double fwdDeltaTjcStart = 0.0;
    double fwdDeltaTjcEnd = 0.0;
    double igbtDeltaTjcSlope = 0.0;
    double igbtDeltaTjcIntercept = 0.0;
    double fwdDeltaTjcSlope = 0.0;
    double fwdDeltaTjcIntercept = 0.0;
    double igbtSaturationLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double fwdRecoveryLoss = 0.0;
};

// One grid point g = 0..600 of the cycle; entry 601 stays zero.
struct CycleSample {
    double time = 0.0;
    double pairLoss = 0.0;
    double heatsinkLoss = 0.0;
    double tc = 0.0;
    double deltaTcf = 0.0;
    double tf = 0.0;
    double deltaTfa = 0.0;
    double igbtTj = 0.0;
    double fwdTj = 0.0;
    double frequency = 0.0;
    double modeTime = 0.0;
    double igbtLoss = 0.0;
    double fwdLoss = 0.0;
};

struct LoadCycleResult {
    double tcMax = 0.0;
    double tcAve = 0.0;
    double tfMax = 0.0;
    double tfAve = 0.0;
    double ambientTemperature = 0.0;
    double igbtTjMax = 0.0;
    double fwdTjMax = 0.0;
    double igbtDeltaTjcMax = 0.0;
    double fwdDeltaTjcMax = 0.0;
    std::vector<CycleSample> samples;  // 602 entries
    std::vector<ModeResult> modes;     // count + 2 entries
    int modeCount = 0;
};

// Returns false and fills nothing for rows it can't compute.
bool simulateLoadCycle(const std::vector<LoadCycleMode>& rows, const ConditionLimits& limits,
                       const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                       LoadCycleResult& result, SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
