// One input line of "thermalyx-cli batch", read and vetted without running
// anything. Pure: no streams, no files, no toolkit; every text is accepted and
// answered (it never throws), so hostile input can be thrown at it directly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace thermalyx::cli {

// The exit status of a line that batch refuses before running it.
inline constexpr int kExitBadLine = 64;

enum class BatchLineKind {
    Blank,    // only white space: no answer, but it counts
    Command,  // args hold a command batch runs
    Refused,  // error says why; answered with kExitBadLine
};

struct BatchLine {
    BatchLineKind kind = BatchLineKind::Blank;
    std::optional<nlohmann::json> id;  // the object form's "id", when it has one
    std::vector<std::string> args;     // the command first, then its arguments
    std::string error;
};

// The commands a batch line may run: those that print one JSON value.
const std::vector<std::string_view>& batchCommands();

// Reads one line, without its line feed; a carriage return before it is ignored.
// A line is a JSON array of strings, or an object {"id": any, "args": [...]}.
BatchLine parseBatchLine(std::string_view text);

// Why batch refuses these arguments (an unknown or non-JSON command, help,
// version, CSV output or a file written), empty when it runs them.
std::string refusedArguments(const std::vector<std::string>& args);

}  // namespace thermalyx::cli
