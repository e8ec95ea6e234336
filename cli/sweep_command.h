// "sweep": one device's steady calculation repeated while one input, or two as
// a grid, runs over a range. The points are printed as JSON or as a
// comma-separated table, each as soon as it and those before it are done.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/sweep.h"
#include "cli/calculation_commands.h"

namespace thermalyx::cli {

// --vary NAME --from A --to B --points N, or the same options ending in 2.
struct SweepAxisOptions {
    std::optional<std::string> name;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::optional<std::string> points;
};

struct SweepOptions {
    SteadyOptions fixed;  // the device, the heat sink and the inputs that stay put
    bool taGiven = false;
    SweepAxisOptions vary;
    SweepAxisOptions vary2;
    std::optional<std::string> jobs;
    std::string format = "json";  // "json" or "csv"
};

// Everything of the JSON document but its points.
nlohmann::json sweepHeadJson(const SweepPlan& plan);
// One point of the JSON document's "points".
nlohmann::json sweepPointJson(const SweepPlan& plan, const SweepPoint& point);

// Messages go to err, the points to out. Returns the exit status.
int runSweepCommand(const SweepOptions& options, CommandIo& io);

}  // namespace thermalyx::cli
