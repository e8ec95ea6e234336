// The "batch" subcommand: the batch runner over standard input, every line run
// in this process against one library per data folder.
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>

#include <CLI/CLI.hpp>

#include "cli/batch.h"
#include "cli/cli_common.h"

namespace thermalyx::cli {

int runBatchCommand(const BatchOptions& options, std::istream& in, std::ostream& out) {
    LibraryCache libraries;
    const CommandRunner run = [&libraries](const std::vector<std::string>& args,
                                           std::ostream& lineOut, std::ostream& lineErr) {
        CommandIo io{lineOut, lineErr, libraries, true};
        return runCommand(args, io);
    };
    const int status = runBatch(in, out, options, run);
    // Standard input read through stdio hides read errors from the stream.
    if (&in == &std::cin && std::ferror(stdin)) return kExitBatchInputUnreadable;
    return status;
}

void registerBatchCommand(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto options = std::make_shared<BatchOptions>();
    CLI::App* command = app.add_subcommand(
        "batch",
        "Run commands given as JSON Lines on standard input: an array of arguments or "
        "{\"id\": ..., \"args\": [...]} a line; one JSON answer a line, in input order");
    addDataOption(*command, options->dataFolder);
    command->add_option("--jobs", options->jobs, "Worker threads (default: one per processor)")
        ->check(CLI::Range(1, 1024));
    command->callback(
        [options, &io, &exitStatus] { exitStatus = runBatchCommand(*options, std::cin, io.out); });
}

}  // namespace thermalyx::cli
