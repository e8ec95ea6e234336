#include "cli/record_json.h"

#include <array>

#include "cli/cli_common.h"
#include "results/record_csv.h"

namespace thermalyx::cli {
namespace {

// A record as an object of its fields, named as in its comma-separated table.
template <typename Record, std::size_t N>
nlohmann::json fieldsJson(const std::array<RecordField<Record>, N>& fields, const Record& record) {
    nlohmann::json json = nlohmann::json::object();
    for (const RecordField<Record>& f : fields)
        json[std::string(f.name)] = numberJson(record.*(f.member));
    return json;
}

// A list of records, each as the object of its fields.
template <typename Record, std::size_t N>
nlohmann::json recordsJson(const std::array<RecordField<Record>, N>& fields,
                           const std::vector<Record>& records) {
    nlohmann::json list = nlohmann::json::array();
    for (const Record& record : records) list.push_back(fieldsJson(fields, record));
    return list;
}

nlohmann::json stagesJson(const std::array<double, 4>& values) {
    nlohmann::json list = nlohmann::json::array();
    for (double v : values) list.push_back(numberJson(v));
    return list;
}

nlohmann::json conditionJson(const OperatingCondition& c) {
    nlohmann::json json = fieldsJson(kConditionInputFields, c);
    json["series"] = c.series;
    json["typeNumber"] = c.typeNumber;
    json["modulation"] = c.modulation;
    json["dcLock"] = c.dcLock;
    return json;
}

nlohmann::json modeJson(const LoadCycleMode& m) {
    nlohmann::json json = conditionJson(m);
    json["duration"] = numberJson(m.duration);
    json["frequencyStart"] = numberJson(m.frequencyStart);
    json["frequencyEnd"] = numberJson(m.frequencyEnd);
    json["tjMode"] = m.tjMode;
    return json;
}

nlohmann::json modeResultJson(const ModeResult& m) {
    return {{"startTime", numberJson(m.startTime)},
            {"endTime", numberJson(m.endTime)},
            {"firstSample", m.firstSample},
            {"lastSample", m.lastSample},
            {"frequencyStart", numberJson(m.frequencyStart)},
            {"frequencyEnd", numberJson(m.frequencyEnd)},
            {"igbtLoss", numberJson(m.igbtLoss)},
            {"fwdLoss", numberJson(m.fwdLoss)},
            {"igbtDeltaTjcStart", numberJson(m.igbtDeltaTjcStart)},
            {"igbtDeltaTjcEnd", numberJson(m.igbtDeltaTjcEnd)},
            {"fwdDeltaTjcStart", numberJson(m.fwdDeltaTjcStart)},
            {"fwdDeltaTjcEnd", numberJson(m.fwdDeltaTjcEnd)},
            {"igbtDeltaTjcSlope", numberJson(m.igbtDeltaTjcSlope)},
            {"igbtDeltaTjcIntercept", numberJson(m.igbtDeltaTjcIntercept)},
            {"fwdDeltaTjcSlope", numberJson(m.fwdDeltaTjcSlope)},
            {"fwdDeltaTjcIntercept", numberJson(m.fwdDeltaTjcIntercept)},
            {"igbtSaturationLoss", numberJson(m.igbtSaturationLoss)},
            {"igbtTurnOnLoss", numberJson(m.igbtTurnOnLoss)},
            {"igbtTurnOffLoss", numberJson(m.igbtTurnOffLoss)},
            {"fwdSaturationLoss", numberJson(m.fwdSaturationLoss)},
            {"fwdRecoveryLoss", numberJson(m.fwdRecoveryLoss)}};
}

}  // namespace

nlohmann::json lossJson(const LossResult& l) {
    return fieldsJson(kLossFields, l);
}

nlohmann::json temperatureJson(const TemperatureResult& t) {
    return fieldsJson(kTemperatureFields, t);
}

nlohmann::json heatsinkJson(const HeatsinkModel& h) {
    return {{"rth", stagesJson(h.rth)},
            {"tth", stagesJson(h.tth)},
            {"ambientTemperature", numberJson(h.ambientTemperature)}};
}

nlohmann::json steadyJson(const DeviceIndexEntry& device, const OperatingCondition& c,
                          const HeatsinkModel& heatsink, const SteadyResult& result,
                          bool withWaveform) {
    nlohmann::json condition = conditionJson(c);
    condition["outputFrequency"] = numberJson(c.outputFrequency);
    nlohmann::json json = {
        {"device", deviceKeyJson(device)},
        {"condition", std::move(condition)},
        {"heatsink", heatsinkJson(heatsink)},
        {"loss", lossJson(result.loss)},
        {"temperature", temperatureJson(result.temperature)},
        {"waveformCount", result.waveform.size()},
    };
    if (withWaveform) json["waveform"] = recordsJson(kPeriodSampleFields, result.waveform);
    return json;
}

nlohmann::json cycleJson(const DeviceIndexEntry& device, const std::vector<LoadCycleMode>& modes,
                         const HeatsinkModel& heatsink, const LoadCycleResult& r,
                         bool withSamples) {
    nlohmann::json modeList = nlohmann::json::array();
    for (const LoadCycleMode& m : modes) modeList.push_back(modeJson(m));
    nlohmann::json modeResults = nlohmann::json::array();
    for (int j = 1; j <= r.modeCount && static_cast<std::size_t>(j) < r.modes.size(); ++j) {
        modeResults.push_back(modeResultJson(r.modes[static_cast<std::size_t>(j)]));
    }
    nlohmann::json json = {
        {"device", deviceKeyJson(device)},
        {"modes", std::move(modeList)},
        {"heatsink", heatsinkJson(heatsink)},
        {"result",
         {{"tcMax", numberJson(r.tcMax)},
          {"tcAve", numberJson(r.tcAve)},
          {"tfMax", numberJson(r.tfMax)},
          {"tfAve", numberJson(r.tfAve)},
          {"ambientTemperature", numberJson(r.ambientTemperature)},
          {"igbtTjMax", numberJson(r.igbtTjMax)},
          {"fwdTjMax", numberJson(r.fwdTjMax)},
          {"igbtDeltaTjcMax", numberJson(r.igbtDeltaTjcMax)},
          {"fwdDeltaTjcMax", numberJson(r.fwdDeltaTjcMax)}}},
        {"modeCount", r.modeCount},
        {"modeResults", std::move(modeResults)},
        {"sampleCount", r.samples.size()},
    };
    if (withSamples) json["samples"] = recordsJson(kCycleSampleFields, r.samples);
    return json;
}

}  // namespace thermalyx::cli
