// What the subcommands of the command-line tool share.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "library/device_library.h"

namespace thermalyx::cli {

// Exit statuses of the command-line tool.
enum ExitStatus : int {
    kExitOk = 0,
    kExitLibraryNotLoaded = 1,
    kExitInputRejected = 2,
    kExitUnknownDevice = 3,
    kExitCannotWrite = 4,
    kExitUsage = 5,
};

// A library read from --data DIR when given, otherwise from the program folder.
// Its "Error= %d" line goes to standard error, so standard output stays JSON.
std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder);

// Each group of subcommands registers itself; the callback stores its exit status.
void registerLibraryCommands(CLI::App& app, int& exitStatus);
void registerCalculationCommands(CLI::App& app, int& exitStatus);
void registerCatalogueCommands(CLI::App& app, int& exitStatus);

}  // namespace thermalyx::cli
