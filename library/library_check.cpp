#include "library/library_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <span>
#include <sstream>
#include <utility>

#include "library/ascii_text.h"
#include "library/device_library.h"
#include "library/device_records.h"
#include "library/ini_file.h"
#include "library/number_text.h"
#include "library/param_file.h"
#include "library/polynomial.h"

namespace thermalyx {
namespace {

constexpr std::size_t kMaxText = 99;
constexpr int kSamples = 2000;               // steps over 0 .. 2 IC
constexpr double kFractionTolerance = 0.01;  // "about 1"

const std::array<const char*, 11> kSpecKeys = {
    "Device Image",    "Circuit composition", "AC Voltage",      "OutputCurrent",
    "Product Info #1", "Product Info #2",     "Product Info #3", "Product Info #4",
    "Product Info #5", "Product Info #6",     "Product Info #7"};

// A finding is one line: control bytes from the files (a record key may hold
// any byte) are shown as \xHH.
std::string printable(const std::string& text) {
    static const char* const digits = "0123456789ABCDEF";
    std::string result;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            result += "\\x";
            result += digits[byte >> 4];
            result += digits[byte & 0x0F];
        } else {
            result += c;
        }
    }
    return result;
}

// The records of the parameter file, read as the program's loader reads them.
std::vector<StoredParamRecord> readRecords(std::string_view bytes,
                                           std::vector<LibraryFinding>& findings) {
    StoredParamRecords walk = walkParamRecords(bytes);
    const std::string number = "record " + std::to_string(walk.records.size() + 1);
    if (walk.end == ParamWalkEnd::UnterminatedKey) {
        findings.push_back({kParamFileName, number + ": the device key has no terminating zero"});
    } else if (walk.end == ParamWalkEnd::CutShort) {
        findings.push_back({walk.cutKey.empty() ? std::string(kParamFileName) : walk.cutKey,
                            number + " of " + kParamFileName +
                                " is cut short: " + std::to_string(walk.bytesAfterCutKey) + " of " +
                                std::to_string(kParamMarkerSize + kParamValuesSize) +
                                " bytes after the key"});
    }
    return std::move(walk.records);
}

void checkKey(const std::string& key, const char* file, std::vector<LibraryFinding>& findings) {
    std::string series;
    std::string typeNumber;
    if (!splitDeviceKey(key, series, typeNumber)) {
        findings.push_back(
            {key.empty() ? std::string(file) : key,
             std::string("the name in ") + file + " is not a device key (series@typeNumber)"});
        return;
    }
    if (typeNumber.empty())
        findings.push_back({key, std::string("empty type number in ") + file +
                                     ": the device list would end here"});
    if (series.size() > kMaxText)
        findings.push_back({key, "the series has " + std::to_string(series.size()) +
                                     " characters, the program keeps " + std::to_string(kMaxText)});
    if (typeNumber.size() > kMaxText)
        findings.push_back({key, "the type number has " + std::to_string(typeNumber.size()) +
                                     " characters, the program keeps " + std::to_string(kMaxText)});
}

// Two sections whose names differ only in letter case are one for the INI
// reader: the second device would get the first one's values.
void checkDuplicates(const std::vector<std::string>& names, const char* file,
                     std::vector<LibraryFinding>& findings) {
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!seen.emplace(foldedAscii(names[i]), i).second)
            findings.push_back({names[i], std::string("appears twice in ") + file +
                                              ": both devices would get the first one's values"});
    }
}

// A value that is missing, empty or longer than the program keeps.
const std::string* checkedValue(const IniFile& ini, const std::string& section, const char* key,
                                const char* file, std::vector<LibraryFinding>& findings) {
    const std::string* value = ini.findValue(section, key);
    if (value == nullptr) {
        findings.push_back({section, std::string("missing key ") + quoted(key) + " in " + file +
                                         ": the program would load no device"});
        return nullptr;
    }
    if (value->empty()) {
        findings.push_back({section, std::string("empty value of ") + quoted(key) + " in " + file +
                                         ": the program would load no device"});
        return nullptr;
    }
    if (value->size() > kMaxText)
        findings.push_back({section, std::string("the value of ") + quoted(key) + " has " +
                                         std::to_string(value->size()) +
                                         " characters, the program keeps " +
                                         std::to_string(kMaxText)});
    return value;
}

