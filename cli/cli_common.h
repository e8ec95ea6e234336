// What the subcommands of the command-line tool share.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command_io.h"
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

// Writes dumpJson(value) and a line end to out.
void printJson(const nlohmann::json& value, std::ostream& out);
// The same to io.out, on one line when io asks for compact JSON.
void printJson(const nlohmann::json& value, CommandIo& io);

// Each group of subcommands registers itself; its commands write to io and
// their callbacks store the exit status.
void registerLibraryCommands(CLI::App& app, CommandIo& io, int& exitStatus);
void registerCalculationCommands(CLI::App& app, CommandIo& io, int& exitStatus);
void registerCatalogueCommands(CLI::App& app, int& exitStatus);
void registerAnalysisCommands(CLI::App& app, CommandIo& io, int& exitStatus);
void registerSweepCommand(CLI::App& app, CommandIo& io, int& exitStatus);
void registerLifetimeCommand(CLI::App& app, CommandIo& io, int& exitStatus);
void registerBatchCommand(CLI::App& app, CommandIo& io, int& exitStatus);

// Registers every command that prints JSON, or only the one named when given
// (a batch line builds a parser for its own command alone).
void registerJsonCommands(CLI::App& app, CommandIo& io, int& exitStatus,
                          std::string_view only = {});

}  // namespace thermalyx::cli
