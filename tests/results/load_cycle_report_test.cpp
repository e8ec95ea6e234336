#include "results/load_cycle_report.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/results/report_lines.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using test::makeLibrary;
using test::splitReportLines;

constexpr ReportTime kTime{2025, 12, 31, 23, 59, 58};

LoadCycleMode sampleMode(double scale) {
    LoadCycleMode m;
    m.series = "Z-Series";
    m.typeNumber = "6NZ50A-120";
    m.modulation = kModulationThreeArms;
    m.duration = 2.0 * scale;
    m.frequencyStart = 0.1;
    m.frequencyEnd = 60.0 * scale;
    m.outputCurrentRms = 20.0 * scale;
    m.carrierFrequency = 8.0;
    m.powerFactor = 0.85;
    m.modulationRate = 0.95;
    m.dcVoltage = 600;
    m.rgOn = 6.8;
    m.rgOff = 6.8;
    m.tjMode = 1;
    m.heatsink.rth = {0.02 * scale, 0.06, 0.8, 0.45};
    m.heatsink.tth = {1.0 * scale, 10, 50, 200};
    return m;
}

LoadCycleResult sampleResult(int count) {
    LoadCycleResult r;
    r.modeCount = count;
    r.modes.assign(static_cast<std::size_t>(count) + 2, ModeResult{});
    for (int j = 1; j <= count; ++j) {
        ModeResult& m = r.modes[static_cast<std::size_t>(j)];
        m.igbtSaturationLoss = 10.0 * j;
        m.igbtTurnOnLoss = 2.0 * j;
        m.igbtTurnOffLoss = 3.0 * j;
        m.fwdSaturationLoss = 1.5 * j;
        m.fwdRecoveryLoss = 0.25 * j;
    }
    r.samples.assign(602, CycleSample{});
    r.tcMax = 71.234;
    r.tcAve = 60;
    r.tfMax = 66.6;
    r.tfAve = 55;
    r.ambientTemperature = 45;
    r.igbtTjMax = 98.765;
    r.fwdTjMax = 88.1;
    r.igbtDeltaTjcMax = 20.5;
    r.fwdDeltaTjcMax = 12.25;
    return r;
}

std::unique_ptr<DeviceLibrary> sampleLibrary() {
    return makeLibrary({{"Z-Series", "6NZ50A-120", "6in1"}, {"Z-Series", "7NZ50B-120", "7in1"}});
}

std::string build(const DeviceLibrary& library, const std::vector<LoadCycleMode>& modes,
                  const LoadCycleResult& result) {
    return test::builtReport(buildLoadCycleReport, library, modes, result, kTime);
}

TEST(LoadCycleReportTest, WritesTheLayoutByteForByte) {
    const auto library = sampleLibrary();
    const std::string text = build(*library, {sampleMode(1.0)}, sampleResult(1));
    EXPECT_EQ(text, test::reportOpening("2025/12/31 23:59:58", "6NZ50A-120") +
                        "[Heat sink]\r\n"
                        "Rth1(K/W)\t\t\t:0.0200\r\n"
                        "Rth2(K/W)\t\t\t:0.0600\r\n"
                        "Rth3(K/W)\t\t\t:0.8000\r\n"
                        "Rth4(K/W)\t\t\t:0.4500\r\n"
                        "Tth1(s)\t\t\t\t:1.0\r\n"
                        "Tth2(s)\t\t\t\t:10.0\r\n"
                        "Tth3(s)\t\t\t\t:50.0\r\n"
                        "Tth4(s)\t\t\t\t:200.0\r\n"
                        "Thermal resistance\r\n"
                        "(steady state)(K/W)\t\t:1.3300\r\n"
                        "\r\n"
                        "[Mode No.1]\r\n"
                        "Select arms(Arms)\t\t:3\r\n"
                        "Output frequency(start)(Hz)\t:0.1\r\n"
                        "Output frequency(end)(Hz)\t:60.0\r\n"
                        "Output current(Arms)\t\t:20.0\r\n"
                        "Carrier frequency(KHz)\t\t:8.0\r\n"
                        "Power factor\t\t\t:0.8\r\n"
                        "Modulation rate\t\t\t:0.9\r\n"
                        "DC link voltage(Vol)\t\t:600.0\r\n"
                        "Gate resistance(on)(ohm)\t:6.8\r\n"
                        "Gate resistance(off)(ohm)\t:6.8\r\n"
                        "\r\n"
                        "[Calculation result(Loss)]\r\n"
                        ">IGBT power loss\r\n"
                        "Saturation loss(W)\t\t:10.00\r\n"
                        "turn on loss(W)\t\t\t:2.00\r\n"
                        "turn off loss(W)\t\t:3.00\r\n"
                        "IGBT part(W)\t\t\t:15.00\r\n"
                        ">FWD power loss\r\n"
                        "Saturation loss(W)\t\t:1.50\r\n"
                        "Recovery loss(W)\t\t:0.25\r\n"
                        "FWD part(W)\t\t\t:1.75\r\n"
                        ">Total power losses\r\n"
                        "IGBT+FWD(W)\t\t\t:16.75\r\n"
                        "\r\n"
                        "[Calculation result(Temperature)]\r\n"
                        "IGBT Delta Tj-c max(deg.)\t:20.50\r\n"
                        "IGBT Tj max(deg.)\t\t:98.77\r\n"
                        "FWD Delta Tj-c max(deg.)\t:12.25\r\n"
                        "FWD Tj max(deg.)\t\t:88.10\r\n"
                        "Tc max(deg.)\t\t\t:71.23\r\n"
                        "Tf max(deg.)\t\t\t:66.60\r\n"
                        "Ta(deg.)\t\t\t:45.00\r\n");
    EXPECT_EQ(test::reportLineCount(text), 63u);
}

