// Rainflow counting of a periodic junction temperature history.
//
// The history is rearranged to start and end at its maximum, so every loop
// closes: the count holds full cycles only.
#pragma once

#include <vector>

namespace thermalyx {

// One closed loop of the history.
struct RainflowCycle {
    double range = 0.0;   // K
    double tjMin = 0.0;   // deg C
    double tjMax = 0.0;   // deg C
    double tjMean = 0.0;  // (tjMin + tjMax) / 2, deg C
    double ton = 0.0;     // s, from the valley until the peak value is first reached
    double count = 1.0;
};

// The cycles of one period of a history: values[i] at times[i] (rising, within
// [0, period)), after the last point comes the first again at period. Cycles
// come in the order the three-point rule closes them. Empty for an empty or flat
// history, or when the two lists differ in length.
std::vector<RainflowCycle> countPeriodicCycles(const std::vector<double>& values,
                                               const std::vector<double>& times, double period);

}  // namespace thermalyx
