// The engine's records as the JSON the command line prints. Numbers are the
// doubles themselves (null when not finite), so they read back exactly.
#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "engine/records.h"
#include "library/device_library.h"

namespace thermalyx::cli {

// The five loss components of one operating point.
nlohmann::json lossJson(const LossResult& loss);
// The temperature figures of one operating point.
nlohmann::json temperatureJson(const TemperatureResult& temperature);
// The heat-sink network and Ta.
nlohmann::json heatsinkJson(const HeatsinkModel& heatsink);
// The documents "steady" and "cycle" print.
nlohmann::json steadyJson(const DeviceIndexEntry& device, const OperatingCondition& condition,
                          const HeatsinkModel& heatsink, const SteadyResult& result,
                          bool withWaveform);
nlohmann::json cycleJson(const DeviceIndexEntry& device, const std::vector<LoadCycleMode>& modes,
                         const HeatsinkModel& heatsink, const LoadCycleResult& result,
                         bool withSamples);

}  // namespace thermalyx::cli
