// "thermalyx-cli batch": JSON Lines of commands in, one JSON answer per line out,
// in input order. Lines run side by side on a few worker threads, with only a
// window of lines in memory at a time, so any length of input fits.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch_line.h"

namespace thermalyx::cli {

// Runs one command (its name first) with its output and messages going to the
// two streams; returns its exit status. Called from several threads at once.
using CommandRunner =
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>;

struct BatchOptions {
    std::string dataFolder;  // --data for every line that gives none
    int jobs = 0;            // worker threads; 0 or less: one per processor
    std::size_t window = 0;  // most lines read but not yet written; 0: 16 per worker
};

struct BatchCounts {
    std::size_t lines = 0;         // input lines read, blank ones included
    std::size_t mostInFlight = 0;  // the largest number of lines held at once
};

// The exit statuses of a batch: every line exited 0, some line did not, or the
// input could not be read.
inline constexpr int kExitBatchOk = 0;
inline constexpr int kExitBatchLineFailed = 5;
inline constexpr int kExitBatchInputUnreadable = 1;

// The longest line read (bytes); a longer one is refused without being kept.
inline constexpr std::size_t kMaxBatchLineBytes = std::size_t{1} << 20;

// Runs every line of in through run and writes the answers to out. Returns 0
// when every line exited 0, 5 when one did not, 1 when in could not be read.
int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
             const CommandRunner& run, BatchCounts* counts = nullptr);

// The answer to one line, without its line feed: {"line", "id", "exit", and
// "result" (the command's compact JSON text, when it exited 0) or "error"}.
// The batch command: every line of in run in this process against one library
// per data folder, the answers to out.
int runBatchCommand(const BatchOptions& options, std::istream& in, std::ostream& out);

std::string batchAnswer(std::size_t number, const BatchLine& line, int exit,
                        std::string_view resultOrError);

}  // namespace thermalyx::cli
