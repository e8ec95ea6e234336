#include "cli/analysis_json.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "analysis/sweep.h"
#include "cli/cli_common.h"
#include "cli/record_json.h"
#include "pages/input_rules.h"

namespace thermalyx::cli {
namespace {

nlohmann::json optionalNumberJson(const std::optional<double>& value) {
    return value ? numberJson(*value) : nlohmann::json(nullptr);
}

// What rank and capability print of the shared operating point.
nlohmann::json pointJson(const SteadyRequest& point, const HeatsinkModel& heatsink,
                         double tjLimit) {
    return {{"conditionTexts", conditionTextsJson(point.texts)},
            {"modulation", point.modulation},
            {"dcLock", point.dcLock},
            {"heatsink", heatsinkJson(heatsink)},
            {"tjLimit", numberJson(tjLimit)}};
}

}  // namespace

nlohmann::json conditionTextsJson(const GivenConditionTexts& t) {
    const auto texts = conditionFields(t);
    nlohmann::json json = nlohmann::json::object();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (*texts[i]) json[std::string(sweepInputName(kSweepInputs[i]))] = **texts[i];
    }
    return json;
}

nlohmann::json capabilityJson(const CurrentCapability& c) {
    if (!c.current) {
        return {
            {"current", nullptr}, {"tjMax", nullptr}, {"limitedBy", nullptr}, {"reason", c.reason}};
    }
    return {{"current", numberJson(*c.current)},
            {"tjMax", numberJson(c.tjMax)},
            {"limitedBy", limitedByText(c.limitedBy)}};
}

nlohmann::json rankedDeviceJson(const RankedDevice& d) {
    nlohmann::json json = {
        {"series", d.series}, {"typeNumber", d.typeNumber}, {"status", d.ok ? "ok" : "rejected"}};
    if (!d.ok) json["message"] = d.message;
    json["ratedCurrent"] = optionalNumberJson(d.ratedCurrent);
    json["ratedVoltage"] = optionalNumberJson(d.ratedVoltage);
    if (!d.ok) return json;
    json["loss"] = lossJson(d.loss);
    json["temperature"] = temperatureJson(d.temperature);
    json["totalLoss"] = numberJson(d.totalLoss);
    json["tjMax"] = numberJson(d.tjMax);
    json["margin"] = numberJson(d.margin);
    json["limitedBy"] = limitedByText(d.limitedBy);
    if (d.maxCurrent) json["maxCurrent"] = capabilityJson(*d.maxCurrent);
    return json;
}

nlohmann::json rankingJson(const RankingRequest& request, const HeatsinkModel& heatsink,
                           const Ranking& ranking) {
    nlohmann::json json = pointJson(request.point, heatsink, request.tjLimit);
    json["sort"] = rankingOrderText(request.order);
    nlohmann::json devices = nlohmann::json::array();
    for (const RankedDevice& d : ranking.devices) devices.push_back(rankedDeviceJson(d));
    json["devices"] = std::move(devices);
    return json;
}

nlohmann::json capabilityCurvesJson(const SteadyRequest& point, const HeatsinkModel& heatsink,
                                    double tjLimit, const CapabilityAnswer& answer) {
    nlohmann::json json = pointJson(point, heatsink, tjLimit);
    nlohmann::json devices = nlohmann::json::array();
    for (const CapabilityCurve& curve : answer.curves) {
        nlohmann::json points = nlohmann::json::array();
        for (const CapabilityPoint& p : curve.points) {
            nlohmann::json entry = {{"carrierFrequency", p.carrierFrequency}};
            entry.update(capabilityJson(p.capability));
            points.push_back(std::move(entry));
        }
        devices.push_back(
            {{"series", curve.series}, {"typeNumber", curve.typeNumber}, {"points", points}});
    }
    json["devices"] = std::move(devices);
    return json;
}

}  // namespace thermalyx::cli
