#include "library/ini_file.h"

#include "library/ascii_text.h"
#include "library/file_handle.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

// The C locale's white space, less the line feed that ends a line.
constexpr std::string_view kBlanks = " \t\r\v\f";

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

        line = trimmed(line, kBlanks);  // also drops the CR of a CR LF line end
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                const std::string_view name = trimmed(line.substr(1, close - 1), kBlanks);
                if (name.empty()) {
                    current = kNoSection;
                    continue;
                }
                current = ini.sections_.size();
                ini.names_.emplace_back(name);
                ini.sections_.emplace_back();
                ini.firstSection_.try_emplace(foldedAscii(name), current);
                continue;
            }
        }

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || current == kNoSection) continue;
        ini.sections_[current].entries.emplace_back(
            trimmed(line.substr(0, equals), kBlanks),
            unquote(trimmed(line.substr(equals + 1), kBlanks)));
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
    const auto found = firstSection_.find(foldedAscii(section));
    if (found == firstSection_.end()) return nullptr;
    for (const auto& [name, value] : sections_[found->second].entries) {
        if (equalFoldedAscii(name, key)) return &value;
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
