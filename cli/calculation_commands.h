// The calculation subcommands: "steady" (one operating point) and "cycle" (a
// load cycle of up to 25 modes). Both check their inputs with the same rules
// and messages as the input pages, print the results as JSON and can write the
// calculation report.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/calculation_options.h"
#include "cli/modes_file.h"
#include "cli/record_json.h"

namespace thermalyx::cli {

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

// Run the subcommands; messages go to err, the JSON to out. Return the exit status.
int runSteady(const SteadyOptions& options, std::ostream& out, std::ostream& err);
int runCycle(const CycleOptions& options, std::ostream& out, std::ostream& err);

}  // namespace thermalyx::cli
