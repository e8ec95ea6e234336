// Power-cycling lifetime of a load cycle: the junction temperature cycles of
// the IGBT and the FWD, their cycles to failure by a lifetime model, and the
// damage they sum to by Miner's rule.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/lifetime_model.h"
#include "engine/records.h"

namespace thermalyx {

enum class CycleSource {
    Cycle,   // counted in the cycle's temperature history
    Ripple,  // the swing within each output period of a mode
};

// "cycle" or "ripple".
std::string_view cycleSourceName(CycleSource source);

struct LifetimeCycle {
    CycleSource source = CycleSource::Cycle;
    int mode = 0;        // ripple cycles: the mode, 1..count
    double range = 0.0;  // K
    double tjMin = 0.0;  // deg C
    double tjMax = 0.0;
    double tjMean = 0.0;
    double ton = 0.0;                       // s, as counted
    double count = 0.0;                     // per load cycle
    std::optional<double> cyclesToFailure;  // empty: unbounded
    double damage = 0.0;
    bool tonLimited = false;  // the model took ton held within its range
};

// What a cycle's note says; empty when there is nothing to say.
std::string lifetimeCycleNote(const LifetimeCycle& cycle);

struct LifetimeSignal {
    std::vector<LifetimeCycle> cycles;  // counted ones in counting order, then ripple by mode
    double damagePerLoadCycle = 0.0;
    std::optional<double> loadCyclesToFailure;  // empty when there is no damage
    std::optional<double> hoursToFailure;
};

struct LifetimeOptions {
    LifetimeParameters parameters;
    bool ripple = false;
    double minRange = 0.0;  // counted cycles of a smaller range are dropped, K
};

// The junction swing of one mode within its output period, for both chips.
struct ModeRipple {
    int mode = 0;
    double igbtRange = 0.0;  // K
    double fwdRange = 0.0;
    double count = 0.0;  // output periods per load cycle
    double ton = 0.0;    // s, half a mean output period
};

struct LifetimeResult {
    LifetimeOptions options;
    double cycleTime = 0.0;  // s
    std::vector<std::string> warnings;
    LifetimeSignal igbt;
    LifetimeSignal fwd;
};

// The lifetime of a simulated cycle. ripple holds the modes' swings (used when
// options.ripple is set; a mode without grid points has none); averageTj tells
// that the cycle's junction curves hold period means.
LifetimeResult assessLifetime(const LoadCycleResult& cycle, const std::vector<ModeRipple>& ripple,
                              bool averageTj, const LifetimeOptions& options);

// Miner's rule over a signal's cycles: damage, load cycles and hours to failure.
void sumDamage(LifetimeSignal& signal, double cycleTime);

}  // namespace thermalyx
