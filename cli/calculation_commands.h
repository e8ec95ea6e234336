// The calculation subcommands: "steady" (one operating point) and "cycle" (a
// load cycle of up to 25 modes). Both check their inputs with the same rules
// and messages as the input pages, print the results as JSON and can write the
// calculation report and the samples as a comma-separated table.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/calculation_options.h"
#include "cli/command_io.h"
#include "cli/modes_file.h"
#include "cli/record_json.h"
#include "library/device_library.h"
#include "pages/calculation_request.h"
#include "results/report_sections.h"

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
    GivenConditionTexts texts;  // an omitted one takes the device's default text
    bool dcLock = false;
    bool waveform = false;
    std::optional<std::string> waveformCsvPath;  // the waveform's samples as a CSV file
};

struct CycleOptions {
    CalculationOptions common;
    std::string modesPath;
    std::string tj = "maximum";  // "maximum" or "average"
    bool samples = false;
    std::optional<std::string> samplesCsvPath;  // the cycle's samples as a CSV file
};

// What a calculating command sets up before its request runs.
struct CalculationSetup {
    std::optional<ReportTime> reportTime;
    HeatsinkSource heatsink;
    int modulation = 0;
    // Its "Error=" line is kept until the request reaches the device: a
    // rejected heat sink or Ta is all that is printed then.
    OpenedLibrary opened;
};

// The options of "cycle" but --samples; the commands built on a load cycle take them too.
void addCycleOptions(CLI::App& command, CycleOptions& options);

// The usage checks, the modes file, the heat-sink form and the library, in
// cycle's order, and the request they give. kExitOk, or the exit status after
// the message went to err.
int prepareCycleRequest(const CycleOptions& options, std::string_view command,
                        CalculationSetup& setup, LoadCycleRequest& request, CommandIo& io);

// The exit status and words for where a request stopped.
int refusedRequest(RequestStage stage, std::string_view message, const CalculationOptions& o,
                   std::string_view command, const CalculationSetup& setup, std::ostream& err);

// Run the subcommands; messages go to err, the JSON to out. Return the exit status.
int runSteady(const SteadyOptions& options, CommandIo& io);
int runCycle(const CycleOptions& options, CommandIo& io);

}  // namespace thermalyx::cli
