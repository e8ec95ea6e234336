// Reading the catalogue tables: what a good catalogue gives, and that every
// catalogue error names the file, the line and the column to fix.
#include "library/catalogue.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/damage.h"
#include "tests/support/sample_catalogue.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

using test::catalogueSamples;
using test::curvesCsv;
using test::devicesCsv;
using test::thermalCsv;

std::string replaceOnce(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "no " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The text without the lines (each with its line end) that drop picks.
std::string withoutLines(const std::string& text,
                         const std::function<bool(const std::string&)>& drop) {
    std::string kept;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end - pos + 1);
        if (!drop(line)) kept += line;
        pos = end + 1;
    }
    return kept;
}

TEST(Catalogue, ReadsDevicesCurvesAndThermalRows) {
    const auto samples = catalogueSamples();
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_TRUE(parseCatalogue(devicesCsv(samples), curvesCsv(samples), thermalCsv(samples),
                               catalogue, error))
        << error.text();
    ASSERT_EQ(catalogue.devices.size(), 3u);
    const CatalogueDevice& d = catalogue.devices[1];
    EXPECT_EQ(d.key(), "T-Series@7NT100B-120");
    EXPECT_EQ(d.line, 3);
    EXPECT_EQ(d.deviceImage, "np_a");
    EXPECT_EQ(d.productInfo[1], "100");
    EXPECT_EQ(d.productInfo[5], "NP-B (62x122 mm)");
    EXPECT_EQ(d.nominalCurrent, 100.0);
    EXPECT_EQ(d.limits[20], 5.6);    // Gate resistance default
    EXPECT_EQ(d.limits[17], 600.0);  // DCMV default
    EXPECT_EQ(d.curves[static_cast<int>(CurveKind::VCE)].size(), 11u);
    EXPECT_EQ(d.curves[static_cast<int>(CurveKind::Krr)].size(), 5u);
    EXPECT_EQ(d.thermal.igbtFractions[2], 0.52);
}

TEST(Catalogue, ColumnsAreFoundByNameCrLfAndQuotesAreRead) {
    const auto samples = catalogueSamples();
    // Thermal columns in another order, CR LF line ends, a quoted field with a comma.
    std::string thermal = thermalCsv(samples);
    std::string devices =
        replaceOnce(devicesCsv(samples), "NP-A (62x108 mm)", "\"NP-A (62x108 mm, \"\"A\"\")\"");
    std::string crlf;
    for (char c : devices) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_TRUE(parseCatalogue(crlf, curvesCsv(samples), thermal, catalogue, error))
        << error.text();
    EXPECT_EQ(catalogue.devices[0].productInfo[5], "NP-A (62x108 mm, \"A\")");
}

TEST(Catalogue, SampleLineReads) {
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_TRUE(readCatalogue(test::sampleCatalogueFolder(), catalogue, error)) << error.text();
    ASSERT_EQ(catalogue.devices.size(), 24u);
    EXPECT_EQ(catalogue.devices.front().key(), "Q-Series@7NQ10P-060");
    EXPECT_EQ(catalogue.devices.back().key(), "ZH-Series@2NZ600E-120");
}

// One broken catalogue and where the error must point.
using Breaker =
    std::function<void(std::string& devices, std::string& curves, std::string& thermal)>;

struct BrokenCatalogue {
    const char* name;
    Breaker breakIt;
    const char* file;
    int line;
    int column;
    const char* messagePart;
};

void PrintTo(const BrokenCatalogue& c, std::ostream* os) {
    *os << c.name;
}

class CatalogueErrors : public ::testing::TestWithParam<BrokenCatalogue> {};

