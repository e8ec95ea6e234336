#include "analysis/rainflow.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>

namespace thermalyx {
namespace {

// A reversal of the rearranged history; position counts grid points from the
// start of the first period, so positions past the last point lie in the next one.
struct Reversal {
    double value = 0.0;
    std::size_t position = 0;
};

class PeriodicHistory {
public:
    PeriodicHistory(const std::vector<double>& values, const std::vector<double>& times,
                    double period)
        : values_(values), times_(times), period_(period) {}

    std::size_t size() const { return values_.size(); }
    double value(std::size_t position) const { return values_[position % size()]; }
    double time(std::size_t position) const {
        return times_[position % size()] + static_cast<double>(position / size()) * period_;
    }

    // From a valley forward until the peak value is first reached, interpolating
    // between the last point below it and the first at or above it.
    double heatingTime(std::size_t valley, double peak) const {
        double before = value(valley);
        double beforeTime = time(valley);
        for (std::size_t p = valley + 1; p <= valley + size(); ++p) {
            const double v = value(p);
            const double t = time(p);
            if (v >= peak) {
                const double reached =
                    v == peak ? t : beforeTime + (peak - before) / (v - before) * (t - beforeTime);
                return reached - time(valley);
            }
            before = v;
            beforeTime = t;
        }
        return 0.0;  // not reached: the peak is not a value of the history
    }

private:
    const std::vector<double>& values_;
    const std::vector<double>& times_;
    double period_;
};

// The history from its first maximum to that maximum again, reduced to its
// reversals. A plateau is represented by its first point.
std::vector<Reversal> reversals(const PeriodicHistory& history, std::size_t start) {
    std::vector<Reversal> points;
    for (std::size_t p = start; p <= start + history.size(); ++p) {
        const double v = history.value(p);
        if (!points.empty() && v == points.back().value) continue;
        if (points.size() >= 2) {
            const double last = points.back().value;
            const bool wasRising = last > points[points.size() - 2].value;
            // Still moving the same way: the last point was no reversal.
            if (wasRising == (v > last)) {
                points.back() = {v, p};
                continue;
            }
        }
        points.push_back({v, p});
    }
    return points;
}

RainflowCycle closedCycle(const PeriodicHistory& history, const Reversal& a, const Reversal& b) {
    const Reversal& valley = a.value < b.value ? a : b;
    const Reversal& peak = a.value < b.value ? b : a;
    RainflowCycle cycle;
    cycle.tjMin = valley.value;
    cycle.tjMax = peak.value;
    cycle.range = peak.value - valley.value;
    cycle.tjMean = (cycle.tjMin + cycle.tjMax) / 2.0;
    cycle.ton = history.heatingTime(valley.position, peak.value);
    cycle.count = 1.0;
    return cycle;
}

}  // namespace

std::vector<RainflowCycle> countPeriodicCycles(const std::vector<double>& values,
                                               const std::vector<double>& times, double period) {
    if (values.empty() || values.size() != times.size()) return {};
    const PeriodicHistory history(values, times, period);
    const auto start =
        static_cast<std::size_t>(std::distance(values.begin(), std::ranges::max_element(values)));

    // Three-point rule: X the newest range, Y the one before; X >= Y closes Y.
    // Starting and ending at the maximum, the starting point needs no half cycle.
    std::vector<RainflowCycle> cycles;
    std::vector<Reversal> stack;
    for (const Reversal& point : reversals(history, start)) {
        stack.push_back(point);
        while (stack.size() >= 3) {
            const std::size_t n = stack.size();
            const double x = std::abs(stack[n - 1].value - stack[n - 2].value);
            const double y = std::abs(stack[n - 2].value - stack[n - 3].value);
            if (x < y) break;
            cycles.push_back(closedCycle(history, stack[n - 3], stack[n - 2]));
            stack.erase(stack.end() - 3, stack.end() - 1);
        }
    }
    return cycles;
}

}  // namespace thermalyx
