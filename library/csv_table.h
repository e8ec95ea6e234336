// Comma-separated tables (RFC 4180) of the figures the program exports: a
// comma between fields, CR LF after each row, a field quoted only when it holds
// a comma, a quote or a line break, with its quotes doubled.
//
// Numbers are written as the shortest text that reads back to the same double,
// with a decimal point whatever the user's locale, so a table can be read back
// without loss. A number that is not finite is an empty field.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/report_file.h"

namespace thermalyx {

// One field as it stands in a row.
std::string csvField(std::string_view text);

// A number field.
std::string csvNumber(double value);

// Appends one row of fields (already made with csvField or csvNumber) and its
// line end to table.
void appendCsvRow(std::string& table, const std::vector<std::string>& fields);

// The rows of a table, fields unquoted. False (with reason) for a quote that
// is never closed or text after a closing quote.
// The quoted field that starts at text[pos] (a double quote), with "" read as
// one quote, appended to field; pos moves past the closing quote. False when
// the quote is never closed.
bool readQuotedField(std::string_view text, std::size_t& pos, std::string& field);

bool parseCsv(std::string_view table, std::vector<std::vector<std::string>>& rows,
              std::string& reason);

// Writes a finished table as a report is written: through a temporary file
// beside the target, renamed into place only when every byte is on the disk.
bool writeCsvFile(const std::string& path, std::string_view table, std::string& reason,
                  ReportFileSystem* files = nullptr);

}  // namespace thermalyx
