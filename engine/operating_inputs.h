// Whether the engine can compute an operating point: how one output period is
// cut into computed carrier periods, and the check of every input it reads.
#pragma once

#include "engine/records.h"
#include "library/device_records.h"

namespace thermalyx {

// How one output period is cut into computed carrier periods.
struct PeriodDiscretisation {
    double carrierPeriods = 0.0;  // Nc, real carrier periods per output period
    int groupingFactor = 0;       // m, real carrier periods per computed one
    int steps = 0;                // N
};

// Nc, m and N for a carrier frequency (kHz) and an output frequency (Hz).
// False when they can't be formed: an input not finite, fo not above 0, a
// carrier below the output frequency, or an m beyond the int range.
bool discretisePeriod(double carrierFrequency, double outputFrequency, PeriodDiscretisation& out);

// True when the engine can compute a run at outputFrequency (the steady run's
// output frequency, or a load-cycle row's start or end frequency): every input
// it reads finite, a known modulation, a power factor within -1..1, positive
// default DC voltage and gate resistance, and a period that can be cut.
bool conditionComputable(const OperatingCondition& condition, double outputFrequency,
                         const ConditionLimits& limits, const DeviceParamRecord& params,
                         const HeatsinkModel& heatsink);

}  // namespace thermalyx