struct LimitTriple {
    const char* name;
    int max;
    int min;
    int def;
};

// Positions of max, min and default in the key order of the limits file.
const std::array<LimitTriple, 7> kTriples = {{{"Output frequency", 0, 1, 2},
                                              {"Output current", 3, 4, 5},
                                              {"Carrier frequency", 6, 7, 8},
                                              {"Power factor", 9, 10, 11},
                                              {"Control factor", 12, 13, 14},
                                              {"DCMV", 15, 16, 17},
                                              {"Gate resistance", 18, 19, 20}}};

void checkLimits(const std::string& section, const std::array<double, kLimitCount>& v,
                 std::vector<LibraryFinding>& findings) {
    for (const LimitTriple& t : kTriples) {
        if (!(v[t.min] <= v[t.def] && v[t.def] <= v[t.max]))
            findings.push_back({section, std::string(t.name) + " default " +
                                             formatShortest(v[t.def]) + " is outside min " +
                                             formatShortest(v[t.min]) + " .. max " +
                                             formatShortest(v[t.max])});
    }
    if (!(v[17] > 0.0))
        findings.push_back(
            {section, "DCMV default " + formatShortest(v[17]) +
                          " (the reference voltage of the energies) is not above 0"});
    if (!(v[20] > 0.0))
        findings.push_back({section, "Gate resistance default " + formatShortest(v[20]) +
                                         " (the reference gate resistance) is not above 0"});
    if (!(v[1] > 0.0))
        findings.push_back({section, "Output frequency min " + formatShortest(v[1]) +
                                         " lets 0 Hz through (the calculation divides by it)"});
}

// The curves that must rise over 0 .. 2 IC: where their coefficients stand
// in the parameter record, and how they are evaluated.
struct RisingCurve {
    const char* what;
    std::size_t first;
    std::size_t count;
    double (*value)(std::span<const double>, double);
};
constexpr RisingCurve kRisingCurves[] = {
    {"IGBT saturation voltage", 1, 7, ascendingPolynomial},
    {"FWD forward voltage", 8, 7, ascendingPolynomial},
    {"turn-on energy", 34, 3, cubicThroughZero},
    {"turn-off energy", 37, 3, cubicThroughZero},
    {"recovery energy", 40, 3, cubicThroughZero},
};

// A curve over 0 .. 2 IC that must stay at or above 0 and must not fall.
template <typename Curve>
void checkRising(const std::string& device, const char* what, double ic, Curve curve,
                 std::vector<LibraryFinding>& findings) {
    const double top = 2.0 * ic;
    double scale = 0.0;
    for (int s = 0; s <= kSamples; ++s)
        scale = std::max(scale, std::fabs(curve(top * s / kSamples)));
    // Rounding of the stored coefficients is no fall.
    const double tolerance = 1.0e-12 * scale;
    double previous = 0.0;
    bool negativeSeen = false;
    bool fallSeen = false;
    for (int s = 0; s <= kSamples; ++s) {
        const double i = top * s / kSamples;
        const double value = curve(i);
        if (!std::isfinite(value)) {
            findings.push_back({device, std::string(what) + " is not a finite number at " +
                                            formatFixed(i, 1) + " A"});
            return;
        }
        if (value < -tolerance && !negativeSeen) {
            negativeSeen = true;
            findings.push_back({device, std::string(what) + " is negative at " + formatFixed(i, 1) +
                                            " A (" + formatShortest(value) + ")"});
        }
        if (s > 0 && value < previous - tolerance && !fallSeen) {
            fallSeen = true;
            findings.push_back(
                {device, std::string(what) + " falls with rising current at " + formatFixed(i, 1) +
                             " A (within 0 .. 2 IC = " + formatShortest(top) + " A)"});
        }
        previous = value;
    }
}

