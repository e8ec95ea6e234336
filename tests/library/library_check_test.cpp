// check-library on small folders broken on purpose: each kind of
// inconsistency is found, one finding naming the device, and a good folder is
// clean.
#include "library/library_check.h"

#include <array>
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "library/catalogue_fit.h"
#include "library/device_library.h"
#include "library/library_writer.h"
#include "tests/support/damage.h"
#include "tests/support/sample_catalogue.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

std::vector<LibraryDevice> goodDevices() {
    const test::FittedCatalogue fitted = test::fitSamples(test::catalogueSamples());
    EXPECT_TRUE(fitted.ok) << fitted.error;
    return fitted.devices;
}

// The three files' contents, to be broken before they are written.
struct Files {
    std::string spec;
    std::string limits;
    std::string params;
};

std::string joined(const std::vector<LibraryFinding>& findings) {
    std::string text;
    for (const LibraryFinding& f : findings) text += f.text() + "\n";
    return text;
}

// The test catalogue's devices and the project's sample line.
TEST(LibraryCheck, GoodFoldersAreClean) {
    const test::FittedCatalogue line = test::fitSampleLine();
    ASSERT_TRUE(line.ok) << line.error;
    for (const std::vector<LibraryDevice>& devices : {goodDevices(), line.devices}) {
        test::TempFolder dir;
        std::string error;
        ASSERT_TRUE(writeLibraryFiles(dir.folder(), devices, error)) << error;
        const auto findings = checkLibrary(dir.folder());
        EXPECT_TRUE(findings.empty()) << joined(findings);
    }
}

TEST(LibraryCheck, MissingFolderIsReported) {
    const auto findings = checkLibrary("/nonexistent-thermalyx-folder/");
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front().device, kSpecFileName);
}

struct BrokenLibrary {
    const char* name;
    // Breaks the records (before the files are made from them) ...
    std::function<void(std::vector<LibraryDevice>&)> breakRecords;
    // ... or the file contents themselves.
    std::function<void(Files&)> breakFiles;
    const char* device;       // the key the finding must name
    const char* messagePart;  // and a part of its message
};

void PrintTo(const BrokenLibrary& b, std::ostream* os) {
    *os << b.name;
}

class LibraryCheckFindings : public ::testing::TestWithParam<BrokenLibrary> {};

TEST_P(LibraryCheckFindings, AreReportedWithTheDeviceKey) {
    std::vector<LibraryDevice> devices = goodDevices();
    if (GetParam().breakRecords) GetParam().breakRecords(devices);
    Files files{specFileText(devices), limitsFileText(devices), paramFileBytes(devices)};
    if (GetParam().breakFiles) GetParam().breakFiles(files);
    test::TempFolder dir;
    dir.write(kSpecFileName, files.spec);
    dir.write(kLimitsFileName, files.limits);
    dir.write(kParamFileName, files.params);

    const auto findings = checkLibrary(dir.folder());
    ASSERT_FALSE(findings.empty());
    bool matched = false;
    for (const LibraryFinding& f : findings) {
        if (f.device == GetParam().device &&
            f.message.find(GetParam().messagePart) != std::string::npos)
            matched = true;
    }
    EXPECT_TRUE(matched) << "expected \"" << GetParam().device << ": ..." << GetParam().messagePart
                         << "...\" among\n"
                         << joined(findings);
    // One line per finding.
    for (const LibraryFinding& f : findings) EXPECT_EQ(f.text().find('\n'), std::string::npos);
}

const char* const kFirst = "T-Series@6NT50A-120";
const char* const kSecond = "T-Series@7NT100B-120";
const char* const kThird = "TH-Series@2NT300D-060";

