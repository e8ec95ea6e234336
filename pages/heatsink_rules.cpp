#include "pages/heatsink_rules.h"

#include <cmath>

#include "library/number_text.h"
#include "pages/input_rules.h"

namespace thermalyx {
namespace {

bool allFinite(const StageValues& values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// Rth(f-a), added from the fourth stage to the first.
double reverseStageSum(const StageValues& rth) {
    return rth[3] + rth[2] + rth[1] + rth[0];
}

}  // namespace

std::string computeHeatsinkEstimate(std::string_view capacity, std::string_view rthFactor,
                                    std::string_view tthFactor, HeatsinkEstimate& estimate) {
    for (std::string_view text : {capacity, rthFactor, tthFactor}) {
        if (!isPositiveNumberText(text)) return std::string(kLimitExceededMessage);
    }
    const double p = numberTextValue(capacity);
    const double kR = numberTextValue(rthFactor);
    const double kT = numberTextValue(tthFactor);
    if (!(kR <= 1.0) || !(kT <= 1.0)) return std::string(kLimitExceededMessage);

    HeatsinkEstimate result;
    const double s = std::pow(p, kEstimateCapacityExponent) * kR;
    StageValues shown{};
    // A capacity close enough to 0 gives a resistance beyond any double.
    if (!std::isfinite(s)) return std::string(kLimitExceededMessage);
    for (int k = 0; k < kHeatsinkStages; ++k) {
        result.rth[k] = s * kEstimateRthShare[k];
        result.tth[k] = kT * kEstimateTthBase[k];
        result.rthTexts[k] = formatFixed(result.rth[k], 4);
        result.tthTexts[k] = formatFixed(result.tth[k], 4);
        // Rth(f-a) is the sum of what the user sees, not of the unrounded values.
        shown[k] = numberTextValue(result.rthTexts[k]);
    }
    result.rthSumText = formatFixed(reverseStageSum(shown), 4);
    estimate = std::move(result);
    return {};
}

TransientFieldState evaluateTransientFields(const StageTexts& rthTexts,
                                            const StageTexts& tthTexts) {
    TransientFieldState state;
    for (int k = 0; k < kHeatsinkStages; ++k) {
        state.rth[k] = numberTextValue(rthTexts[k]);
        state.tth[k] = numberTextValue(tthTexts[k]);
    }
    const std::array<const std::string*, 2 * kHeatsinkStages> order = {
        &rthTexts[0], &rthTexts[1], &rthTexts[2], &rthTexts[3],
        &tthTexts[0], &tthTexts[1], &tthTexts[2], &tthTexts[3]};
    for (const std::string* text : order) {
        if (!isPositiveNumberText(*text)) break;
        ++state.passingCount;
    }
    state.allValid = state.passingCount == 2 * kHeatsinkStages;
    if (state.passingCount >= kHeatsinkStages) {
        state.rthSumText = formatFixed(reverseStageSum(state.rth), 4);
    }
    return state;
}

HeatsinkModel buildHeatsinkModel(const StageValues& heatsinkRth, const StageValues& heatsinkTth,
                                 std::string_view ambientText) {
    HeatsinkModel model;
    model.caseFinFraction = kCaseFinFraction;
    model.caseFinTimeConstant = kCaseFinTimeConstant;
    model.rth = heatsinkRth;
    model.tth = heatsinkTth;
    model.ambientTemperature = numberTextValue(ambientText);
    return model;
}

std::string checkHeatsinkTexts(const StageTexts& rthTexts, const StageTexts& tthTexts,
                               StageValues& rth, StageValues& tth) {
    const TransientFieldState state = evaluateTransientFields(rthTexts, tthTexts);
    // "1e999" passes as a positive number but is no network the engine can use.
    if (!state.allValid || !allFinite(state.rth) || !allFinite(state.tth)) {
        return std::string(kLimitExceededMessage);
    }
    rth = state.rth;
    tth = state.tth;
    return {};
}

std::string checkHeatsinkModel(const HeatsinkModel& model) {
    if (!allFinite(model.rth) || !allFinite(model.tth) ||
        !std::isfinite(model.ambientTemperature)) {
        return std::string(kLimitExceededMessage);
    }
    return {};
}

}  // namespace thermalyx