void checkParameters(const std::string& device, const std::array<double, kParamCount>& v,
                     const std::string* icText, const std::array<double, kLimitCount>* limits,
                     std::vector<LibraryFinding>& findings) {
    for (int k = 0; k < kParamCount; ++k) {
        if (!std::isfinite(v[k])) {
            findings.push_back(
                {device, "parameter value " + std::to_string(k) + " is not a finite number"});
            return;
        }
    }
    // Thermal network: positive resistances, fractions that add up to the whole.
    if (!(v[15] > 0.0))
        findings.push_back({device, "IGBT Rth(j-c) " + formatShortest(v[15]) + " is not above 0"});
    if (!(v[16] > 0.0))
        findings.push_back({device, "FWD Rth(j-c) " + formatShortest(v[16]) + " is not above 0"});
    if (!(v[43] > 0.0))
        findings.push_back(
            {device, "case-to-fin scale " + formatShortest(v[43]) + " is not above 0"});
    const std::array<std::pair<const char*, int>, 2> fosters = {std::pair{"IGBT", 17},
                                                                std::pair{"FWD", 21}};
    for (const auto& [name, first] : fosters) {
        double sum = 0.0;
        bool negative = false;
        for (int k = 0; k < 4; ++k) {
            sum += v[first + k];
            negative = negative || v[first + k] < 0.0;
        }
        if (std::fabs(sum - 1.0) > kFractionTolerance)
            findings.push_back({device, std::string(name) + " Foster fractions sum to " +
                                            formatShortest(sum) + ", not about 1"});
        if (negative)
            findings.push_back(
                {device, std::string(name) + " Foster fractions hold a negative one"});
    }

    // Curves over 0 .. 2 IC, with IC from the product information.
    double ic = 0.0;
    if (icText == nullptr || !isWholeNumber(*icText) || !((ic = readNumber(*icText)) > 0.0)) {
        findings.push_back({device,
                            "IC(A) (Product Info #2) is not a positive number: the curves "
                            "cannot be checked over 0 .. 2 IC"});
    } else {
        for (const RisingCurve& curve : kRisingCurves) {
            const std::span<const double> c = std::span(v).subspan(curve.first, curve.count);
            checkRising(
                device, curve.what, ic, [&](double i) { return curve.value(c, i); }, findings);
        }
    }

    // Gate-resistance factors over the allowed range: a negative factor turns
    // an energy negative.
    if (limits != nullptr && (*limits)[20] > 0.0 && (*limits)[19] <= (*limits)[18]) {
        const double low = (*limits)[19] / (*limits)[20];
        const double high = (*limits)[18] / (*limits)[20];
        const std::array<std::pair<const char*, int>, 3> factors = {
            std::pair{"turn-on", 25}, std::pair{"turn-off", 28}, std::pair{"recovery", 31}};
        for (const auto& [name, first] : factors) {
            for (int s = 0; s <= 200; ++s) {
                const double r = low + (high - low) * s / 200;
                const double factor = gateQuadratic(std::span(v).subspan(first, 3), r);
                if (!(factor > 0.0)) {
                    findings.push_back({device, std::string(name) +
                                                    " gate-resistance factor is not above 0 at "
                                                    "rg / standard rg = " +
                                                    formatFixed(r, 2)});
                    break;
                }
            }
        }
    }
}

bool readWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    content = text.str();
    return true;
}

}  // namespace