INSTANTIATE_TEST_SUITE_P(
    Rows, LibraryCheckFindings,
    ::testing::Values(
        BrokenLibrary{"DifferentDeviceCounts", nullptr,
                      [](Files& f) {
                          std::vector<LibraryDevice> two = goodDevices();
                          two.pop_back();
                          f.limits = limitsFileText(two);
                      },
                      kSpecFileName, "different numbers of devices: 3 in igbt_devspec.ini, 2 in igbt_condition.ini"},
        BrokenLibrary{"DifferentKeysInTheParameterFile", nullptr,
                      [](Files& f) {
                          std::vector<LibraryDevice> swapped = goodDevices();
                          std::swap(swapped[0], swapped[1]);
                          f.params = paramFileBytes(swapped);
                      },
                      kFirst, "device 1 of igbt_devparam.bin is \"T-Series@7NT100B-120\""},
        BrokenLibrary{"DifferentKeysInTheLimitsFile",
                      nullptr,
                      [](Files& f) {
                          const std::size_t at = f.limits.find("[TH-Series@2NT300D-060]");
                          f.limits.replace(at, 23, "[TH-Series@2NT300E-060]");
                      },
                      kThird, "device 3 of igbt_condition.ini is \"TH-Series@2NT300E-060\""},
        BrokenLibrary{"DefaultAboveMax",
                      [](std::vector<LibraryDevice>& d) { d[1].limits.outputCurrentDefault = 150; },
                      nullptr, kSecond, "Output current default 150 is outside min 0.1 .. max 100"},
        BrokenLibrary{"DefaultBelowMin",
                      [](std::vector<LibraryDevice>& d) { d[0].limits.carrierFrequencyDefault = 0.5; },
                      nullptr, kFirst, "Carrier frequency default 0.5 is outside"},
        BrokenLibrary{"ReferenceVoltageZero",
                      [](std::vector<LibraryDevice>& d) {
                          d[2].limits.dcVoltageMin = 0;
                          d[2].limits.dcVoltageDefault = 0;
                      },
                      nullptr, kThird, "DCMV default 0 (the reference voltage of the energies) is not above 0"},
        BrokenLibrary{"ReferenceGateResistanceNegative",
                      [](std::vector<LibraryDevice>& d) {
                          d[0].limits.gateResistanceMin = -1;
                          d[0].limits.gateResistanceDefault = -0.5;
                      },
                      nullptr, kFirst, "Gate resistance default -0.5 (the reference gate resistance) is not above 0"},
        BrokenLibrary{"OutputFrequencyMinLetsZeroThrough",
                      [](std::vector<LibraryDevice>& d) { d[1].limits.outputFrequencyMin = 0; },
                      nullptr, kSecond, "Output frequency min 0 lets 0 Hz through"},
        BrokenLibrary{"SaturationVoltageNegative",
                      [](std::vector<LibraryDevice>& d) { d[0].params.values[1] = -1.0; },
                      nullptr, kFirst, "IGBT saturation voltage is negative at 0.0 A"},
        BrokenLibrary{"ForwardVoltageFalls",
                      [](std::vector<LibraryDevice>& d) {
                          // A strong negative i^2 term turns the curve down before 2 IC.
                          d[1].params.values[10] -= 2.0 / (100.0 * 100.0);
                      },
                      nullptr, kSecond, "FWD forward voltage falls with rising current"},
        BrokenLibrary{"TurnOnEnergyNegative",
                      [](std::vector<LibraryDevice>& d) { d[2].params.values[36] = -1e-4; },
                      nullptr, kThird, "turn-on energy is negative"},
        BrokenLibrary{"RecoveryEnergyFalls",
                      [](std::vector<LibraryDevice>& d) {
                          // Err's cubic term strongly negative: it peaks and falls inside 0 .. 2 IC.
                          d[0].params.values[40] = -2.0 * d[0].params.values[42] / (50.0 * 50.0);
                      },
                      nullptr, kFirst, "recovery energy falls with rising current"},
        BrokenLibrary{"TurnOffEnergyFalls",
                      [](std::vector<LibraryDevice>& d) {
                          d[2].params.values[37] = -d[2].params.values[39] / (300.0 * 300.0);
                      },
                      nullptr, kThird, "turn-off energy falls with rising current"},
        BrokenLibrary{"IgbtFosterFractionsDoNotSumToOne",
                      [](std::vector<LibraryDevice>& d) { d[1].params.values[18] += 0.05; },
                      nullptr, kSecond, "IGBT Foster fractions sum to 1.05, not about 1"},
        BrokenLibrary{"FwdFosterFractionsDoNotSumToOne",
                      [](std::vector<LibraryDevice>& d) { d[2].params.values[24] = 0; },
                      nullptr, kThird, "FWD Foster fractions sum to 0.88"},
        BrokenLibrary{"TextLongerThan99",
                      [](std::vector<LibraryDevice>& d) { d[1].spec.productInfo[5] = std::string(120, 'P'); },
                      nullptr, kSecond, "the value of \"Product Info #6\" has 120 characters, the program keeps 99"},
        BrokenLibrary{"DeviceImageLongerThan99",
                      [](std::vector<LibraryDevice>& d) { d[0].spec.deviceImage = std::string(100, 'i'); },
                      nullptr, kFirst, "\"Device Image\" has 100 characters"},
        BrokenLibrary{"MissingSpecKey", nullptr,
                      [](Files& f) {
                          const std::size_t at = f.spec.find("AC Voltage=", f.spec.find("7NT100B"));
                          f.spec.replace(at, 2, "XX");
                      },
                      kSecond, "missing key \"AC Voltage\""},
        BrokenLibrary{"LimitNotANumber", nullptr,
                      [](Files& f) {
                          const std::size_t at = f.limits.find("Power factor default=");
                          f.limits.replace(at + 21, 4, "high");
                      },
                      kFirst, "\"Power factor default\" = \"high\" is not a number"},
        BrokenLibrary{"LastRecordCutShort", nullptr,
                      [](Files& f) { f.params.resize(f.params.size() - 8); },
                      kThird, "cut short"},
        BrokenLibrary{"ControlBytesInARecordKeyStayOnOneLine",
                      [](std::vector<LibraryDevice>& d) { d[0].params.typeNumber = "6NT50A\n120"; },
                      nullptr, kFirst, "device 1 of igbt_devparam.bin is \"T-Series@6NT50A\\x0A120\""},
        BrokenLibrary{"SameKeyTwiceInOtherCase",
                      [](std::vector<LibraryDevice>& d) {
                          for (auto* key : {&d[1].spec.typeNumber, &d[1].limits.typeNumber,
                                            &d[1].params.typeNumber})
                              *key = "6nt50a-120";
                      },
                      nullptr, "T-Series@6nt50a-120", "appears twice in igbt_devspec.ini"}),
    [](const ::testing::TestParamInfo<BrokenLibrary>& info) { return info.param.name; });

}  // namespace
}  // namespace thermalyx

namespace thermalyx {
namespace {

// Damaged files are reported, never read past their ends (run under the
// sanitizers, this catches a record walk that trusts a length).
TEST(LibraryCheck, DamagedFilesNeverCrash) {
    const std::vector<LibraryDevice> devices = goodDevices();
    const std::array<std::string, 3> files = {specFileText(devices), limitsFileText(devices),
                                              paramFileBytes(devices)};
    test::DamageSequence random(2024);
    for (int round = 0; round < 400; ++round) {
        const std::array<std::string, 3> damaged = random.damageOne(
            files, [&] { return static_cast<char>(random.next() & 0xFF); },
            [&](std::string& f, std::size_t at) { f.erase(at, random.next() % 64); }, '[');
        const auto findings = checkLibraryFiles(damaged[0], damaged[1], damaged[2]);
        for (const LibraryFinding& finding : findings) EXPECT_FALSE(finding.message.empty());
    }
}

}  // namespace
}  // namespace thermalyx
