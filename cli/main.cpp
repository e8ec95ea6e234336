#include <exception>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "library/version.h"

int main(int argc, char** argv) {
    CLI::App app{"Thermalyx: IGBT module losses and temperatures from the command line"};
    app.set_version_flag("--version", std::string("thermalyx-cli ") + thermalyx::kVersion);
    app.require_subcommand(1);
    int exitStatus = thermalyx::cli::kExitOk;
    thermalyx::cli::registerLibraryCommands(app, exitStatus);
    thermalyx::cli::registerCalculationCommands(app, exitStatus);
    thermalyx::cli::registerSweepCommand(app, exitStatus);
    thermalyx::cli::registerCatalogueCommands(app, exitStatus);
    thermalyx::cli::registerAnalysisCommands(app, exitStatus);
    thermalyx::cli::registerLifetimeCommand(app, exitStatus);
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
