// What the subcommands of the command-line tool share.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

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
// The same, telling whether load() succeeded.
std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder, bool& loaded);
// The same, with the "Error= %d" line going to errors.
std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder, bool& loaded,
                                           std::ostream& errors);

// Adds the option "--data DIR" (the folder of the three data files) to a subcommand.
CLI::Option* addDataOption(CLI::App& command, std::string& dataFolder);

// A number for JSON: the double itself, or null when it is not finite.
nlohmann::json numberJson(double value);

// {"series": ..., "typeNumber": ...} of a device.
nlohmann::json deviceKeyJson(const DeviceIndexEntry& device);

// The JSON text of a value; bytes that are not valid UTF-8 in its texts are
// replaced by U+FFFD instead of throwing. Doubles are written so that they read
// back to the same value.
std::string dumpJson(const nlohmann::json& value);

// Writes dumpJson(value) and a line end to out (standard output by default).
void printJson(const nlohmann::json& value);
void printJson(const nlohmann::json& value, std::ostream& out);

// Each group of subcommands registers itself; the callback stores its exit status.
void registerLibraryCommands(CLI::App& app, int& exitStatus);
void registerCalculationCommands(CLI::App& app, int& exitStatus);
void registerCatalogueCommands(CLI::App& app, int& exitStatus);
void registerAnalysisCommands(CLI::App& app, int& exitStatus);
void registerSweepCommand(CLI::App& app, int& exitStatus);
void registerLifetimeCommand(CLI::App& app, int& exitStatus);

}  // namespace thermalyx::cli
