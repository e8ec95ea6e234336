// What the modes fuzz target does with one input, shared with the unit test
// that replays its seeds and tests/fuzz/regressions/. The first byte picks a
// device of the sample line; the rest is the content of a modes file.
//
// Beyond "no crash": a file is read as eleven fields a row, each row giving
// back its line byte for byte, or refused with a message naming a line that
// really is wrong (or "no modes"), leaving the caller's rows as they were; and
// every row read goes through the mode rules of rule_inputs.h.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "cli/modes_file.h"
#include "tests/fuzz/rule_inputs.h"

namespace thermalyx::fuzz {

// The lines of a modes file that hold a mode, without their line ends.
inline std::vector<std::string_view> modeLines(std::string_view content) {
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t end = std::min(content.find('\n'), content.size());
        std::string_view line = content.substr(0, end);
        content.remove_prefix(std::min(end + 1, content.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

inline bool holdsMode(std::string_view line) {
    return !line.empty() && line.front() != '#';
}

// A line is a mode when it has eleven fields and ends in ",LOCK" or ",NORMAL".
inline bool isModeLine(std::string_view line) {
    if (std::count(line.begin(), line.end(), ',') != 10) return false;
    const std::string_view last = line.substr(line.rfind(',') + 1);
    return last == kDcLockText || last == kNormalText;
}

inline void exerciseModes(std::string_view bytes, const std::vector<ConditionLimits>& devices) {
    check(!devices.empty());
    if (bytes.empty()) return;
    const ConditionLimits& limits = devices[static_cast<unsigned char>(bytes[0]) % devices.size()];
    const std::string_view content = bytes.substr(1);
    const std::vector<std::string_view> lines = modeLines(content);

    std::vector<ModeRowTexts> rows(1);
    rows[0].columns[0] = "untouched";
    std::string error;
    if (!cli::parseModeLines(content, rows, error)) {
        check(rows.size() == 1 && rows[0].columns[0] == "untouched");
        if (error == "no modes") {
            check(std::none_of(lines.begin(), lines.end(), holdsMode));
            return;
        }
        // "line N: ...": N is the first line that holds no mode.
        check(error.starts_with("line "));
        const NumberPrefix number = readNumberPrefix(std::string_view(error).substr(5));
        const std::size_t n = static_cast<std::size_t>(number.value);
        check(number.length > 0 && n >= 1 && n <= lines.size());
        check(error.substr(5 + number.length, 2) == ": ");
        for (std::size_t i = 0; i + 1 < n; ++i) check(!holdsMode(lines[i]) || isModeLine(lines[i]));
        check(holdsMode(lines[n - 1]) && !isModeLine(lines[n - 1]));
        return;
    }

    std::size_t next = 0;
    for (std::string_view line : lines) {
        if (!holdsMode(line)) continue;
        check(next < rows.size());
        std::string joined;
        for (const std::string& column : rows[next].columns) joined += column + ",";
        joined += rows[next].dcLock ? kDcLockText : kNormalText;
        check(joined == line);
        ++next;
    }
    check(next == rows.size() && next > 0);

    // What the cycle command does next: each row through the rules.
    for (std::size_t r = 0; r < rows.size() && r <= static_cast<std::size_t>(kMaxModes); ++r) {
        const std::vector<std::string_view> fields(rows[r].columns.begin(), rows[r].columns.end());
        exerciseModeRow(fields, rows[r].dcLock, std::min<std::size_t>(rows.size(), kMaxModes + 1),
                        limits);
    }
}

}  // namespace thermalyx::fuzz
