#include "cli/calculation_setup.h"

#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"

namespace thermalyx::cli {

int usage(std::ostream& err, std::string_view command, std::string_view message) {
    err << "thermalyx-cli " << command << ": " << message << '\n';
    return kExitUsage;
}

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

int openSetup(const CalculationOptions& o, std::string_view command, Setup& setup, CommandIo& io) {
    if (std::string error = heatsinkSourceOf(o.heatsink, setup.heatsink); !error.empty())
        return usage(io.err, command, error);
    setup.opened = io.libraries.open(o.dataFolder);
    return kExitOk;
}

void addDeviceOptions(CLI::App& command, CalculationOptions& o) {
    addDataOption(command, o.dataFolder);
    command.add_option("--series", o.series, "Series of the device")->required();
    command.add_option("--type", o.typeNumber, "Type number of the device")->required();
    command.add_option("--arms", o.arms, "Inverter modulation: 2 or 3 arms (default 2)")
        ->check(CLI::IsMember({"2", "3"}));
    command.add_option("--ta", o.ta, "Ambient temperature text, deg C (default \"40\")");
    addHeatsinkOptions(command, o.heatsink);
}

void addOperatingOptions(CLI::App& command, SteadyOptions& o) {
    addOperatingOptions(command, o.texts, o.dcLock, OperatingOptionsFor::OneDevice);
}

}  // namespace thermalyx::cli
