#include "analysis/lifetime_ripple.h"

#include <algorithm>
#include <cstddef>

#include "engine/operating_point.h"

namespace thermalyx {
namespace {

// The junction-to-case swing of both chips over one output period at frequency.
bool periodSwing(const LoadCycleMode& row, double frequency, const ConditionLimits& limits,
                 const DeviceParamRecord& params, const HeatsinkModel& heatsink, SolverPath path,
                 double& igbt, double& fwd) {
    OperatingCondition condition = row;
    condition.outputFrequency = frequency;
    SteadyResult run;
    if (!calculateOperatingPoint(condition, limits, params, heatsink, run, path)) return false;
    const TemperatureResult& t = run.temperature;
    igbt = std::max(igbt, t.igbtDeltaTjcMax - t.igbtDeltaTjcMin);
    fwd = std::max(fwd, t.fwdDeltaTjcMax - t.fwdDeltaTjcMin);
    return true;
}

}  // namespace

bool computeModeRipples(const std::vector<LoadCycleMode>& modes, const ConditionLimits& limits,
                        const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                        const LoadCycleResult& cycle, std::vector<ModeRipple>& out,
                        SolverPath path) {
    out.clear();
    std::vector<ModeRipple> ripples;
    for (int j = 1; j <= cycle.modeCount; ++j) {
        const auto index = static_cast<std::size_t>(j);
        if (index >= cycle.modes.size() || index > modes.size()) return false;
        const ModeResult& mode = cycle.modes[index];
        if (mode.firstSample > mode.lastSample) continue;
        const LoadCycleMode& row = modes[index - 1];

        // The frequencies the cycle ran the mode at (0 already taken as 0.1 Hz).
        const double start = mode.frequencyStart;
        const double end = mode.frequencyEnd;
        ModeRipple ripple;
        ripple.mode = j;
        if (!periodSwing(row, start, limits, params, heatsink, path, ripple.igbtRange,
                         ripple.fwdRange)) {
            return false;
        }
        if (end != start && !periodSwing(row, end, limits, params, heatsink, path, ripple.igbtRange,
                                         ripple.fwdRange)) {
            return false;
        }
        // One swing per output period, at the mode's mean frequency; the
        // junction heats during half a period.
        ripple.count = row.duration * (start + end) / 2.0;
        ripple.ton = 1.0 / (start + end);
        ripples.push_back(ripple);
    }
    out = std::move(ripples);
    return true;
}

}  // namespace thermalyx
