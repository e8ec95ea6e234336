// Private-profile (INI) files: our own reader, with the platform's rules made
// exact.
//
// - Lines end with LF or CR LF; a leading UTF-8 byte-order mark is ignored.
// - A line whose first non-blank character is "[" and that holds a "]" is a
//   section header; the name runs to the last "]" (text after it is ignored).
//   A "[" line without any "]" is an ordinary line.
// - An empty name ("[]", "[  ]") starts no section: its lines are ignored.
// - ";" starts a comment only as a line's first non-blank character.
// - Other lines are "key = value" lines, split at the first "="; lines without
//   "=" and keys before the first section are ignored.
// - Blanks around names, keys and values are trimmed; a value enclosed in a
//   matching pair of quotes (" or ') loses them.
// - Section and key names match without regard to ASCII letter case. When a
//   section or a key appears twice, the first one supplies the values; a
//   section name that appears twice still counts as two sections.
//
// A file is parsed once; every lookup is answered from memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace thermalyx {

// Longest text that a profile value keeps (the platform's 100-byte buffer).
inline constexpr std::size_t kProfileValueLength = 99;

class IniFile {
public:
    // The file without sections.
    IniFile() = default;

    // Parses the bytes of a private-profile file; never fails.
    static IniFile parse(std::string_view bytes);

    // Reads and parses a file. False when it can't be opened or read, with the
    // system's error code (errno) in errorCode.
    static bool read(const std::string& path, IniFile& ini, int& errorCode);

    // Every section's name, in file order, duplicates included.
    const std::vector<std::string>& sectionNames() const { return names_; }

    // The whole value (unquoted, not yet cut) of key in the first section
    // called section; nullptr when either is missing.
    const std::string* findValue(std::string_view section, std::string_view key) const;

private:
    struct Section {
        std::vector<std::pair<std::string, std::string>> entries;  // key, value
    };

    std::vector<std::string> names_;
    std::vector<Section> sections_;  // parallel to names_
    // Folded (ASCII lower-case) name -> its first section.
    std::unordered_map<std::string, std::size_t> firstSection_;
};

// The names block: every section name followed by a zero byte, in file order.
// Returns its length, up to and including the terminating zero of the last
// name; 0 when the file has no sections.
std::size_t readSectionNames(const IniFile& ini, std::string& block);

// Kind text: the value cut to kProfileValueLength characters. False (and the
// destination untouched) when the section or key is missing or the value empty.
bool readProfileValue(const IniFile& ini, std::string_view section, std::string_view key,
                      std::string& text);

// Kind real: the cut value converted as its longest decimal prefix (0 when it
// has none). False when the section or key is missing or the value empty.
bool readProfileValue(const IniFile& ini, std::string_view section, std::string_view key,
                      double& real);

}  // namespace thermalyx
