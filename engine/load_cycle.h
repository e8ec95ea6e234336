// The periodic temperature history of a repeating load cycle of up to 25 modes.
#pragma once

#include <vector>

#include "engine/records.h"
#include "engine/solver_path.h"
#include "library/device_records.h"

namespace thermalyx {

// Returns false and fills nothing for rows it can't compute.
bool simulateLoadCycle(const std::vector<LoadCycleMode>& rows, const ConditionLimits& limits,
                       const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                       LoadCycleResult& result, SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
