#include "analysis/lifetime_request.h"

#include <cmath>

#include "analysis/lifetime_ripple.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

bool positiveNumber(std::string_view text, double& value) {
    if (!isWholeNumber(text)) return false;
    value = readNumber(text);
    return std::isfinite(value) && value > 0.0;
}

std::string notPositive(std::string_view what, std::string_view text) {
    return std::string(what) + " must be a number above 0, not \"" + std::string(text) + "\".";
}

}  // namespace

std::string checkLifetimeTexts(const LifetimeTexts& texts, const DeviceSpecRecord& spec,
                               LifetimeOptions& options) {
    LifetimeOptions checked;
    checked.parameters.model = texts.model;
    checked.ripple = texts.ripple;
    LifetimeParameters& p = checked.parameters;

    const std::string current = texts.bondCurrent.value_or(std::string(kDefaultBondCurrentText));
    if (!positiveNumber(current, p.bondCurrent))
        return notPositive("The bond current (A)", current);
    if (texts.voltageClass) {
        if (!positiveNumber(*texts.voltageClass, p.voltageClass))
            return notPositive("The voltage class (V)", *texts.voltageClass);
    } else if (!positiveNumber(spec.productInfo[0], p.voltageClass)) {
        // Only the CIPS 2008 model reads the voltage class.
        if (texts.model == LifetimeModel::Cips2008) {
            return "The device's VCES \"" + spec.productInfo[0] +
                   "\" is not a voltage; give the voltage class (V).";
        }
        p.voltageClass = 0.0;
    }
    const std::string diameter = texts.bondDiameter.value_or(std::string(kDefaultBondDiameterText));
    if (!positiveNumber(diameter, p.bondDiameter))
        return notPositive("The bond-wire diameter (um)", diameter);

    const std::string minRange = texts.minRange.value_or(std::string(kDefaultMinRangeText));
    if (!isWholeNumber(minRange) || !std::isfinite(readNumber(minRange)) ||
        readNumber(minRange) < 0.0) {
        return "The smallest range counted (K) must be a number of 0 or more, not \"" + minRange +
               "\".";
    }
    checked.minRange = readNumber(minRange);
    options = checked;
    return {};
}

LifetimeOutcome runLifetimeRequest(const DeviceLibrary& library, const LoadCycleRequest& request,
                                   const LifetimeTexts& texts, SolverPath path) {
    LifetimeOutcome outcome;
    outcome.cycle = runLoadCycleRequest(library, request, path);
    const LoadCycleOutcome& cycle = outcome.cycle;
    if (!cycle.ok()) {
        outcome.stage = LifetimeStage::Cycle;
        outcome.message = cycle.message;
        return outcome;
    }
    const DeviceIndexEntry& device = *cycle.device;
    LifetimeOptions options;
    if (std::string message = checkLifetimeTexts(texts, *device.spec, options); !message.empty()) {
        outcome.stage = LifetimeStage::Parameters;
        outcome.message = std::move(message);
        return outcome;
    }
    std::vector<ModeRipple> ripple;
    if (options.ripple && !computeModeRipples(cycle.modes, *device.limits, *device.params,
                                              cycle.heatsink, cycle.result, ripple, path)) {
        outcome.stage = LifetimeStage::Ripple;
        outcome.message = std::string(kLimitExceededMessage);
        return outcome;
    }
    const bool averageTj = request.tjMode == 1;
    outcome.result = assessLifetime(cycle.result, ripple, averageTj, options);
    return outcome;
}

}  // namespace thermalyx