class LoadCycleLinesTest : public ::testing::TestWithParam<int> {};

TEST_P(LoadCycleLinesTest, HasTwentyFiveLinesPerModeAndNumbersTheModesFromOne) {
    const int n = GetParam();
    std::vector<LoadCycleMode> modes;
    for (int j = 1; j <= (n == 0 ? 1 : n); ++j) modes.push_back(sampleMode(1.0));
    const auto library = sampleLibrary();
    const std::string text = build(*library, modes, sampleResult(n));
    std::vector<std::string> lines;
    ASSERT_TRUE(splitReportLines(text, lines));
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(4 + 14 + 12 + 25 * n + 8));
    std::vector<std::string> titles;
    for (const std::string& line : lines) {
        if (line.rfind("[Mode No.", 0) == 0) titles.push_back(line);
    }
    ASSERT_EQ(titles.size(), static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) EXPECT_EQ(titles[j - 1], "[Mode No." + std::to_string(j) + "]");
    EXPECT_EQ(lines.back(), "Ta(deg.)\t\t\t:45.00");
    EXPECT_EQ(lines[lines.size() - 8], "[Calculation result(Temperature)]");
}

INSTANTIATE_TEST_SUITE_P(ModeCounts, LoadCycleLinesTest, ::testing::Values(0, 1, 3, 25));

TEST(LoadCycleReportTest, HeatSinkAndDeviceComeFromTheFirstRow) {
    LoadCycleMode first = sampleMode(1.0);
    LoadCycleMode second = sampleMode(2.0);
    second.typeNumber = "7NZ50B-120";
    second.modulation = kModulationTwoArms;
    const auto library = sampleLibrary();
    const std::string text = build(*library, {first, second}, sampleResult(2));
    EXPECT_NE(text.find("Type number\t\t\t:6NZ50A-120\r\n"), std::string::npos);
    EXPECT_EQ(text.find("7NZ50B-120"), std::string::npos);
    EXPECT_NE(text.find("Rth1(K/W)\t\t\t:0.0200\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Rth1(K/W)\t\t\t:0.0400\r\n"), std::string::npos);
    EXPECT_NE(text.find("Tth1(s)\t\t\t\t:1.0\r\n"), std::string::npos);
    // Each mode section still shows its own row.
    EXPECT_NE(text.find("[Mode No.2]\r\nSelect arms(Arms)\t\t:2\r\n"
                        "Output frequency(start)(Hz)\t:0.1\r\n"
                        "Output frequency(end)(Hz)\t:120.0\r\nOutput current(Arms)\t\t:40.0\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Saturation loss(W)\t\t:20.00\r\n"), std::string::npos);
}

TEST(LoadCycleReportTest, ModeLossSumsAddInTheirOwnOrder) {
    // The steady report's orders would give 158.11 and 249.21 for these figures.
    LoadCycleResult r = sampleResult(1);
    ModeResult& m = r.modes[1];
    m.igbtTurnOnLoss = 86.109;
    m.igbtSaturationLoss = 14.722;
    m.igbtTurnOffLoss = 57.284;
    m.fwdSaturationLoss = 74.658;
    m.fwdRecoveryLoss = 16.432;
    const auto library = sampleLibrary();
    const std::string text = build(*library, {sampleMode(1.0)}, r);
    EXPECT_NE(text.find("IGBT part(W)\t\t\t:158.12\r\n"), std::string::npos);
    EXPECT_NE(text.find("FWD part(W)\t\t\t:91.09\r\n"), std::string::npos);
    EXPECT_NE(text.find("IGBT+FWD(W)\t\t\t:249.20\r\n"), std::string::npos);
}

TEST(LoadCycleReportTest, RefusesResultsThatDoNotMatchTheRows) {
    const auto library = sampleLibrary();
    std::string text, reason;
    // More modes than rows, and a modes array too short for the count.
    EXPECT_FALSE(
        buildLoadCycleReport(*library, {sampleMode(1.0)}, sampleResult(2), kTime, text, reason));
    LoadCycleResult shortModes = sampleResult(2);
    shortModes.modes.resize(2);
    EXPECT_FALSE(buildLoadCycleReport(*library, {sampleMode(1.0), sampleMode(1.0)}, shortModes,
                                      kTime, text, reason));
    EXPECT_FALSE(buildLoadCycleReport(*library, {}, sampleResult(0), kTime, text, reason));
    LoadCycleMode unknown = sampleMode(1.0);
    unknown.series = "Q-Series";
    EXPECT_FALSE(buildLoadCycleReport(*library, {unknown}, sampleResult(1), kTime, text, reason));
    EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace thermalyx
