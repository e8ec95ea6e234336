#include "analysis/current_capability.h"

#include <algorithm>
#include <cmath>

#include "library/number_text.h"
#include "pages/input_rules.h"

namespace thermalyx {
namespace {

// Candidates stay where k / 10 is an exact step of the double grid.
constexpr double kLargestStep = 1e15;

std::string currentText(long long k) {
    return formatFixed(static_cast<double>(k) / 10.0, 1);
}

double currentValue(long long k) {
    return numberTextValue(currentText(k));
}

// The first and last k whose texts read within min..max; lo > hi when none.
void candidateRange(const ConditionLimits& limits, long long& lo, long long& hi) {
    const double min = limits.outputCurrentMin;
    const double max = limits.outputCurrentMax;
    if (!(min <= max) || !std::isfinite(min) || !std::isfinite(max)) {
        lo = 1;
        hi = 0;
        return;
    }
    lo = static_cast<long long>(std::clamp(std::ceil(min * 10.0), -kLargestStep, kLargestStep));
    hi = static_cast<long long>(std::clamp(std::floor(max * 10.0), -kLargestStep, kLargestStep));
    // The texts are rounded, so the ends are settled on the values they read.
    while (currentValue(lo - 1) >= min && lo - 1 >= -kLargestStep) --lo;
    while (currentValue(lo) < min && lo <= hi) ++lo;
    while (currentValue(hi + 1) <= max && hi + 1 <= kLargestStep) ++hi;
    while (currentValue(hi) > max && hi >= lo) --hi;
}

struct Run {
    bool ok = false;
    std::string message;
    double tjMax = 0.0;
    LimitedBy hotter = LimitedBy::Igbt;
};

Run runAt(const DeviceLibrary& library, SteadyRequest request, long long k) {
    request.texts.outputCurrent = currentText(k);
    const SteadyOutcome outcome = runSteadyRequest(library, request);
    Run run;
    run.ok = outcome.ok();
    run.message = outcome.message;
    if (run.ok) {
        run.tjMax = hotterJunction(outcome.result.temperature);
        run.hotter = hotterPart(outcome.result.temperature);
    }
    return run;
}

// A run the engine refused counts as over the limit; NaN is never within it.
bool within(const Run& run, double tjLimit) {
    return run.ok && run.tjMax <= tjLimit;
}

CurrentCapability answer(long long k, const Run& run, LimitedBy limitedBy) {
    CurrentCapability c;
    c.currentText = currentText(k);
    c.current = numberTextValue(c.currentText);
    c.tjMax = run.tjMax;
    c.limitedBy = limitedBy;
    return c;
}

CurrentCapability none(std::string reason) {
    CurrentCapability c;
    c.reason = std::move(reason);
    return c;
}

}  // namespace

CurrentCapability findMaxCurrent(const DeviceLibrary& library, const DeviceIndexEntry& device,
                                 const SteadyRequest& point, double tjLimit) {
    SteadyRequest request = point;
    request.series = device.series;
    request.typeNumber = device.typeNumber;

    long long lo = 0, hi = 0;
    candidateRange(*device.limits, lo, hi);
    if (lo > hi) return none(std::string(kLimitExceededMessage));

    const Run first = runAt(library, request, lo);
    if (!first.ok) {
        return none(first.message.empty() ? std::string(kLimitExceededMessage) : first.message);
    }
    if (!within(first, tjLimit)) {
        return none("Tj max is over the limit already at the smallest output current, " +
                    currentText(lo) + " A.");
    }
    if (lo == hi) return answer(lo, first, LimitedBy::CurrentLimit);
    Run high = runAt(library, request, hi);
    if (within(high, tjLimit)) return answer(hi, high, LimitedBy::CurrentLimit);

    Run low = first;
    while (hi - lo > 1) {
        const long long mid = lo + (hi - lo) / 2;
        Run run = runAt(library, request, mid);
        if (within(run, tjLimit)) {
            lo = mid;
            low = std::move(run);
        } else {
            hi = mid;
            high = std::move(run);
        }
    }
    return answer(lo, low, high.hotter);
}

std::optional<CapabilityAnswer> capabilityCurves(
    const DeviceLibrary& library, const std::vector<const DeviceIndexEntry*>& devices,
    const SteadyRequest& point, const std::vector<std::string>& carrierTexts, double tjLimit,
    const ParallelOptions& options) {
    CapabilityAnswer result;
    SteadyRequest shared = point;
    shared.texts.outputCurrent.reset();
    shared.texts.carrierFrequency.reset();
    result.message = checkSharedInputs(shared);
    if (!result.message.empty()) return result;
    for (const std::string& carrier : carrierTexts) {
        if (!isNumberText(carrier)) {
            result.message = std::string(kLimitExceededMessage);
            return result;
        }
    }

    result.curves.resize(devices.size());
    for (std::size_t d = 0; d < devices.size(); ++d) {
        result.curves[d].series = devices[d]->series;
        result.curves[d].typeNumber = devices[d]->typeNumber;
        result.curves[d].points.resize(carrierTexts.size());
    }
    const std::size_t columns = carrierTexts.size();
    const auto cell = [&](std::size_t index) {
        const std::size_t d = index / columns;
        const std::size_t c = index % columns;
        SteadyRequest request = shared;
        request.texts.carrierFrequency = carrierTexts[c];
        CapabilityPoint& slot = result.curves[d].points[c];
        slot.carrierFrequency = carrierTexts[c];
        slot.capability = findMaxCurrent(library, *devices[d], request, tjLimit);
    };
    if (!parallelFor(devices.size() * columns, cell, options)) return std::nullopt;
    return result;
}

}  // namespace thermalyx
