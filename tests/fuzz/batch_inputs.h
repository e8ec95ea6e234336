// What the batch fuzz target does with one input, shared with the unit test
// that replays its seeds and tests/fuzz/regressions/. The bytes are the
// standard input of a batch.
//
// Beyond "no crash": every line is blank, a command batch runs (one of its
// commands, no refused option) or refused with a reason; its answer is one JSON
// object giving back the line number and the id; and a whole batch answers
// every line that is not blank, once, in input order.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/batch.h"
#include "tests/fuzz/fuzz_inputs.h"

namespace thermalyx::fuzz {

inline bool isBlankLine(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    return std::all_of(line.begin(), line.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    });
}

inline void checkAnswer(const std::string& answer, std::size_t number, const cli::BatchLine& line,
                        int exit) {
    const nlohmann::json parsed = nlohmann::json::parse(answer, nullptr, false);
    require(parsed.is_object());
    require(parsed.value("line", std::size_t{0}) == number);
    require(parsed.value("exit", -1) == exit);
    require(parsed.contains("id") == line.id.has_value());
    if (line.id) {
        const auto text = [](const nlohmann::json& j) {
            return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        };
        require(text(parsed.at("id")) == text(*line.id));
    }
    require(parsed.contains(exit == 0 ? "result" : "error"));
}

inline void exerciseBatch(std::string_view bytes) {
    // Each line alone.
    std::vector<std::string_view> lines;
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const auto& commands = cli::batchCommands();
    std::size_t expectedAnswers = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const cli::BatchLine line = cli::parseBatchLine(lines[i]);
        require((line.kind == cli::BatchLineKind::Blank) == isBlankLine(lines[i]));
        if (line.kind == cli::BatchLineKind::Blank) continue;
        ++expectedAnswers;
        if (line.kind == cli::BatchLineKind::Command) {
            require(!line.args.empty());
            require(std::find(commands.begin(), commands.end(), line.args.front()) !=
                    commands.end());
            require(cli::refusedArguments(line.args).empty());
            checkAnswer(cli::batchAnswer(i + 1, line, 0, "[]"), i + 1, line, 0);
        } else {
            require(!line.error.empty() && line.args.empty());
            checkAnswer(cli::batchAnswer(i + 1, line, cli::kExitBadLine, line.error), i + 1, line,
                        cli::kExitBadLine);
        }
    }

    // The whole input as one batch, with a command that echoes its arguments.
    const cli::CommandRunner echo = [](const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream&) {
        out << nlohmann::json(args).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
            << '\n';
        return 0;
    };
    std::istringstream in{std::string(bytes)};
    std::ostringstream out;
    cli::BatchOptions options;
    options.jobs = 2;
    options.window = 3;
    cli::BatchCounts counts;
    const int status = cli::runBatch(in, out, options, echo, &counts);
    require(counts.lines == lines.size() && counts.mostInFlight <= options.window);
    std::istringstream answers(out.str());
    std::size_t written = 0;
    std::size_t lastLine = 0;
    bool anyRefused = false;
    for (std::string answer; std::getline(answers, answer); ++written) {
        const nlohmann::json parsed = nlohmann::json::parse(answer, nullptr, false);
        require(parsed.is_object());
        const std::size_t number = parsed.value("line", std::size_t{0});
        require(number > lastLine && number <= lines.size() && !isBlankLine(lines[number - 1]));
        lastLine = number;
        anyRefused = anyRefused || parsed.value("exit", 0) != 0;
    }
    require(written == expectedAnswers);
    require(status == (anyRefused ? cli::kExitBatchLineFailed : cli::kExitBatchOk));
}

}  // namespace thermalyx::fuzz
