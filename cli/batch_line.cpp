#include "cli/batch_line.h"

#include <algorithm>
#include <cstddef>

namespace thermalyx::cli {
namespace {

using nlohmann::json;

// Deeper nesting than this is refused before parsing: writing an id back
// recurses once per level.
constexpr int kMaxDepth = 64;

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    });
}

// The deepest nesting of arrays and objects, brackets inside strings not counted.
int nestingDepth(std::string_view text) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

BatchLine refuse(BatchLine line, std::string error) {
    line.kind = BatchLineKind::Refused;
    line.args.clear();
    line.error = std::move(error);
    return line;
}

// The option's name: "--report=x" is "--report".
std::string_view optionName(std::string_view arg) {
    if (!arg.starts_with("--")) return arg;
    return arg.substr(0, arg.find('='));
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string jsonQuoted(std::string_view text) {
    return json(std::string(text)).dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

const std::vector<std::string_view>& batchCommands() {
    static const std::vector<std::string_view> commands = {
        "library", "find", "steady", "cycle", "lifetime", "rank", "capability", "sweep"};
    return commands;
}

BatchLine parseBatchLine(std::string_view text) {
    BatchLine line;
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (isBlank(text)) return line;
    if (nestingDepth(text) > kMaxDepth) {
        return refuse(std::move(line), "the line nests deeper than " + std::to_string(kMaxDepth) +
                                           " arrays and objects");
    }
    const json value = json::parse(text, nullptr, false);
    if (value.is_discarded()) return refuse(std::move(line), "the line is not valid JSON");

    const json* args = &value;
    if (value.is_object()) {
        if (auto id = value.find("id"); id != value.end()) line.id = *id;
        auto found = value.find("args");
        if (found == value.end() || !found->is_array()) {
            return refuse(std::move(line), "the object has no \"args\" array");
        }
        args = &*found;
    } else if (!value.is_array()) {
        return refuse(std::move(line),
                      "a line is a JSON array of arguments or an object with \"args\"");
    }
    if (args->empty()) return refuse(std::move(line), "the argument array is empty");
    for (const json& arg : *args) {
        if (!arg.is_string()) return refuse(std::move(line), "every argument must be a string");
        line.args.push_back(arg.get<std::string>());
    }
    if (std::string error = refusedArguments(line.args); !error.empty()) {
        return refuse(std::move(line), std::move(error));
    }
    line.kind = BatchLineKind::Command;
    return line;
}

std::string refusedArguments(const std::vector<std::string>& args) {
    if (args.empty()) return "the argument array is empty";
    const std::vector<std::string_view>& commands = batchCommands();
    if (std::find(commands.begin(), commands.end(), args.front()) == commands.end()) {
        std::string list;
        for (std::string_view command : commands) {
            list += list.empty() ? "" : ", ";
            list += command;
        }
        return "batch runs only " + list + ", not " + jsonQuoted(args.front());
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const std::string_view name = optionName(arg);
        if (name == "-h" || name == "--help" || name == "--help-all" || name == "--version") {
            return std::string(name) + " prints no JSON; batch does not take it";
        }
        if (name == "--format") {
            const bool inlineValue = arg.size() > name.size();
            const std::string_view format = inlineValue           ? arg.substr(name.size() + 1)
                                            : i + 1 < args.size() ? std::string_view(args[i + 1])
                                                                  : std::string_view();
            if (format != "json") return "--format " + jsonQuoted(format) + " prints no JSON line";
        }
        if (name == "--report" || endsWith(name, "-csv")) {
            return std::string(name) +
                   " writes a file, which lines running side by side could overwrite; "
                   "run it as a command of its own";
        }
    }
    return {};
}

}  // namespace thermalyx::cli
