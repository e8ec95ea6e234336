#include "library/csv_table.h"

#include <cmath>

#include "library/number_text.h"

namespace thermalyx {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvNumber(double value) {
    return std::isfinite(value) ? formatShortest(value) : std::string();
}

void appendCsvRow(std::string& table, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) table += ',';
        table += fields[i];
    }
    table += "\r\n";
}

bool readQuotedField(std::string_view text, std::size_t& pos, std::string& field) {
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            ++pos;
            // A doubled quote is one quote of the text; a single one closes.
            if (pos >= text.size() || text[pos] != '"') return true;
        }
        field += text[pos++];
    }
    return false;
}

bool parseCsv(std::string_view table, std::vector<std::vector<std::string>>& rows,
              std::string& reason) {
    rows.clear();
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const auto endRow = [&] {
        row.push_back(std::move(field));
        field.clear();
        rows.push_back(std::move(row));
        row.clear();
    };
    while (i < table.size()) {
        if (table[i] == '"' && field.empty()) {
            if (!readQuotedField(table, i, field)) {
                reason = "a quoted field is never closed";
                return false;
            }
            if (i < table.size() && table[i] != ',' && table[i] != '\r' && table[i] != '\n') {
                reason = "text after a closing quote";
                return false;
            }
            continue;
        }
        const char c = table[i++];
        if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i < table.size() && table[i] == '\n') ++i;
            endRow();
        } else {
            field += c;
        }
    }
    // A last row without its line end.
    if (!field.empty() || !row.empty()) endRow();
    return true;
}

bool writeCsvFile(const std::string& path, std::string_view table, std::string& reason,
                  ReportFileSystem* files) {
    return writeReportFile(path, table, files ? *files : systemReportFileSystem(), reason);
}

}  // namespace thermalyx
