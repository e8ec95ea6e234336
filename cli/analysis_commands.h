// The analyses over the product line: "rank" (every device kept by the class
// filters at one operating point, in an order) and "capability" (the largest
// output current within a junction-temperature limit, over carrier
// frequencies). Both print JSON or a comma-separated table.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/calculation_options.h"
#include "cli/command_io.h"

namespace thermalyx::cli {

// The operating point every device of an analysis shares.
struct PointOptions {
    std::string dataFolder;
    std::string arms = "2";
    std::string ta = "40";
    HeatsinkOptions heatsink;
    GivenConditionTexts texts;  // the gate resistances default to each device's
    bool dcLock = false;
    std::optional<std::string> tjLimit;  // deg C, 150 when not given
    int jobs = 0;                        // 0: one worker per processor
    std::string format = "json";         // "json" or "csv"
};

struct RankOptions {
    PointOptions point;
    std::optional<std::string> acVoltage;
    std::optional<std::string> series;
    std::optional<std::string> circuit;
    std::string sort = "fit";
    bool maxCurrent = false;
};

struct CapabilityOptions {
    PointOptions point;
    std::vector<std::string> series;  // the n-th type number belongs to the n-th series
    std::vector<std::string> typeNumbers;
    std::optional<std::string> carrierFrequencies;  // comma-separated kHz texts
};

// Run the subcommands; messages go to err, the answer to out. Return the exit status.
int runRank(const RankOptions& options, CommandIo& io);
int runCapability(const CapabilityOptions& options, CommandIo& io);

}  // namespace thermalyx::cli
