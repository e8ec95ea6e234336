#include "analysis/lifetime.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "analysis/rainflow.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

// The history's end repeats its start; more than this apart, it did not settle.
constexpr double kClosureTolerance = 0.01;  // K

enum class Chip { Igbt, Fwd };

std::string_view chipName(Chip chip) {
    return chip == Chip::Igbt ? "IGBT" : "FWD";
}

double junction(const CycleSample& s, Chip chip) {
    return chip == Chip::Igbt ? s.igbtTj : s.fwdTj;
}

double cycleTimeOf(const LoadCycleResult& cycle) {
    if (cycle.modeCount < 1 || static_cast<std::size_t>(cycle.modeCount) >= cycle.modes.size()) {
        return 0.0;
    }
    return cycle.modes[static_cast<std::size_t>(cycle.modeCount)].endTime;
}

bool ownsGridPoint(const ModeResult& mode) {
    return mode.firstSample <= mode.lastSample;
}

// The counted cycles of grid points 0..599; point 600 closes the period.
std::vector<LifetimeCycle> countedCycles(const LoadCycleResult& cycle, Chip chip, double cycleTime,
                                         double minRange, std::vector<std::string>& warnings) {
    if (cycle.samples.size() <= static_cast<std::size_t>(kCycleIntervals)) return {};
    std::vector<double> values(kCycleIntervals);
    std::vector<double> times(kCycleIntervals);
    for (std::size_t g = 0; g < values.size(); ++g) {
        values[g] = junction(cycle.samples[g], chip);
        times[g] = cycle.samples[g].time;
    }
    const double gap = junction(cycle.samples[kCycleIntervals], chip) - values.front();
    if (std::abs(gap) > kClosureTolerance) {
        warnings.push_back(std::string(chipName(chip)) +
                           ": the junction temperature at the end of the cycle differs from its "
                           "start by " +
                           formatFixed(gap, 4) + " K; the cycle has not settled");
    }
    std::vector<LifetimeCycle> cycles;
    for (const RainflowCycle& counted : countPeriodicCycles(values, times, cycleTime)) {
        if (counted.range < minRange) continue;
        LifetimeCycle c;
        c.source = CycleSource::Cycle;
        c.range = counted.range;
        c.tjMin = counted.tjMin;
        c.tjMax = counted.tjMax;
        c.tjMean = counted.tjMean;
        c.ton = counted.ton;
        c.count = counted.count;
        cycles.push_back(c);
    }
    return cycles;
}

// A mode's swing sits below its hottest grid point; with period means on the
// grid, the hottest point is the swing's middle.
LifetimeCycle rippleCycle(const LoadCycleResult& cycle, const ModeRipple& ripple, Chip chip,
                          bool averageTj) {
    const ModeResult& mode = cycle.modes[static_cast<std::size_t>(ripple.mode)];
    double hottest = junction(cycle.samples[static_cast<std::size_t>(mode.firstSample)], chip);
    for (int g = mode.firstSample; g <= mode.lastSample; ++g) {
        hottest = std::max(hottest, junction(cycle.samples[static_cast<std::size_t>(g)], chip));
    }
    const double range = chip == Chip::Igbt ? ripple.igbtRange : ripple.fwdRange;
    LifetimeCycle c;
    c.source = CycleSource::Ripple;
    c.mode = ripple.mode;
    c.range = range;
    c.tjMax = averageTj ? hottest + range / 2.0 : hottest;
    c.tjMin = c.tjMax - range;
    c.tjMean = (c.tjMin + c.tjMax) / 2.0;
    c.ton = ripple.ton;
    c.count = ripple.count;
    return c;
}

void rateCycles(LifetimeSignal& signal, const LifetimeParameters& parameters) {
    for (LifetimeCycle& c : signal.cycles) {
        c.cyclesToFailure = cyclesToFailure(parameters, {c.range, c.tjMin, c.tjMean, c.ton});
        c.damage = c.cyclesToFailure ? c.count / *c.cyclesToFailure : 0.0;
        c.tonLimited =
            parameters.model == LifetimeModel::Cips2008 && limitedHeatingTime(c.ton) != c.ton;
    }
}

