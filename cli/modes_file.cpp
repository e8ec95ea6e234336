#include "cli/modes_file.h"

#include <fstream>
#include <iterator>

#include "library/ascii_text.h"

namespace thermalyx::cli {
namespace {

constexpr std::size_t kModeFileFields = 11;
constexpr std::size_t kMaxModeFileBytes = std::size_t{1} << 20;

}  // namespace

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

bool parseModeLines(std::string_view content, std::vector<ModeRowTexts>& rows, std::string& error) {
    std::vector<ModeRowTexts> parsed;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::string_view line = nextLine(content, start);
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;

        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() != kModeFileFields) {
            error = "line " + std::to_string(lineNumber) +
                    ": expected 11 comma-separated fields, found " + std::to_string(fields.size());
            return false;
        }
        ModeRowTexts row;
        std::copy(fields.begin(), fields.begin() + kModeTextColumns, row.columns.begin());
        const std::string& lock = fields[kModeTextColumns];
        if (lock != kDcLockText && lock != kNormalText) {
            error = "line " + std::to_string(lineNumber) +
                    ": the 11th field must be LOCK or NORMAL, found \"" + lock + "\"";
            return false;
        }
        row.dcLock = lock == kDcLockText;
        parsed.push_back(std::move(row));
    }
    if (parsed.empty()) {
        error = "no modes";
        return false;
    }
    rows = std::move(parsed);
    return true;
}

bool readModeFile(const std::string& path, std::vector<ModeRowTexts>& rows, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    // 25 rows of eleven fields fit many times over; anything longer (a device
    // such as /dev/zero, a runaway file) is refused without being read to its end.
    std::string content(kMaxModeFileBytes + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (content.size() > kMaxModeFileBytes) {
        error = path + ": longer than " + std::to_string(kMaxModeFileBytes) + " bytes";
        return false;
    }
    if (!parseModeLines(content, rows, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace thermalyx::cli
