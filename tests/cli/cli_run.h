// Runs a command of thermalyx-cli, as the built program or in this process, and
// captures what it writes and its exit status.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_io.h"

namespace thermalyx::cli_test {

struct CliRun {
    int status = -1;     // exit status; -1 when it did not exit normally
    std::string output;  // standard output
};

// Quotes one argument for the shell.
inline std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// Standard error goes to errorFile when given, otherwise it is dropped.
inline CliRun runCli(const std::vector<std::string>& arguments, const std::string& errorFile = {}) {
    std::string command = shellQuote(THERMALYX_CLI_PATH);
    for (const std::string& argument : arguments) {
        command += ' ';
        command += shellQuote(argument);
    }
    command += " 2>";
    command += errorFile.empty() ? std::string("/dev/null") : shellQuote(errorFile);
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = ::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), got);
    const int raw = ::pclose(pipe);
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    return run;
}

// A command run in this process: its exit status and both streams.
struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// command(options, io) over fresh streams and a fresh library loader.
template <typename Options, typename Command>
CommandRun runInProcess(const Options& options, Command command) {
    std::ostringstream out, err;
    cli::LibraryLoader libraries;
    cli::CommandIo io{out, err, libraries};
    CommandRun r;
    r.status = command(options, io);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace thermalyx::cli_test