TEST_P(CatalogueErrors, NameFileLineAndColumn) {
    const auto samples = catalogueSamples();
    std::string devices = devicesCsv(samples);
    std::string curves = curvesCsv(samples);
    std::string thermal = thermalCsv(samples);
    GetParam().breakIt(devices, curves, thermal);
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_FALSE(parseCatalogue(devices, curves, thermal, catalogue, error));
    EXPECT_EQ(error.file, GetParam().file);
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_EQ(error.column, GetParam().column);
    EXPECT_NE(error.message.find(GetParam().messagePart), std::string::npos) << error.message;
    // The text shown to the user carries all three.
    EXPECT_NE(error.text().find(std::string(GetParam().file) + ", line " +
                                std::to_string(GetParam().line) + ", column " +
                                std::to_string(GetParam().column)),
              std::string::npos)
        << error.text();
}

enum class Table { Devices, Curves, Thermal };

// Replaces the first from by to in one of the tables.
Breaker replacing(Table table, std::string from, std::string to) {
    return [=](std::string& devices, std::string& curves, std::string& thermal) {
        std::string& text =
            table == Table::Devices ? devices : (table == Table::Curves ? curves : thermal);
        text = replaceOnce(text, from, to);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CatalogueErrors,
    ::testing::Values(
        BrokenCatalogue{"MissingDeviceColumn",
                        [](std::string& d, std::string&, std::string&) {
                            d = replaceOnce(d, "VCE(sat)(V),", "");
                            d = replaceOnce(d, ",1.75,", ",");
                            d = replaceOnce(d, ",1.75,", ",");
                            d = replaceOnce(d, ",1.75,", ",");
                        },
                        "devices.csv", 1, 34, "missing column \"VCE(sat)(V)\""},
        BrokenCatalogue{"MissingCurveColumn",
                        [](std::string&, std::string& c, std::string&) {
                            c = "series,typeNumber,curve,x,value\n" + c.substr(c.find('\n') + 1);
                        },
                        "curves.csv", 1, 6, "missing column \"y\""},
        BrokenCatalogue{
            "UnknownDeviceInCurves",
            replacing(Table::Curves, "T-Series,7NT100B-120,VF,50,", "T-Series,7NT100X-120,VF,50,"),
            // Header, the 58 points of the first device, the 11 VCE
            // points of the second, then VF at 0, 10, 20, 35 and 50 A.
            "curves.csv", 1 + 58 + 11 + 5, 2, "unknown device \"T-Series@7NT100X-120\""},
        BrokenCatalogue{"UnknownDeviceInThermal",
                        replacing(Table::Thermal, "TH-Series,2NT300D-060", "TH-Series,2NT300E-060"),
                        "thermal.csv", 4, 2, "unknown device"},
        BrokenCatalogue{
            "UnknownCurve",
            replacing(Table::Curves, "T-Series,6NT50A-120,Eon,5,", "T-Series,6NT50A-120,Eo,5,"),
            "curves.csv", 24, 3, "unknown curve \"Eo\""},
        BrokenCatalogue{"TooFewPoints",
                        [](std::string&, std::string& c, std::string&) {
                            // Leave three of the first device's seven Eoff points.
                            for (const char* x : {",5,", ",12.5,", ",25,", ",37.5,"})
                                c = replaceOnce(c, std::string("T-Series,6NT50A-120,Eoff") + x,
                                                "X,");
                            c = withoutLines(c, [](const std::string& line) {
                                return line.rfind("X,", 0) == 0;
                            });
                        },
                        // Eoff of the first device now on lines 30 .. 33.
                        "curves.csv", 33, 3, "too few Eoff points"},
        BrokenCatalogue{"NoPointsAtAll",
                        [](std::string&, std::string& c, std::string&) {
                            c = withoutLines(c, [](const std::string& line) {
                                return line.find("2NT300D-060,Krr") != std::string::npos;
                            });
                        },
                        "devices.csv", 4, 2, "no Krr points"},
        BrokenCatalogue{"NotANumberInCurves",
                        replacing(Table::Curves, "T-Series,6NT50A-120,VF,0,0.5000",
                                  "T-Series,6NT50A-120,VF,0,0,5"),
                        "curves.csv", 13, 6, "fields"},
        BrokenCatalogue{"CommaDecimalIsNotANumber",
                        replacing(Table::Curves, "T-Series,6NT50A-120,VF,0,0.5000",
                                  "T-Series,6NT50A-120,VF,0,\"0,5\""),
                        "curves.csv", 13, 5, "\"0,5\" in column \"y\" is not a number"},
        BrokenCatalogue{"NotANumberInLimits", replacing(Table::Devices, ",20,1,8,", ",20,one,8,"),
                        "devices.csv", 2, 21,
                        "\"one\" in column \"Carrier frequency min\" is not a number"},
        BrokenCatalogue{"NotANumberInThermal", replacing(Table::Thermal, ",0.06,0.26,", ",0.06,x,"),
                        "thermal.csv", 2, 6, "not a number"},
        BrokenCatalogue{"EmptyNumber", replacing(Table::Devices, ",0.85,1.15,", ",,1.15,"),
                        "devices.csv", 2, 25, "empty value in column \"Power factor default\""},
        BrokenCatalogue{"TextTooLong",
                        replacing(Table::Devices, "NP-B (62x122 mm)", std::string(100, 'x')),
                        "devices.csv", 3, 12, "100 characters"},
        BrokenCatalogue{"WrongFieldCount",
                        replacing(Table::Devices, ",2025/10,", ",2025/10,extra,"), "devices.csv", 2,
                        35, "35 fields"},
        BrokenCatalogue{"DuplicateDevice",
                        replacing(Table::Devices, "T-Series,7NT100B-120", "T-Series,6NT50A-120"),
                        "devices.csv", 3, 2, "listed twice"},
        BrokenCatalogue{"AtSignInSeries", replacing(Table::Devices, "TH-Series,", "TH@Series,"),
                        "devices.csv", 4, 1, "\"@\""},
        BrokenCatalogue{"MissingThermalRow",
                        [](std::string&, std::string&,
                           std::string& t) { t = t.substr(0, t.rfind("TH-Series")); },
                        "devices.csv", 4, 2, "no row in thermal.csv"},
        BrokenCatalogue{"CaseFinScaleNotFromThePair",
                        [](std::string&, std::string&, std::string& t) {
                            const std::size_t end = t.find('\n', t.find("7NT100B"));
                            t.replace(t.rfind(',', end) + 1, end - t.rfind(',', end) - 1, "0.2");
                        },
                        "thermal.csv", 3, 15, "RthcfPair"}),
    [](const ::testing::TestParamInfo<BrokenCatalogue>& info) { return info.param.name; });

TEST(Catalogue, MissingFileIsNamed) {
    test::TempFolder dir;
    const auto samples = catalogueSamples();
    dir.write("devices.csv", devicesCsv(samples));
    dir.write("curves.csv", curvesCsv(samples));
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_FALSE(readCatalogue(dir.folder(), catalogue, error));
    EXPECT_EQ(error.file, dir.folder() + "thermal.csv");
    EXPECT_NE(error.text().find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace thermalyx

namespace thermalyx {
namespace {

// Damaged tables (bytes changed, cut, repeated) are refused or read, never
// more: run under the sanitizers, this catches reads past a field or a line.
TEST(Catalogue, DamagedTablesNeverCrash) {
    const auto samples = catalogueSamples();
    const std::array<std::string, 3> tables = {devicesCsv(samples), curvesCsv(samples),
                                               thermalCsv(samples)};
    const char replacements[] = {',', '"', '\n', '\r', '@', ']', '\0', 'x', '-', '.', 'e', ' '};
    test::DamageSequence random(12345);
    for (int round = 0; round < 600; ++round) {
        const std::array<std::string, 3> damaged = random.damageOne(
            tables, [&] { return replacements[random.next() % sizeof replacements]; },
            [&](std::string& t, std::size_t at) { t.insert(at, t.substr(at, random.next() % 40)); },
            ',');
        Catalogue catalogue;
        CatalogueError error;
        if (!parseCatalogue(damaged[0], damaged[1], damaged[2], catalogue, error)) {
            EXPECT_FALSE(error.file.empty());
            EXPECT_FALSE(error.message.empty());
        }
    }
}

}  // namespace
}  // namespace thermalyx
