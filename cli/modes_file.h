// The modes file of "cycle": the rows of the mode table as texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/input_rules.h"

namespace thermalyx::cli {

// The comma-separated fields of a text, as they stand (no blanks removed).
std::vector<std::string> splitFields(std::string_view text);

// Reads the rows of a modes file: one mode per line, eleven comma-separated
// fields in the mode table's column order, the last "LOCK" or "NORMAL"; empty
// lines and lines starting with "#" are skipped. Fields are taken as they stand;
// only the line end (LF or CR LF) is removed. False with a message on a usage error.
bool parseModeLines(std::string_view content, std::vector<ModeRowTexts>& rows, std::string& error);
bool readModeFile(const std::string& path, std::vector<ModeRowTexts>& rows, std::string& error);

}  // namespace thermalyx::cli
