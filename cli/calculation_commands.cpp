#include "cli/calculation_commands.h"

#include <iostream>
#include <memory>
#include <sstream>

#include "cli/calculation_setup.h"
#include "cli/cli_common.h"
#include "library/csv_table.h"
#include "results/load_cycle_report.h"
#include "results/record_csv.h"
#include "results/steady_report.h"

namespace thermalyx::cli {
namespace {

// A rule's message is printed exactly as the pages show it, alone on its line.
int rejected(std::ostream& err, std::string_view message) {
    err << message << '\n';
    return kExitInputRejected;
}

// What steady and cycle write of an outcome: the report, the samples as a
// table and the JSON.
bool writeOutcomeReport(const std::string& path, const DeviceLibrary& library,
                        const SteadyOutcome& outcome, std::string& reason,
                        const ReportWriteOptions& report) {
    return writeSteadyReport(path, library, outcome.condition, outcome.result, reason, report);
}
bool writeOutcomeReport(const std::string& path, const DeviceLibrary& library,
                        const LoadCycleOutcome& outcome, std::string& reason,
                        const ReportWriteOptions& report) {
    return writeLoadCycleReport(path, library, outcome.modes, outcome.result, reason, report);
}

std::string samplesCsv(const SteadyOutcome& outcome) {
    return periodSamplesCsv(outcome.result.waveform);
}
std::string samplesCsv(const LoadCycleOutcome& outcome) {
    return cycleSamplesCsv(outcome.result.samples);
}

nlohmann::json outcomeJson(const SteadyOutcome& outcome, bool withSamples) {
    return steadyJson(*outcome.device, outcome.condition, outcome.heatsink, outcome.result,
                      withSamples);
}
nlohmann::json outcomeJson(const LoadCycleOutcome& outcome, bool withSamples) {
    return cycleJson(*outcome.device, outcome.modes, outcome.heatsink, outcome.result, withSamples);
}

// Where the samples go: into a table when its option names a file, into the
// JSON when asked for.
struct SamplesOutput {
    const std::optional<std::string>& csvPath;
    std::string_view what;  // "waveform", "samples"
    bool inJson = false;
};

// A refused request's words, or the report and the table when they are asked
// for, then the JSON.
template <typename Outcome>
int finish(const Outcome& outcome, const CalculationOptions& o, std::string_view command,
           const Setup& setup, const SamplesOutput& samples, CommandIo& io) {
    std::ostream& err = io.err;
    if (!outcome.ok())
        return refusedRequest(outcome.stage, outcome.message, o, command, setup, err);
    std::string reason;
    if (o.reportPath) {
        ReportWriteOptions options;
        options.time = setup.reportTime;
        if (!writeOutcomeReport(*o.reportPath, *setup.opened.library, outcome, reason, options)) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    if (samples.csvPath && !writeCsvFile(*samples.csvPath, samplesCsv(outcome), reason)) {
        err << "thermalyx-cli " << command << ": the " << samples.what
            << " table was not written: " << reason << '\n';
        return kExitCannotWrite;
    }
    printJson(outcomeJson(outcome, samples.inJson), io);
    return kExitOk;
}

}  // namespace

int refusedRequest(RequestStage stage, std::string_view message, const CalculationOptions& o,
                   std::string_view command, const CalculationSetup& setup, std::ostream& err) {
    if (stage == RequestStage::Device && !setup.opened.loaded) {
        err << setup.opened.loadErrors;
        err << "thermalyx-cli " << command << ": the device library could not be loaded from "
            << (o.dataFolder.empty() ? setup.opened.library->programFolder : o.dataFolder) << '\n';
        return kExitLibraryNotLoaded;
    }
    if (stage == RequestStage::Device) {
        err << "thermalyx-cli " << command << ": no device with series \"" << o.series
            << "\" and type number \"" << o.typeNumber << "\" in the library\n";
        return kExitUnknownDevice;
    }
    if (stage == RequestStage::Modulation) return usage(err, command, "--arms takes 2 or 3");
    return rejected(err, message);
}

int prepareCycleRequest(const CycleOptions& options, std::string_view command,
                        CalculationSetup& setup, LoadCycleRequest& request, CommandIo& io) {
    std::ostream& err = io.err;
    const CalculationOptions& o = options.common;
    if (int status = checkCommonUsage(o, command, setup, err); status != kExitOk) return status;
    if (options.tj != "maximum" && options.tj != "average") {
        return usage(err, command, "--tj takes maximum or average");
    }
    std::string error;
    if (!readModeFile(options.modesPath, request.rows, error)) return usage(err, command, error);
    if (int status = openSetup(o, command, setup, io); status != kExitOk) return status;
    fillRequest(o, setup, request);
    request.tjMode = options.tj == "average" ? 1 : 0;
    return kExitOk;
}

int runSteady(const SteadyOptions& options, CommandIo& io) {
    constexpr std::string_view command = "steady";
    const CalculationOptions& o = options.common;
    Setup setup;
    if (int status = checkCommonUsage(o, command, setup, io.err); status != kExitOk) return status;
    if (int status = openSetup(o, command, setup, io); status != kExitOk) return status;

    SteadyRequest request;
    fillRequest(o, setup, request);
    request.texts = options.texts;
    request.dcLock = options.dcLock;
    return finish(runSteadyRequest(*setup.opened.library, request), o, command, setup,
                  {options.waveformCsvPath, "waveform", options.waveform}, io);
}

int runCycle(const CycleOptions& options, CommandIo& io) {
    constexpr std::string_view command = "cycle";
    const CalculationOptions& o = options.common;
    Setup setup;
    LoadCycleRequest request;
    if (int status = prepareCycleRequest(options, command, setup, request, io); status != kExitOk)
        return status;
    return finish(runLoadCycleRequest(*setup.opened.library, request), o, command, setup,
                  {options.samplesCsvPath, "samples", options.samples}, io);
}

namespace {

void addCommonOptions(CLI::App& command, CalculationOptions& o) {
    addDeviceOptions(command, o);
    command.add_option("--report", o.reportPath, "Also write the calculation report to FILE");
    command.add_option(
        "--report-time", o.reportTime,
        "Date and time for the report's header, \"YYYY/MM/DD HH:MM:SS\" (default: now)");
}

}  // namespace

void addCycleOptions(CLI::App& command, CycleOptions& options) {
    addCommonOptions(command, options.common);
    command
        .add_option(
            "--modes", options.modesPath,
            "File of modes: one a line, 11 comma-separated fields in the mode table's column "
            "order, the last LOCK or NORMAL")
        ->required();
    command
        .add_option("--tj", options.tj,
                    "Junction temperature: maximum or average (default maximum)")
        ->check(CLI::IsMember({"maximum", "average"}));
}

void registerCalculationCommands(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto steady = std::make_shared<SteadyOptions>();
    CLI::App* steadyCommand =
        app.add_subcommand("steady", "Losses and temperatures of one operating point, as JSON");
    addCommonOptions(*steadyCommand, steady->common);
    addOperatingOptions(*steadyCommand, *steady);
    steadyCommand->add_flag("--waveform", steady->waveform,
                            "Also print the waveform of the period");
    steadyCommand->add_option("--waveform-csv", steady->waveformCsvPath,
                              "Also write the waveform's samples to FILE as comma-separated "
                              "values, one row each under a header of the field names");
    steadyCommand->callback([steady, &io, &exitStatus] { exitStatus = runSteady(*steady, io); });

    auto cycle = std::make_shared<CycleOptions>();
    CLI::App* cycleCommand = app.add_subcommand(
        "cycle", "Temperatures and losses of a load cycle of up to 25 modes, as JSON");
    addCycleOptions(*cycleCommand, *cycle);
    cycleCommand->add_flag("--samples", cycle->samples, "Also print the samples of the cycle");
    cycleCommand->add_option("--samples-csv", cycle->samplesCsvPath,
                             "Also write the cycle's samples to FILE as comma-separated values, "
                             "one row each under a header of the field names");
    cycleCommand->callback([cycle, &io, &exitStatus] { exitStatus = runCycle(*cycle, io); });
}

}  // namespace thermalyx::cli
