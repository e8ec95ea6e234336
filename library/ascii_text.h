// Small text helpers of the data files: quoting for messages, trimming and
// ASCII letter-case folding (no locale, so every system reads a file alike).
#pragma once

#include <string>
#include <string_view>

namespace thermalyx {

// text in double quotes, for a message.
std::string quoted(std::string_view text);

// text without the leading and trailing characters that occur in blanks.
std::string_view trimmed(std::string_view text, std::string_view blanks);

// A..Z as a..z; every other byte unchanged.
char foldedAscii(char c);
std::string foldedAscii(std::string_view text);
bool equalFoldedAscii(std::string_view a, std::string_view b);

// The line of text that starts at pos, without its LF or CR LF; pos moves on
// to the next line (past the end after the last).
std::string_view nextLine(std::string_view text, std::size_t& pos);

}  // namespace thermalyx
