#include "library/ini_file.h"

#include "library/file_handle.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

bool isBlank(char c) {
    // The C locale's white space, less the line feed that ends a line.
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string folded(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = foldCase(c);
    return result;
}

bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The value as the platform's 100-byte buffer holds it; false when missing or empty.
bool cutValue(const IniFile& ini, std::string_view section, std::string_view key,
              std::string_view& text) {
    const std::string* value = ini.findValue(section, key);
    if (value == nullptr || value->empty()) return false;
    text = std::string_view(*value).substr(0, kProfileValueLength);
    return true;
}

}  // namespace

IniFile IniFile::parse(std::string_view bytes) {
    IniFile ini;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);

    // Index of the section that receives key lines; none before the first
    // header and after a header with an empty name.
    constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    std::size_t current = kNoSection;

    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        std::string_view line = bytes.substr(0, lineFeed);
        bytes.remove_prefix(lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1);

        line = trim(line);  // also drops the CR of a CR LF line end
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                const std::string_view name = trim(line.substr(1, close - 1));
                if (name.empty()) {
                    current = kNoSection;
                    continue;
                }
                current = ini.sections_.size();
                ini.names_.emplace_back(name);
                ini.sections_.emplace_back();
                ini.firstSection_.try_emplace(folded(name), current);
                continue;
            }
        }

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || current == kNoSection) continue;
        ini.sections_[current].entries.emplace_back(trim(line.substr(0, equals)),
                                                    unquote(trim(line.substr(equals + 1))));
    }
    return ini;
}

bool IniFile::read(const std::string& path, IniFile& ini, int& errorCode) {
    std::string bytes;
    if (!readWholeFile(path, bytes, errorCode)) return false;
    ini = parse(bytes);
    return true;
}

const std::string* IniFile::findValue(std::string_view section, std::string_view key) const {
    const auto found = firstSection_.find(folded(section));
    if (found == firstSection_.end()) return nullptr;
    for (const auto& [name, value] : sections_[found->second].entries) {
        if (equalFolded(name, key)) return &value;
    }
    return nullptr;
}

std::size_t readSectionNames(const IniFile& ini, std::string& block) {
    block.clear();
    for (const std::string& name : ini.sectionNames()) {
        block += name;
        block += '\0';
    }
    return block.size();
}

bool readProfileValue(const IniFile& ini, std::string_view section, std::string_view key,
                      std::string& text) {
    std::string_view value;
    if (!cutValue(ini, section, key, value)) return false;
    text.assign(value);
    return true;
}

bool readProfileValue(const IniFile& ini, std::string_view section, std::string_view key,
                      double& real) {
    std::string_view value;
    if (!cutValue(ini, section, key, value)) return false;
    real = readNumber(value);
    return true;
}

}  // namespace thermalyx
