// What the calculating subcommands (steady, cycle, sweep) set up alike before a
// request runs, and the options they share.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/calculation_commands.h"
#include "library/report_file.h"

namespace CLI {
class App;
}

namespace thermalyx::cli {

using Setup = CalculationSetup;

// "thermalyx-cli COMMAND: MESSAGE" on err; the usage error's status.
int usage(std::ostream& err, std::string_view command, std::string_view message);

// Usage errors found before any input is judged (the arms, the report time).
int checkCommonUsage(const CalculationOptions& options, std::string_view command, Setup& setup,
                     std::ostream& err);

// The heat-sink form (a usage error) and the library.
int openSetup(const CalculationOptions& options, std::string_view command, Setup& setup,
              CommandIo& io);

// What every request takes from the common options.
inline void fillRequest(const CalculationOptions& o, const Setup& setup, RequestFront& request) {
    request = RequestFront{o.ta, o.series, o.typeNumber, setup.modulation, setup.heatsink};
}

// --data, --series, --type, --arms, --ta and the heat sink.
void addDeviceOptions(CLI::App& command, CalculationOptions& options);
// The eight operating inputs of the one device and --dc-lock.
void addOperatingOptions(CLI::App& command, SteadyOptions& options);

}  // namespace thermalyx::cli
