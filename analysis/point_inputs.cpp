#include "analysis/point_inputs.h"

#include <array>
#include <type_traits>

#include "library/number_text.h"
#include "pages/heatsink_rules.h"
#include "pages/input_rules.h"

namespace thermalyx {

std::string_view limitedByText(LimitedBy part) {
    constexpr std::array<std::string_view, 3> kTexts = {"igbt", "fwd", "currentLimit"};
    return kTexts.at(static_cast<std::size_t>(part));
}

LimitedBy hotterPart(const TemperatureResult& t) {
    return t.fwdTjMax > t.igbtTjMax ? LimitedBy::Fwd : LimitedBy::Igbt;
}

double hotterJunction(const TemperatureResult& t) {
    return hotterPart(t) == LimitedBy::Fwd ? t.fwdTjMax : t.igbtTjMax;
}

namespace {

std::string checkHeatsinkSource(const HeatsinkSource& source) {
    return std::visit(
        [](const auto& s) -> std::string {
            using Source = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<Source, NetworkTexts>) {
                StageValues rth{}, tth{};
                return checkHeatsinkTexts(s.rth, s.tth, rth, tth);
            } else if constexpr (std::is_same_v<Source, CapacityEstimate>) {
                HeatsinkEstimate estimate;
                return computeHeatsinkEstimate(s.capacity, s.rthFactor, s.tthFactor, estimate);
            } else {
                // The page's network is judged after the operating inputs, per device.
                return {};
            }
        },
        source);
}

}  // namespace

std::string checkSharedInputs(const SteadyRequest& point) {
    if (std::string message = checkHeatsinkSource(point.heatsink); !message.empty()) return message;
    if (std::string message = checkAmbientText(point.ambientText); !message.empty()) return message;
    if (point.modulation != kModulationTwoArms && point.modulation != kModulationThreeArms)
        return "Choose 2 arms or 3 arms.";
    for (const std::optional<std::string>* text : conditionFields(point.texts)) {
        if (*text && !isNumberText(**text)) return std::string(kLimitExceededMessage);
    }
    return {};
}

HeatsinkModel sharedHeatsinkModel(const SteadyRequest& point) {
    StageValues rth{}, tth{};
    std::visit(
        [&](const auto& s) {
            using Source = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<Source, NetworkTexts>) {
                checkHeatsinkTexts(s.rth, s.tth, rth, tth);
            } else if constexpr (std::is_same_v<Source, CapacityEstimate>) {
                // The engine takes the unrounded estimate.
                HeatsinkEstimate estimate;
                computeHeatsinkEstimate(s.capacity, s.rthFactor, s.tthFactor, estimate);
                rth = estimate.rth;
                tth = estimate.tth;
            } else {
                rth = s.rth;
                tth = s.tth;
            }
        },
        point.heatsink);
    return buildHeatsinkModel(rth, tth, point.ambientText);
}

std::optional<double> productNumber(std::string_view text) {
    if (!isWholeNumber(text)) return std::nullopt;
    return readNumber(text);
}

}  // namespace thermalyx
