// The junction swing within each output period of a load cycle's modes.
//
// At low output frequencies the junction follows the current's half waves:
// each mode's row is run as a steady operating point at its start and its end
// frequency, and the larger swing of the junction-to-case rise is the mode's.
#pragma once

#include <vector>

#include "analysis/lifetime.h"
#include "engine/records.h"
#include "engine/solver_path.h"
#include "library/device_records.h"

namespace thermalyx {

// One entry per mode that owns a grid point of the cycle, in mode order. False
// when the engine refuses a run (out is left empty then).
bool computeModeRipples(const std::vector<LoadCycleMode>& modes, const ConditionLimits& limits,
                        const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                        const LoadCycleResult& cycle, std::vector<ModeRipple>& out,
                        SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
