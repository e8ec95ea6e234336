#include "cli/calculation_commands.h"

#include <functional>
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

// A table of samples asked for by an option, made only then.
struct CsvRequest {
    const std::optional<std::string>& path;
    std::string_view what;  // "waveform", "samples"
    std::function<std::string()> table;
};

// The report and the table when they are asked for, then the JSON.
template <typename WriteReport, typename MakeJson>
int finish(const CalculationOptions& o, std::string_view command, const Setup& setup,
           WriteReport writeReport, const CsvRequest& csv, MakeJson makeJson, CommandIo& io) {
    std::ostream& err = io.err;
    std::string reason;
    if (o.reportPath) {
        ReportWriteOptions options;
        options.time = setup.reportTime;
        if (!writeReport(*o.reportPath, reason, options)) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    if (csv.path && !writeCsvFile(*csv.path, csv.table(), reason)) {
        err << "thermalyx-cli " << command << ": the " << csv.what
            << " table was not written: " << reason << '\n';
        return kExitCannotWrite;
    }
    printJson(makeJson(), io);
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
    std::ostream& err = io.err;
    constexpr std::string_view command = "steady";
    const CalculationOptions& o = options.common;
    Setup setup;
    if (int status = checkCommonUsage(o, command, setup, err); status != kExitOk) return status;
    if (int status = openSetup(o, command, setup, io); status != kExitOk) return status;

    SteadyRequest request;
    fillRequest(o, setup, request);
    request.texts = options.texts;
    request.dcLock = options.dcLock;
    const SteadyOutcome outcome = runSteadyRequest(*setup.opened.library, request);
    if (!outcome.ok())
        return refusedRequest(outcome.stage, outcome.message, o, command, setup, err);

    return finish(
        o, command, setup,
        [&](const std::string& path, std::string& reason, const ReportWriteOptions& report) {
            return writeSteadyReport(path, *setup.opened.library, outcome.condition, outcome.result,
                                     reason, report);
        },
        CsvRequest{options.waveformCsvPath, "waveform",
                   [&] { return periodSamplesCsv(outcome.result.waveform); }},
        [&] {
            return steadyJson(*outcome.device, outcome.condition, outcome.heatsink, outcome.result,
                              options.waveform);
        },
        io);
}

int runCycle(const CycleOptions& options, CommandIo& io) {
    std::ostream& err = io.err;
    constexpr std::string_view command = "cycle";
    const CalculationOptions& o = options.common;
    Setup setup;
    LoadCycleRequest request;
    if (int status = prepareCycleRequest(options, command, setup, request, io); status != kExitOk)
        return status;
    const LoadCycleOutcome outcome = runLoadCycleRequest(*setup.opened.library, request);
    if (!outcome.ok())
        return refusedRequest(outcome.stage, outcome.message, o, command, setup, err);

    return finish(
        o, command, setup,
        [&](const std::string& path, std::string& reason, const ReportWriteOptions& report) {
            return writeLoadCycleReport(path, *setup.opened.library, outcome.modes, outcome.result,
                                        reason, report);
        },
        CsvRequest{options.samplesCsvPath, "samples",
                   [&] { return cycleSamplesCsv(outcome.result.samples); }},
        [&] {
            return cycleJson(*outcome.device, outcome.modes, outcome.heatsink, outcome.result,
                             options.samples);
        },
        io);
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
