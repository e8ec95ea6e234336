// Losses and temperatures of one IGBT module at one inverter operating point.
#pragma once

#include <vector>

#include "engine/operating_inputs.h"
#include "engine/records.h"
#include "engine/solver_path.h"
#include "library/device_records.h"

namespace thermalyx {

// A run made for one load-cycle mode.
struct ModeRunResult {
    double fwdDeltaTjcMax = 0.0;
    double igbtDeltaTjcMax = 0.0;
    double fwdRecoveryLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtSaturationLoss = 0.0;
    double fwdDeltaTjcEnd = 0.0;
    double igbtDeltaTjcEnd = 0.0;
    double fwdDeltaTjcStart = 0.0;
    double igbtDeltaTjcStart = 0.0;
    double fwdLoss = 0.0;
    double igbtLoss = 0.0;
};

// The steady run. Returns false and fills nothing for inputs it can't compute.
bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             SteadyResult& result, SolverPath path = SolverPath::Fast);

// A load-cycle run at the row's start (useEndFrequency false) or end frequency.
bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             bool useEndFrequency, bool averageTj, ModeRunResult& result,
                             std::vector<PeriodSample>& waveform,
                             SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
