// The calculation subcommands: "steady" (one operating point) and "cycle" (a
// load cycle of up to 25 modes). Both check their inputs with the same rules
// and messages as the input pages, print the results as JSON and can write the
// calculation report.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/device_library.h"
#include "pages/input_rules.h"

namespace thermalyx::cli {

// The heat sink as the network's eight texts or as an estimate from a capacity.
struct HeatsinkOptions {
    std::optional<std::string> rth;  // "A,B,C,D"
    std::optional<std::string> tth;  // "A,B,C,D"
    std::optional<std::string> capacity;
    std::optional<std::string> rthFactor;  // "1.0" when not given
    std::optional<std::string> tthFactor;  // "1.0" when not given
};

// What steady and cycle share.
struct CalculationOptions {
    std::string dataFolder;
    std::string series;
    std::string typeNumber;
    std::string arms = "2";
    std::string ta = "40";
    HeatsinkOptions heatsink;
    std::optional<std::string> reportPath;
    std::optional<std::string> reportTime;  // "YYYY/MM/DD HH:MM:SS"
};

struct SteadyOptions {
    CalculationOptions common;
    // The eight inputs; an omitted one takes the device's default text.
    std::optional<std::string> outputFrequency;
    std::optional<std::string> outputCurrent;
    std::optional<std::string> carrierFrequency;
    std::optional<std::string> powerFactor;
    std::optional<std::string> modulationRate;
    std::optional<std::string> dcVoltage;
    std::optional<std::string> rgOn;
    std::optional<std::string> rgOff;
    bool dcLock = false;
    bool waveform = false;
};

struct CycleOptions {
    CalculationOptions common;
    std::string modesPath;
    std::string tj = "maximum";  // "maximum" or "average"
    bool samples = false;
};

// Reads the rows of a modes file: one mode per line, eleven comma-separated
// fields in the mode table's column order, the last "LOCK" or "NORMAL"; empty
// lines and lines starting with "#" are skipped. Fields are taken as they stand;
// only the line end (LF or CR LF) is removed. False with a message on a usage error.
bool parseModeLines(std::string_view content, std::vector<ModeRowTexts>& rows, std::string& error);
bool readModeFile(const std::string& path, std::vector<ModeRowTexts>& rows, std::string& error);

// Run the subcommands; messages go to err, the JSON to out. Return the exit status.
int runSteady(const SteadyOptions& options, std::ostream& out, std::ostream& err);
int runCycle(const CycleOptions& options, std::ostream& out, std::ostream& err);

// The JSON documents the subcommands print.
nlohmann::json steadyJson(const DeviceIndexEntry& device, const OperatingCondition& condition,
                          const HeatsinkModel& heatsink, const SteadyResult& result,
                          bool withWaveform);
nlohmann::json cycleJson(const DeviceIndexEntry& device, const std::vector<LoadCycleMode>& modes,
                         const HeatsinkModel& heatsink, const LoadCycleResult& result,
                         bool withSamples);

}  // namespace thermalyx::cli