// How many cycles lie outside the model's range, and their share of the damage.
void warnOutsideValidity(const LifetimeSignal& signal, Chip chip, LifetimeModel model,
                         std::vector<std::string>& warnings) {
    int outside = 0;
    double damage = 0.0;
    for (const LifetimeCycle& c : signal.cycles) {
        if (rangeWithinValidity(model, c.range)) continue;
        ++outside;
        damage += c.damage;
    }
    if (outside == 0) return;
    const double share =
        signal.damagePerLoadCycle > 0.0 ? 100.0 * damage / signal.damagePerLoadCycle : 0.0;
    warnings.push_back(std::string(chipName(chip)) + ": " + formatInt(outside) +
                       (outside == 1 ? " cycle lies" : " cycles lie") +
                       " outside the model's range of " + formatFixed(kCips2008.rangeMin, 0) +
                       " K to " + formatFixed(kCips2008.rangeMax, 0) + " K; " +
                       (outside == 1 ? "it carries " : "they carry ") + formatFixed(share, 1) +
                       " % of the damage");
}

LifetimeSignal assessSignal(const LoadCycleResult& cycle, const std::vector<ModeRipple>& ripple,
                            bool averageTj, const LifetimeOptions& options, double cycleTime,
                            Chip chip, std::vector<std::string>& closure,
                            std::vector<std::string>& validity) {
    LifetimeSignal signal;
    signal.cycles = countedCycles(cycle, chip, cycleTime, options.minRange, closure);
    if (options.ripple) {
        for (const ModeRipple& r : ripple) {
            if (r.mode < 1 || r.mode > cycle.modeCount ||
                static_cast<std::size_t>(r.mode) >= cycle.modes.size()) {
                continue;
            }
            if (!ownsGridPoint(cycle.modes[static_cast<std::size_t>(r.mode)])) continue;
            signal.cycles.push_back(rippleCycle(cycle, r, chip, averageTj));
        }
    }
    rateCycles(signal, options.parameters);
    sumDamage(signal, cycleTime);
    warnOutsideValidity(signal, chip, options.parameters.model, validity);
    return signal;
}

}  // namespace

std::string_view cycleSourceName(CycleSource source) {
    return source == CycleSource::Ripple ? "ripple" : "cycle";
}

std::string lifetimeCycleNote(const LifetimeCycle& cycle) {
    if (!cycle.tonLimited) return {};
    return "ton " + formatFixed(cycle.ton, 3) + " s taken as " +
           formatFixed(limitedHeatingTime(cycle.ton), 0) + " s, the model's limit";
}

void sumDamage(LifetimeSignal& signal, double cycleTime) {
    double damage = 0.0;
    for (const LifetimeCycle& c : signal.cycles) damage += c.damage;
    signal.damagePerLoadCycle = damage;
    signal.loadCyclesToFailure.reset();
    signal.hoursToFailure.reset();
    if (damage > 0.0) {
        signal.loadCyclesToFailure = 1.0 / damage;
        signal.hoursToFailure = cycleTime / (3600.0 * damage);
    }
}

LifetimeResult assessLifetime(const LoadCycleResult& cycle, const std::vector<ModeRipple>& ripple,
                              bool averageTj, const LifetimeOptions& options) {
    LifetimeResult result;
    result.options = options;
    result.cycleTime = cycleTimeOf(cycle);
    // Warnings in the order: the history's closure, the modes left out, validity.
    std::vector<std::string> validity;
    result.igbt = assessSignal(cycle, ripple, averageTj, options, result.cycleTime, Chip::Igbt,
                               result.warnings, validity);
    result.fwd = assessSignal(cycle, ripple, averageTj, options, result.cycleTime, Chip::Fwd,
                              result.warnings, validity);
    if (options.ripple) {
        for (int j = 1; j <= cycle.modeCount && static_cast<std::size_t>(j) < cycle.modes.size();
             ++j) {
            if (ownsGridPoint(cycle.modes[static_cast<std::size_t>(j)])) continue;
            result.warnings.push_back("mode " + formatInt(j) +
                                      " owns no grid point of the cycle; its ripple is left out");
        }
    }
    result.warnings.insert(result.warnings.end(), validity.begin(), validity.end());
    return result;
}

}  // namespace thermalyx
