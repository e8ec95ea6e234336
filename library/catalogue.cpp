#include "library/catalogue.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "library/ascii_text.h"
#include "library/csv_table.h"
#include "library/number_text.h"

namespace thermalyx {

const std::array<const char*, 13 + kLimitCount> kDeviceColumns = {
    "series", "typeNumber", "deviceImage", "circuitComposition", "acVoltage", "outputCurrent",
    "VCES(V)", "IC(A)", "VCE(sat)(V)", "PC(W)", "Standard rg(ohm)", "Package", "Update",
    // The limit columns carry the keys of the limits file.
    "Output frequency max", "Output frequency min", "Output frequency default",
    "Output current max", "Output current min", "Output current default", "Carrier frequency max",
    "Carrier frequency min", "Carrier frequency default", "Power factor max", "Power factor min",
    "Power factor default", "Control factor max", "Control factor min", "Control factor default",
    "DCMV max", "DCMV min", "DCMV default", "Gate resistance max", "Gate resistance min",
    "Gate resistance default"};

const std::array<const char*, 15> kThermalColumns = {
    "series",     "typeNumber",  "RthjcIGBT", "RthjcFWD",    "fIGBT_1ms",
    "fIGBT_10ms", "fIGBT_100ms", "fIGBT_1s",  "fFWD_1ms",    "fFWD_10ms",
    "fFWD_100ms", "fFWD_1s",     "RthcfPair", "RthcfModule", "caseFinScale"};

const std::array<const char*, 5> kCurveColumns = {"series", "typeNumber", "curve", "x", "y"};

namespace {

constexpr std::size_t kMaxText = 99;  // the library's text fields hold 99 characters

const std::array<const char*, kCurveKindCount> kCurveNames = {"VCE", "VF",  "Eon",  "Eoff",
                                                              "Err", "Kon", "Koff", "Krr"};

struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvTable {
    std::string name;
    std::vector<std::string> header;
    int headerLine = 0;
    std::vector<CsvRow> rows;
    std::map<std::string, int> columnIndex;  // 0-based
};

bool fail(CatalogueError& error, const std::string& file, int line, int column,
          std::string message) {
    error.file = file;
    error.line = line;
    error.column = column;
    error.message = std::move(message);
    return false;
}

// Blanks around a field or on an empty line.
constexpr std::string_view kBlanks = " \t";

// Splits one line into fields: commas separate, a field in double quotes may
// hold commas and "" for a quote.
bool splitLine(std::string_view line, const std::string& name, int lineNumber,
               std::vector<std::string>& fields, CatalogueError& error) {
    fields.clear();
    std::size_t pos = 0;
    while (true) {
        std::string field;
        std::size_t start = pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        if (pos < line.size() && line[pos] == '"') {
            if (!readQuotedField(line, pos, field))
                return fail(error, name, lineNumber, static_cast<int>(fields.size()) + 1,
                            "unterminated quoted field");
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
            if (pos < line.size() && line[pos] != ',')
                return fail(error, name, lineNumber, static_cast<int>(fields.size()) + 1,
                            "text after the closing quote");
        } else {
            pos = start;
            while (pos < line.size() && line[pos] != ',') ++pos;
            field = trimmed(line.substr(start, pos - start), kBlanks);
        }
        fields.push_back(std::move(field));
        if (pos >= line.size()) break;
        ++pos;  // the comma
    }
    return true;
}

bool parseTable(std::string_view text, const std::string& name, CsvTable& table,
                CatalogueError& error) {
    table = CsvTable{};
    table.name = name;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int lineNumber = 0;
    std::size_t pos = 0;
    std::vector<std::string> fields;
    while (pos < text.size()) {
        const std::string_view line = nextLine(text, pos);
        ++lineNumber;
        if (trimmed(line, kBlanks).empty()) continue;
        if (!splitLine(line, name, lineNumber, fields, error)) return false;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            for (char c : fields[i]) {
                if (static_cast<unsigned char>(c) < 0x20)
                    return fail(error, name, lineNumber, static_cast<int>(i) + 1,
                                "control character in the field");
            }
        }
        if (table.header.empty()) {
            table.header = fields;
            table.headerLine = lineNumber;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (!table.columnIndex.emplace(fields[i], static_cast<int>(i)).second)
                    return fail(error, name, lineNumber, static_cast<int>(i) + 1,
                                "column " + quoted(fields[i]) + " appears twice");
            }
            continue;
        }
        if (fields.size() != table.header.size()) {
            const int column = static_cast<int>(std::min(fields.size(), table.header.size())) + 1;
            return fail(error, name, lineNumber, column,
                        std::to_string(fields.size()) + " fields, but the header names " +
                            std::to_string(table.header.size()) + " columns");
        }
        table.rows.push_back(CsvRow{lineNumber, fields});
    }
    if (table.header.empty()) return fail(error, name, 1, 1, "the file is empty");
    return true;
}

