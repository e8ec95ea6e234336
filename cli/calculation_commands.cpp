#include "cli/calculation_commands.h"

#include <iostream>
#include <memory>
#include <sstream>

#include "cli/cli_common.h"
#include "results/load_cycle_report.h"
#include "results/steady_report.h"

namespace thermalyx::cli {
namespace {

// A rule's message is printed exactly as the pages show it, alone on its line.
int rejected(std::ostream& err, std::string_view message) {
    err << message << '\n';
    return kExitInputRejected;
}

int usage(std::ostream& err, std::string_view command, std::string_view message) {
    err << "thermalyx-cli " << command << ": " << message << '\n';
    return kExitUsage;
}

using Setup = CalculationSetup;

// Usage errors found before any input is judged.
int checkCommonUsage(const CalculationOptions& o, std::string_view command, Setup& setup,
                     std::ostream& err) {
    setup.modulation = armsModulation(o.arms);
    if (setup.modulation == 0) return usage(err, command, "--arms takes 2 or 3");
    if (o.reportTime) {
        ReportTime time;
        if (!parseReportTime(*o.reportTime, time)) {
            return usage(err, command, "--report-time takes \"YYYY/MM/DD HH:MM:SS\"");
        }
        setup.reportTime = time;
    }
    return kExitOk;
}

// The heat-sink form (a usage error) and the library.
int openSetup(const CalculationOptions& o, std::string_view command, Setup& setup,
              std::ostream& err) {
    if (std::string error = heatsinkSourceOf(o.heatsink, setup.heatsink); !error.empty())
        return usage(err, command, error);
    setup.library = openLibrary(o.dataFolder, setup.loaded, setup.loadErrors);
    return kExitOk;
}

// What every request takes from the common options.
template <typename Request>
void fillRequest(const CalculationOptions& o, const Setup& setup, Request& request) {
    request.ambientText = o.ta;
    request.series = o.series;
    request.typeNumber = o.typeNumber;
    request.modulation = setup.modulation;
    request.heatsink = setup.heatsink;
}

// The report when one is asked for, then the JSON.
template <typename WriteReport, typename MakeJson>
int finish(const CalculationOptions& o, std::string_view command, const Setup& setup,
           WriteReport writeReport, MakeJson makeJson, std::ostream& out, std::ostream& err) {
    if (o.reportPath) {
        ReportWriteOptions options;
        options.time = setup.reportTime;
        std::string reason;
        if (!writeReport(*o.reportPath, reason, options)) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    printJson(makeJson(), out);
    return kExitOk;
}

}  // namespace

int refusedRequest(RequestStage stage, std::string_view message, const CalculationOptions& o,
                   std::string_view command, const CalculationSetup& setup, std::ostream& err) {
    if (stage == RequestStage::Device && !setup.loaded) {
        std::cerr << setup.loadErrors.str() << std::flush;
        err << "thermalyx-cli " << command << ": the device library could not be loaded from "
            << (o.dataFolder.empty() ? setup.library->programFolder : o.dataFolder) << '\n';
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
                        CalculationSetup& setup, LoadCycleRequest& request, std::ostream& err) {
    const CalculationOptions& o = options.common;
    if (int status = checkCommonUsage(o, command, setup, err); status != kExitOk) return status;
    if (options.tj != "maximum" && options.tj != "average") {
        return usage(err, command, "--tj takes maximum or average");
    }
    std::string error;
    if (!readModeFile(options.modesPath, request.rows, error)) return usage(err, command, error);
    if (int status = openSetup(o, command, setup, err); status != kExitOk) return status;
    fillRequest(o, setup, request);
    request.tjMode = options.tj == "average" ? 1 : 0;
    return kExitOk;
}

int runSteady(const SteadyOptions& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view command = "steady";
    const CalculationOptions& o = options.common;
    Setup setup;
    if (int status = checkCommonUsage(o, command, setup, err); status != kExitOk) return status;
    if (int status = openSetup(o, command, setup, err); status != kExitOk) return status;

    SteadyRequest request;
    fillRequest(o, setup, request);
    request.texts = {options.outputFrequency,
                     options.outputCurrent,
                     options.carrierFrequency,
                     options.powerFactor,
                     options.modulationRate,
                     options.dcVoltage,
                     options.rgOn,
                     options.rgOff};
    request.dcLock = options.dcLock;
    const SteadyOutcome outcome = runSteadyRequest(*setup.library, request);
    if (!outcome.ok())
        return refusedRequest(outcome.stage, outcome.message, o, command, setup, err);

    return finish(
        o, command, setup,
        [&](const std::string& path, std::string& reason, const ReportWriteOptions& report) {
            return writeSteadyReport(path, *setup.library, outcome.condition, outcome.result,
                                     reason, report);
        },
        [&] {
            return steadyJson(*outcome.device, outcome.condition, outcome.heatsink, outcome.result,
                              options.waveform);
        },
        out, err);
}

int runCycle(const CycleOptions& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view command = "cycle";
    const CalculationOptions& o = options.common;
    Setup setup;
    LoadCycleRequest request;
    if (int status = prepareCycleRequest(options, command, setup, request, err); status != kExitOk)
        return status;
    const LoadCycleOutcome outcome = runLoadCycleRequest(*setup.library, request);
    if (!outcome.ok())
        return refusedRequest(outcome.stage, outcome.message, o, command, setup, err);

    return finish(
        o, command, setup,
        [&](const std::string& path, std::string& reason, const ReportWriteOptions& report) {
            return writeLoadCycleReport(path, *setup.library, outcome.modes, outcome.result, reason,
                                        report);
        },
        [&] {
            return cycleJson(*outcome.device, outcome.modes, outcome.heatsink, outcome.result,
                             options.samples);
        },
        out, err);
}

namespace {

void addCommonOptions(CLI::App& command, CalculationOptions& o) {
    addDataOption(command, o.dataFolder);
    command.add_option("--series", o.series, "Series of the device")->required();
    command.add_option("--type", o.typeNumber, "Type number of the device")->required();
    command.add_option("--arms", o.arms, "Inverter modulation: 2 or 3 arms (default 2)")
        ->check(CLI::IsMember({"2", "3"}));
    command.add_option("--ta", o.ta, "Ambient temperature text, deg C (default \"40\")");
    addHeatsinkOptions(command, o.heatsink);
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

void registerCalculationCommands(CLI::App& app, int& exitStatus) {
    auto steady = std::make_shared<SteadyOptions>();
    CLI::App* steadyCommand =
        app.add_subcommand("steady", "Losses and temperatures of one operating point, as JSON");
    addCommonOptions(*steadyCommand, steady->common);
    steadyCommand->add_option("--output-frequency", steady->outputFrequency,
                              "Output frequency (Hz)");
    steadyCommand->add_option("--output-current", steady->outputCurrent, "Output current (A rms)");
    steadyCommand->add_option("--carrier-frequency", steady->carrierFrequency,
                              "Carrier frequency (kHz)");
    steadyCommand->add_option("--power-factor", steady->powerFactor, "Power factor (-1 to 1)");
    steadyCommand->add_option("--modulation-rate", steady->modulationRate, "Modulation rate");
    steadyCommand->add_option("--dc-voltage", steady->dcVoltage, "DC link voltage (V)");
    steadyCommand->add_option("--rg-on", steady->rgOn, "Gate resistance on (ohm)");
    steadyCommand->add_option("--rg-off", steady->rgOff, "Gate resistance off (ohm)");
    steadyCommand->add_flag("--dc-lock", steady->dcLock,
                            "DC LOCK: the current flows as direct current");
    steadyCommand->add_flag("--waveform", steady->waveform,
                            "Also print the waveform of the period");
    steadyCommand->callback(
        [steady, &exitStatus] { exitStatus = runSteady(*steady, std::cout, std::cerr); });

    auto cycle = std::make_shared<CycleOptions>();
    CLI::App* cycleCommand = app.add_subcommand(
        "cycle", "Temperatures and losses of a load cycle of up to 25 modes, as JSON");
    addCycleOptions(*cycleCommand, *cycle);
    cycleCommand->add_flag("--samples", cycle->samples, "Also print the samples of the cycle");
    cycleCommand->callback(
        [cycle, &exitStatus] { exitStatus = runCycle(*cycle, std::cout, std::cerr); });
}

}  // namespace thermalyx::cli
