// The lines of a report as the report tests read them back.
#pragma once

#include <string>
#include <vector>

namespace thermalyx::test {

// The lines of a report, each without its CR LF; false when a line lacks it.
inline bool splitReportLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

}  // namespace thermalyx::test