// The 0-based index of each named column, or an error naming the one missing.
template <std::size_t N>
bool findColumns(const CsvTable& table, const std::array<const char*, N>& names,
                 std::array<int, N>& index, CatalogueError& error) {
    for (std::size_t i = 0; i < N; ++i) {
        const auto found = table.columnIndex.find(names[i]);
        if (found == table.columnIndex.end())
            return fail(error, table.name, table.headerLine,
                        static_cast<int>(table.header.size()) + 1,
                        "missing column " + quoted(names[i]));
        index[i] = found->second;
    }
    return true;
}

// A table read and its named columns found.
template <std::size_t N>
bool readTable(std::string_view text, const std::string& name,
               const std::array<const char*, N>& columnNames, CsvTable& table,
               std::array<int, N>& columns, CatalogueError& error) {
    return parseTable(text, name, table, error) && findColumns(table, columnNames, columns, error);
}

// The device a row names by its first two columns, series and type number:
// its key and its index in the device table.
template <std::size_t N>
bool findRowDevice(const CsvTable& table, const CsvRow& row, const std::array<int, N>& columns,
                   const std::map<std::string, std::size_t>& byKey, const std::string& devicesName,
                   std::string& key, std::size_t& index, CatalogueError& error) {
    key = row.fields[columns[0]] + "@" + row.fields[columns[1]];
    const auto found = byKey.find(key);
    if (found == byKey.end())
        return fail(error, table.name, row.line, columns[1] + 1,
                    "unknown device " + quoted(key) + " (not in " + devicesName + ")");
    index = found->second;
    return true;
}

bool readNumberField(const CsvTable& table, const CsvRow& row, int column, double& value,
                     CatalogueError& error) {
    const std::string& field = row.fields[static_cast<std::size_t>(column)];
    if (field.empty())
        return fail(
            error, table.name, row.line, column + 1,
            "empty value in column " + quoted(table.header[column]) + ", a number is needed");
    if (!isWholeNumber(field))
        return fail(
            error, table.name, row.line, column + 1,
            quoted(field) + " in column " + quoted(table.header[column]) + " is not a number");
    value = readNumber(field);
    if (!std::isfinite(value))
        return fail(
            error, table.name, row.line, column + 1,
            quoted(field) + " in column " + quoted(table.header[column]) + " is out of range");
    return true;
}

// A text that goes into a data file: not empty (the program refuses empty
// values) and no longer than the program's 99-character fields.
bool readTextField(const CsvTable& table, const CsvRow& row, int column, std::string& value,
                   CatalogueError& error) {
    const std::string& field = row.fields[static_cast<std::size_t>(column)];
    if (field.empty())
        return fail(error, table.name, row.line, column + 1,
                    "empty value in column " + quoted(table.header[column]));
    if (field.size() > kMaxText)
        return fail(error, table.name, row.line, column + 1,
                    "the text in column " + quoted(table.header[column]) + " has " +
                        std::to_string(field.size()) + " characters, at most " +
                        std::to_string(kMaxText) + " fit");
    value = field;
    return true;
}

// Series and type number name an INI section and a binary record: the first
// "@" splits the key, so the series may hold none, and "]" would end the
// section name.
bool readKeyField(const CsvTable& table, const CsvRow& row, int column, bool isSeries,
                  std::string& value, CatalogueError& error) {
    if (!readTextField(table, row, column, value, error)) return false;
    if (isSeries && value.find('@') != std::string::npos)
        return fail(error, table.name, row.line, column + 1,
                    "the series " + quoted(value) + " holds an \"@\", which splits the device key");
    if (value.find_first_of("[]") != std::string::npos)
        return fail(error, table.name, row.line, column + 1,
                    quoted(value) + " holds a bracket, which an INI section name cannot");
    return true;
}

}  // namespace