std::vector<LibraryFinding> checkLibraryFiles(std::string_view specBytes,
                                              std::string_view limitsBytes,
                                              std::string_view paramBytes) {
    std::vector<LibraryFinding> findings;
    const IniFile spec = IniFile::parse(specBytes);
    const IniFile limitsIni = IniFile::parse(limitsBytes);
    const std::vector<StoredParamRecord> records = readRecords(paramBytes, findings);

    const std::vector<std::string>& specNames = spec.sectionNames();
    const std::vector<std::string>& limitNames = limitsIni.sectionNames();
    if (specNames.empty())
        findings.push_back({kSpecFileName, "no device sections: the program would load no device"});
    if (limitNames.empty())
        findings.push_back(
            {kLimitsFileName, "no device sections: the program would load no device"});
    if (records.empty() && paramBytes.empty())
        findings.push_back({kParamFileName, "empty or missing: the program would load no device"});

    // The program pairs the files by position: counts and keys must agree.
    if (specNames.size() != limitNames.size() || specNames.size() != records.size())
        findings.push_back(
            {kSpecFileName,
             "the files list different numbers of devices: " + std::to_string(specNames.size()) +
                 " in " + kSpecFileName + ", " + std::to_string(limitNames.size()) + " in " +
                 kLimitsFileName + ", " + std::to_string(records.size()) + " in " + kParamFileName +
                 " (the program pairs them by position)"});
    for (std::size_t i = 0; i < specNames.size(); ++i) {
        if (i < limitNames.size() && limitNames[i] != specNames[i])
            findings.push_back({specNames[i], "device " + std::to_string(i + 1) + " of " +
                                                  kLimitsFileName + " is " +
                                                  quoted(limitNames[i])});
        if (i < records.size() && records[i].key != specNames[i])
            findings.push_back({specNames[i], "device " + std::to_string(i + 1) + " of " +
                                                  kParamFileName + " is " +
                                                  quoted(records[i].key)});
    }

    checkDuplicates(specNames, kSpecFileName, findings);
    checkDuplicates(limitNames, kLimitsFileName, findings);

    // Specification texts.
    std::vector<const std::string*> icTexts(specNames.size(), nullptr);
    for (std::size_t i = 0; i < specNames.size(); ++i) {
        const std::string& section = specNames[i];
        checkKey(section, kSpecFileName, findings);
        for (const char* key : kSpecKeys) {
            const std::string* value = checkedValue(spec, section, key, kSpecFileName, findings);
            if (std::strcmp(key, "Product Info #2") == 0) icTexts[i] = value;
        }
    }

    // Limits.
    std::vector<std::array<double, kLimitCount>> limitValues(limitNames.size());
    std::vector<bool> limitsComplete(limitNames.size(), true);
    for (std::size_t i = 0; i < limitNames.size(); ++i) {
        const std::string& section = limitNames[i];
        checkKey(section, kLimitsFileName, findings);
        for (int k = 0; k < kLimitCount; ++k) {
            const std::string* value =
                checkedValue(limitsIni, section, kLimitKeys[k], kLimitsFileName, findings);
            if (value == nullptr) {
                limitsComplete[i] = false;
                continue;
            }
            const std::string cut = value->substr(0, kMaxText);
            if (!isWholeNumber(cut))
                findings.push_back({section, quoted(kLimitKeys[k]) + " = " + quoted(cut) +
                                                 " is not a number (the program reads " +
                                                 formatShortest(readNumber(cut)) + ")"});
            limitValues[i][k] = readNumber(cut);
        }
        if (limitsComplete[i]) checkLimits(section, limitValues[i], findings);
    }

    // Parameters, paired by position with the texts and limits as the program does.
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& device = records[i].key;
        checkKey(device, kParamFileName, findings);
        const std::string* icText = i < icTexts.size() ? icTexts[i] : nullptr;
        const std::array<double, kLimitCount>* limits =
            i < limitValues.size() && limitsComplete[i] ? &limitValues[i] : nullptr;
        checkParameters(device, records[i].values, icText, limits, findings);
    }
    for (LibraryFinding& finding : findings) {
        finding.device = printable(finding.device);
        finding.message = printable(finding.message);
    }
    return findings;
}

std::vector<LibraryFinding> checkLibrary(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    std::array<std::string, 3> contents;
    const std::array<const char*, 3> names = {kSpecFileName, kLimitsFileName, kParamFileName};
    std::vector<LibraryFinding> missing;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!readWholeFile(base + names[i], contents[i]))
            missing.push_back(
                {names[i], "cannot be read from " + quoted(base.empty() ? "." : base)});
    }
    std::vector<LibraryFinding> findings = checkLibraryFiles(contents[0], contents[1], contents[2]);
    findings.insert(findings.begin(), missing.begin(), missing.end());

    // The program's own loader must accept the files too.
    std::ostringstream quiet;
    DeviceLibrary library(base);
    library.setErrorStream(quiet);
    if (!library.load())
        findings.push_back({kSpecFileName,
                            "the program's loader rejects these files: it would "
                            "show no devices"});
    return findings;
}

}  // namespace thermalyx
