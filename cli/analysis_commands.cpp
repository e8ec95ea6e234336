#include "cli/analysis_commands.h"

#include <iostream>
#include <memory>
#include <sstream>

#include "analysis/analysis_table.h"
#include "analysis/current_capability.h"
#include "analysis/device_ranking.h"
#include "cli/analysis_json.h"
#include "cli/cli_common.h"
#include "cli/modes_file.h"
#include "library/number_text.h"

namespace thermalyx::cli {
namespace {

int usage(std::ostream& err, std::string_view command, std::string_view message) {
    err << "thermalyx-cli " << command << ": " << message << '\n';
    return kExitUsage;
}

// A rule's message is printed exactly as the pages show it, alone on its line.
int rejected(std::ostream& err, std::string_view message) {
    err << message << '\n';
    return kExitInputRejected;
}

// What both analyses set up before any input is judged.
struct Setup {
    SteadyRequest point;  // series and type number are filled per device
    double tjLimit = kDefaultTjLimit;
    OpenedLibrary opened;  // its load errors are printed only when the library is needed
};

// Usage errors of the shared options, then the library.
int prepare(const PointOptions& o, std::string_view command, Setup& setup, CommandIo& io) {
    std::ostream& err = io.err;
    setup.point.modulation = armsModulation(o.arms);
    if (setup.point.modulation == 0) return usage(err, command, "--arms takes 2 or 3");
    if (o.tjLimit) {
        if (!isWholeNumber(*o.tjLimit))
            return usage(err, command, "--tj-limit takes a temperature in deg C");
        setup.tjLimit = readNumber(*o.tjLimit);
    }
    if (o.format != "json" && o.format != "csv")
        return usage(err, command, "--format takes json or csv");
    if (std::string missing = missingAnalysisInput(o.texts); !missing.empty())
        return usage(err, command, missing);
    if (std::string error = heatsinkSourceOf(o.heatsink, setup.point.heatsink); !error.empty())
        return usage(err, command, error);

    setup.point.ambientText = o.ta;
    setup.point.dcLock = o.dcLock;
    setup.point.texts = o.texts;
    setup.opened = io.libraries.open(o.dataFolder);
    return kExitOk;
}

int notLoaded(const PointOptions& o, std::string_view command, const Setup& setup,
              std::ostream& err) {
    err << setup.opened.loadErrors << "thermalyx-cli " << command
        << ": the device library could not be loaded from "
        << (o.dataFolder.empty() ? setup.opened.library->programFolder : o.dataFolder) << '\n';
    return kExitLibraryNotLoaded;
}

}  // namespace

int runRank(const RankOptions& options, CommandIo& io) {
    std::ostream& err = io.err;
    constexpr std::string_view command = "rank";
    const PointOptions& o = options.point;
    RankingRequest request;
    if (!parseRankingOrder(options.sort, request.order))
        return usage(err, command, "--sort takes fit, tj or loss");
    if (!o.texts.outputCurrent) return usage(err, command, "--output-current is required");
    if (!o.texts.carrierFrequency) return usage(err, command, "--carrier-frequency is required");
    Setup setup;
    if (int status = prepare(o, command, setup, io); status != kExitOk) return status;

    request.point = setup.point;
    request.tjLimit = setup.tjLimit;
    request.acVoltage = options.acVoltage;
    request.series = options.series;
    request.circuitComposition = options.circuit;
    request.withMaxCurrent = options.maxCurrent;
    const std::optional<Ranking> ranking =
        rankDevices(*setup.opened.library, request, parallelJobs(o.jobs));
    if (!ranking->message.empty()) return rejected(err, ranking->message);
    if (!setup.opened.loaded) return notLoaded(o, command, setup, err);

    if (o.format == "csv") {
        io.out << rankingCsv(ranking->devices) << std::flush;
    } else {
        printJson(rankingJson(request, sharedHeatsinkModel(request.point), *ranking), io);
    }
    return kExitOk;
}

int runCapability(const CapabilityOptions& options, CommandIo& io) {
    std::ostream& err = io.err;
    constexpr std::string_view command = "capability";
    const PointOptions& o = options.point;
    if (o.texts.outputCurrent)
        return usage(err, command, "--output-current does not apply: the current is the answer");
    if (o.texts.carrierFrequency) {
        return usage(err, command,
                     "--carrier-frequency does not apply: give --carrier-frequencies");
    }
    if (options.series.empty() || options.series.size() != options.typeNumbers.size())
        return usage(err, command, "give each device as --series S --type T");
    if (!options.carrierFrequencies)
        return usage(err, command, "--carrier-frequencies is required");
    Setup setup;
    if (int status = prepare(o, command, setup, io); status != kExitOk) return status;

    if (std::string message = checkSharedInputs(setup.point); !message.empty())
        return rejected(err, message);
    if (!setup.opened.loaded) return notLoaded(o, command, setup, err);
    std::vector<const DeviceIndexEntry*> devices;
    for (std::size_t i = 0; i < options.series.size(); ++i) {
        std::vector<const DeviceIndexEntry*> found;
        if (!setup.opened.library->findDevices(found, DeviceQueryKind::BySeriesAndType,
                                               options.series[i], options.typeNumbers[i])) {
            err << "thermalyx-cli " << command << ": no device with series \"" << options.series[i]
                << "\" and type number \"" << options.typeNumbers[i] << "\" in the library\n";
            return kExitUnknownDevice;
        }
        devices.push_back(found.front());
    }
    const std::vector<std::string> carriers = splitFields(*options.carrierFrequencies);
    const std::optional<CapabilityAnswer> answer = capabilityCurves(
        *setup.opened.library, devices, setup.point, carriers, setup.tjLimit, parallelJobs(o.jobs));
    if (!answer->message.empty()) return rejected(err, answer->message);

    if (o.format == "csv") {
        io.out << capabilityCsv(answer->curves) << std::flush;
    } else {
        printJson(capabilityCurvesJson(setup.point, sharedHeatsinkModel(setup.point), setup.tjLimit,
                                       *answer),
                  io);
    }
    return kExitOk;
}

namespace {

void addPointOptions(CLI::App& command, PointOptions& o) {
    addDataOption(command, o.dataFolder);
    command.add_option("--arms", o.arms, "Inverter modulation: 2 or 3 arms (default 2)");
    command.add_option("--ta", o.ta, "Ambient temperature text, deg C (default \"40\")");
    addHeatsinkOptions(command, o.heatsink);
    addOperatingOptions(command, o.texts, o.dcLock, OperatingOptionsFor::EveryDevice);
    command.add_option("--tj-limit", o.tjLimit, "Junction-temperature limit, deg C (default 150)");
    command.add_option("--jobs", o.jobs, "Worker threads (default: one per processor)");
    command.add_option("--format", o.format, "Print json (default) or csv");
}

}  // namespace

void registerAnalysisCommands(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto rank = std::make_shared<RankOptions>();
    CLI::App* rankCommand = app.add_subcommand(
        "rank", "Every device of the line at one operating point, ranked against a Tj limit");
    addPointOptions(*rankCommand, rank->point);
    rankCommand->add_option("--ac-voltage", rank->acVoltage, "Keep the devices of this AC voltage");
    rankCommand->add_option("--series", rank->series, "Keep the devices of this series");
    rankCommand->add_option("--circuit", rank->circuit,
                            "Keep the devices of this circuit composition");
    rankCommand->add_option("--sort", rank->sort, "Order: fit (default), tj or loss");
    rankCommand->add_flag("--max-current", rank->maxCurrent,
                          "Also find each device's largest output current within the limit");
    rankCommand->callback([rank, &io, &exitStatus] { exitStatus = runRank(*rank, io); });

    auto capability = std::make_shared<CapabilityOptions>();
    CLI::App* capabilityCommand = app.add_subcommand(
        "capability", "The largest output current within a Tj limit, over carrier frequencies");
    addPointOptions(*capabilityCommand, capability->point);
    capabilityCommand->add_option("--series", capability->series, "Series of a device (repeat)");
    capabilityCommand->add_option("--type", capability->typeNumbers,
                                  "Type number of the device of the same place (repeat)");
    capabilityCommand->add_option("--carrier-frequencies", capability->carrierFrequencies,
                                  "Carrier frequencies (kHz), comma-separated texts");
    capabilityCommand->callback(
        [capability, &io, &exitStatus] { exitStatus = runCapability(*capability, io); });
}

}  // namespace thermalyx::cli
