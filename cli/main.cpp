#include <exception>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "library/version.h"

int main(int argc, char** argv) {
    CLI::App app{"Thermalyx: IGBT module losses and temperatures from the command line"};
    app.set_version_flag("--version", std::string("thermalyx-cli ") + thermalyx::kVersion);
    app.set_help_all_flag("--help-all", "Print the help of every command and exit");
    app.require_subcommand(1);
    int exitStatus = thermalyx::cli::kExitOk;
    thermalyx::cli::LibraryLoader libraries;
    thermalyx::cli::CommandIo io{std::cout, std::cerr, libraries};
    // The order of the commands in the help.
    thermalyx::cli::registerLibraryCommands(app, io, exitStatus);
    thermalyx::cli::registerCalculationCommands(app, io, exitStatus);
    thermalyx::cli::registerSweepCommand(app, io, exitStatus);
    thermalyx::cli::registerCatalogueCommands(app, exitStatus);
    thermalyx::cli::registerAnalysisCommands(app, io, exitStatus);
    thermalyx::cli::registerLifetimeCommand(app, io, exitStatus);
    thermalyx::cli::registerBatchCommand(app, io, exitStatus);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const std::exception& e) {
        std::cerr << "thermalyx-cli: " << e.what() << '\n';
        return thermalyx::cli::kExitUsage;
    }
    return exitStatus;
}