const char* curveName(CurveKind kind) {
    return kCurveNames[static_cast<std::size_t>(kind)];
}

int minimumCurvePoints(CurveKind kind) {
    switch (kind) {
        case CurveKind::VCE:
        case CurveKind::VF:
            return 8;  // degree 6: seven coefficients
        case CurveKind::Eon:
        case CurveKind::Eoff:
        case CurveKind::Err:
            return 4;  // cubic without constant term: three coefficients
        case CurveKind::Kon:
        case CurveKind::Koff:
        case CurveKind::Krr:
            return 3;  // quadratic held at 1 for the standard rg: two coefficients
    }
    return 0;
}

std::string CatalogueError::text() const {
    std::string result = file;
    if (line > 0) result += ", line " + std::to_string(line);
    if (column > 0) result += ", column " + std::to_string(column);
    result += ": " + message;
    return result;
}

bool parseCatalogue(std::string_view devicesCsv, std::string_view curvesCsv,
                    std::string_view thermalCsv, Catalogue& catalogue, CatalogueError& error,
                    const std::string& devicesName, const std::string& curvesName,
                    const std::string& thermalName) {
    catalogue = Catalogue{};
    error = CatalogueError{};

    // devices.csv
    CsvTable devices;
    std::array<int, kDeviceColumns.size()> dc{};
    if (!readTable(devicesCsv, devicesName, kDeviceColumns, devices, dc, error)) return false;
    std::map<std::string, std::size_t> byKey;
    for (const CsvRow& row : devices.rows) {
        CatalogueDevice device;
        device.line = row.line;
        if (!readKeyField(devices, row, dc[0], true, device.series, error) ||
            !readKeyField(devices, row, dc[1], false, device.typeNumber, error) ||
            !readTextField(devices, row, dc[2], device.deviceImage, error) ||
            !readTextField(devices, row, dc[3], device.circuitComposition, error) ||
            !readTextField(devices, row, dc[4], device.acVoltage, error) ||
            !readTextField(devices, row, dc[5], device.outputCurrent, error))
            return false;
        for (int i = 0; i < 7; ++i) {
            if (!readTextField(devices, row, dc[6 + i], device.productInfo[i], error)) return false;
        }
        // IC(A) is both a text shown to the user and the scale of the fits.
        if (!readNumberField(devices, row, dc[7], device.nominalCurrent, error)) return false;
        if (device.nominalCurrent <= 0.0)
            return fail(error, devices.name, row.line, dc[7] + 1,
                        "the nominal current IC(A) must be above 0");
        for (int i = 0; i < kLimitCount; ++i) {
            if (!readNumberField(devices, row, dc[13 + i], device.limits[i], error)) return false;
        }
        if (device.key().size() > kMaxText)
            return fail(error, devices.name, row.line, dc[1] + 1,
                        "the device key " + quoted(device.key()) + " is longer than " +
                            std::to_string(kMaxText) + " characters");
        if (!byKey.emplace(device.key(), catalogue.devices.size()).second)
            return fail(error, devices.name, row.line, dc[1] + 1,
                        "the device " + quoted(device.key()) + " is listed twice");
        catalogue.devices.push_back(std::move(device));
    }
    if (catalogue.devices.empty())
        return fail(error, devices.name, devices.headerLine + 1, 1, "no devices");

    // thermal.csv
    CsvTable thermal;
    std::array<int, kThermalColumns.size()> tc{};
    if (!readTable(thermalCsv, thermalName, kThermalColumns, thermal, tc, error)) return false;
    std::vector<bool> hasThermal(catalogue.devices.size(), false);
    for (const CsvRow& row : thermal.rows) {
        std::string key;
        std::size_t index = 0;
        if (!findRowDevice(thermal, row, tc, byKey, devicesName, key, index, error)) return false;
        if (hasThermal[index])
            return fail(error, thermal.name, row.line, tc[1] + 1,
                        "a second row for " + quoted(key));
        hasThermal[index] = true;
        std::array<double, 13> v{};
        for (int i = 0; i < 13; ++i) {
            if (!readNumberField(thermal, row, tc[2 + i], v[i], error)) return false;
        }
        CatalogueThermal& t = catalogue.devices[index].thermal;
        t.rthjcIgbt = v[0];
        t.rthjcFwd = v[1];
        for (int k = 0; k < 4; ++k) {
            t.igbtFractions[k] = v[2 + k];
            t.fwdFractions[k] = v[6 + k];
        }
        t.rthcfPair = v[10];
        t.rthcfModule = v[11];
        t.caseFinScale = v[12];
        t.line = row.line;
        // The case-to-fin network is driven by one pair's loss, so value 43
        // must be the per-position resistance over the fixed fractions' sum.
        const double expected = t.rthcfPair / kCaseFinPairFactor;
        if (!(std::fabs(t.caseFinScale - expected) <= 1.0e-4 * std::fabs(expected)))
            return fail(error, thermal.name, row.line, tc[14] + 1,
                        "caseFinScale " + formatShortest(t.caseFinScale) + " of " + quoted(key) +
                            " is not RthcfPair / " + formatShortest(kCaseFinPairFactor) + " = " +
                            formatShortest(expected));
    }

    // curves.csv
    CsvTable curves;
    std::array<int, kCurveColumns.size()> cc{};
    if (!readTable(curvesCsv, curvesName, kCurveColumns, curves, cc, error)) return false;
    for (const CsvRow& row : curves.rows) {
        std::string key;
        std::size_t index = 0;
        if (!findRowDevice(curves, row, cc, byKey, devicesName, key, index, error)) return false;
        const std::string& curve = row.fields[cc[2]];
        int kind = -1;
        for (int k = 0; k < kCurveKindCount; ++k) {
            if (curve == kCurveNames[k]) kind = k;
        }
        if (kind < 0)
            return fail(
                error, curves.name, row.line, cc[2] + 1,
                "unknown curve " + quoted(curve) + " (VCE, VF, Eon, Eoff, Err, Kon, Koff or Krr)");
        CurvePoint point;
        point.line = row.line;
        if (!readNumberField(curves, row, cc[3], point.x, error) ||
            !readNumberField(curves, row, cc[4], point.y, error))
            return false;
        catalogue.devices[index].curves[kind].push_back(point);
    }

    for (std::size_t i = 0; i < catalogue.devices.size(); ++i) {
        const CatalogueDevice& device = catalogue.devices[i];
        if (!hasThermal[i])
            return fail(error, devices.name, device.line, dc[1] + 1,
                        quoted(device.key()) + " has no row in " + thermalName);
        for (int k = 0; k < kCurveKindCount; ++k) {
            const auto& points = device.curves[k];
            const int needed = minimumCurvePoints(static_cast<CurveKind>(k));
            if (points.empty())
                return fail(error, devices.name, device.line, dc[1] + 1,
                            quoted(device.key()) + " has no " + kCurveNames[k] + " points in " +
                                curvesName);
            if (static_cast<int>(points.size()) < needed)
                return fail(error, curves.name, points.back().line, cc[2] + 1,
                            "too few " + std::string(kCurveNames[k]) + " points for " +
                                quoted(device.key()) + ": " + std::to_string(points.size()) +
                                ", at least " + std::to_string(needed) + " needed");
        }
    }
    return true;
}

bool readCatalogue(const std::string& folder, Catalogue& catalogue, CatalogueError& error) {
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    std::array<std::string, 3> texts;
    const std::array<std::string, 3> names = {
        base + kCatalogueDevicesFile, base + kCatalogueCurvesFile, base + kCatalogueThermalFile};
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::ifstream in(names[i], std::ios::binary);
        if (!in) return fail(error, names[i], 0, 0, "cannot open the file");
        std::ostringstream content;
        content << in.rdbuf();
        texts[i] = content.str();
    }
    return parseCatalogue(texts[0], texts[1], texts[2], catalogue, error, names[0], names[1],
                          names[2]);
}

}  // namespace thermalyx
