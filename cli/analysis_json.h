// The answers of the analyses over the product line as the JSON the command
// line prints: numbers are the doubles themselves, texts as given.
#pragma once

#include <nlohmann/json.hpp>

#include "analysis/current_capability.h"
#include "analysis/device_ranking.h"

namespace thermalyx::cli {

// The operating texts given, by the options' names ("output-frequency", ...);
// those not given are absent.
nlohmann::json conditionTextsJson(const GivenConditionTexts& texts);

// {current, tjMax, limitedBy} or {current: null, tjMax: null, limitedBy: null, reason}.
nlohmann::json capabilityJson(const CurrentCapability& capability);

// One device of the ranking, as "rank" lists it.
nlohmann::json rankedDeviceJson(const RankedDevice& device);

// The documents "rank" and "capability" print; heatsink is the model the
// request computes with.
nlohmann::json rankingJson(const RankingRequest& request, const HeatsinkModel& heatsink,
                           const Ranking& ranking);
nlohmann::json capabilityCurvesJson(const SteadyRequest& point, const HeatsinkModel& heatsink,
                                    double tjLimit, const CapabilityAnswer& answer);

}  // namespace thermalyx::cli
