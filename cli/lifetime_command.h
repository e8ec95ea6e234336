// The "lifetime" subcommand: the power-cycling lifetime of a load cycle. It
// takes the options of "cycle", runs the same checks with the same messages and
// exit statuses, then the lifetime model's parameters; prints the answer as
// JSON and can write it as a text report.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/lifetime.h"
#include "cli/calculation_commands.h"
#include "library/device_library.h"

namespace thermalyx::cli {

struct LifetimeCommandOptions {
    CycleOptions cycle;                       // its --report writes the lifetime report
    std::string model = "cips2008";           // "cips2008" or "lesit"
    std::optional<std::string> bondCurrent;   // A
    std::optional<std::string> voltageClass;  // V
    std::optional<std::string> bondDiameter;  // um
    std::optional<std::string> minRange;      // K
    bool ripple = false;
};

int runLifetime(const LifetimeCommandOptions& options, CommandIo& io);

// The document "lifetime" prints.
nlohmann::json lifetimeJson(const DeviceIndexEntry& device, const LifetimeResult& result);

}  // namespace thermalyx::cli
