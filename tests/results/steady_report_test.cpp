#include "results/steady_report.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/results/report_lines.h"
#include "tests/support/sample_library.h"
#include "tests/support/sample_records.h"

namespace thermalyx {
namespace {

using test::makeLibrary;

constexpr ReportTime kTime{2025, 3, 7, 9, 5, 2};

// The shared operating point with its heat sink, a modulation rate stored just
// below a rounding tie, and gate resistances that differ so a swap shows.
OperatingCondition reportCondition() {
    OperatingCondition c = test::sampleCondition();
    c.modulationRate = 0.95;
    c.rgOff = 12.5;
    c.heatsink = test::sampleHeatsink();
    return c;
}

SteadyResult sampleResult() {
    SteadyResult r;
    r.loss.igbtSaturationLoss = 12.345;
    r.loss.igbtTurnOnLoss = 3.21;
    r.loss.igbtTurnOffLoss = 4.5;
    r.loss.fwdSaturationLoss = 2.5;
    r.loss.fwdRecoveryLoss = 1.25;
    r.temperature.igbtDeltaTjcMax = 10.111;
    r.temperature.igbtDeltaTjcMin = 1;
    r.temperature.igbtDeltaTjcAve = 8;
    r.temperature.fwdDeltaTjcMax = 5.25;
    r.temperature.fwdDeltaTjcMin = 0.5;
    r.temperature.fwdDeltaTjcAve = 4;
    r.temperature.tcMax = 60.3;
    r.temperature.tcAve = 58.2;
    r.temperature.tfMax = 55.1;
    r.temperature.tfAve = 54;
    r.temperature.igbtTjMax = 70.5;
    r.temperature.fwdTjMax = 65;
    r.temperature.ambientTemperature = 40;
    return r;
}

std::unique_ptr<DeviceLibrary> sampleLibrary() {
    return makeLibrary({{"Z-Series", "7NZ10P-120", "PIM"}, {"Z-Series", "6NZ100B-120", "6in1"}});
}

std::string build(const DeviceLibrary& library, const OperatingCondition& condition,
                  const SteadyResult& result) {
    return test::builtReport(buildSteadyReport, library, condition, result, kTime);
}

TEST(SteadyReportTest, WritesTheLayoutByteForByte) {
    const auto library = sampleLibrary();
    const std::string text = build(*library, reportCondition(), sampleResult());
    EXPECT_EQ(text, test::reportOpening("2025/03/07 09:05:02", "6NZ100B-120") +
                        "Select arms(Arms)\t\t:2\r\n"
                        "Output frequency(Hz)\t\t:50.0\r\n"
                        "Output current(Arms)\t\t:70.0\r\n"
                        "Carrier frequency(KHz)\t\t:10.0\r\n"
                        "Power factor\t\t\t:0.8\r\n"
                        "Modulation rate\t\t\t:0.9\r\n"
                        "DC link voltage(Vol)\t\t:600.0\r\n"
                        "Gate resistance(on)(ohm)\t:6.8\r\n"
                        "Gate resistance(off)(ohm)\t:12.5\r\n"
                        "\r\n"
                        "[Heat sink]\r\n"
                        "Rth1(K/W)\t\t\t:0.0120\r\n"
                        "Rth2(K/W)\t\t\t:0.0350\r\n"
                        "Rth3(K/W)\t\t\t:0.0600\r\n"
                        "Rth4(K/W)\t\t\t:0.0430\r\n"
                        "Tth1(s)\t\t\t\t:2.0\r\n"
                        "Tth2(s)\t\t\t\t:15.0\r\n"
                        "Tth3(s)\t\t\t\t:60.0\r\n"
                        "Tth4(s)\t\t\t\t:240.0\r\n"
                        "Thermal resistance\r\n"
                        "(steady state)(K/W)\t\t:0.1500\r\n"
                        "\r\n"
                        "[Calculation result]\r\n"
                        ">IGBT power loss\r\n"
                        "Saturation loss(W)\t\t:12.35\r\n"
                        "turn on loss(W)\t\t\t:3.21\r\n"
                        "turn off loss(W)\t\t:4.50\r\n"
                        "IGBT part(W)\t\t\t:20.05\r\n"
                        ">FWD power loss\r\n"
                        "Saturation loss(W)\t\t:2.50\r\n"
                        "Recovery loss(W)\t\t:1.25\r\n"
                        "FWD part(W)\t\t\t:3.75\r\n"
                        ">Total power losses\r\n"
                        "IGBT+FWD(W)\t\t\t:23.80\r\n"
                        ">Temperature\r\n"
                        "IGBT Delta Tj-c max(deg.)\t:10.11\r\n"
                        "IGBT Delta Tj-c ave(deg.)\t:8.00\r\n"
                        "IGBT Tj max(deg.)\t\t:70.50\r\n"
                        "FWD Delta Tj-c max(deg.)\t:5.25\r\n"
                        "FWD Delta Tj-c ave(deg.)\t:4.00\r\n"
                        "FWD Tj max(deg.)\t\t:65.00\r\n"
                        "Tc max(deg.)\t\t\t:60.30\r\n"
                        "Tc ave(deg.)\t\t\t:58.20\r\n"
                        "Tf max(deg.)\t\t\t:55.10\r\n"
                        "Tf ave(deg.)\t\t\t:54.00\r\n"
                        "Ta(deg.)\t\t\t:40.00\r\n");
    EXPECT_EQ(test::reportLineCount(text), 64u);
}

TEST(SteadyReportTest, TemperaturesFollowTheLossesDirectlyAndEndTheFile) {
    const auto library = sampleLibrary();
    const std::string text = build(*library, reportCondition(), sampleResult());
    EXPECT_NE(text.find("IGBT+FWD(W)\t\t\t:23.80\r\n>Temperature\r\n"), std::string::npos);
    const std::string last = "Ta(deg.)\t\t\t:40.00\r\n";
    ASSERT_GE(text.size(), last.size());
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST(SteadyReportTest, LossSumsAddInTheirOwnOrder) {
    // These five figures give a different last digit in other orders.
    SteadyResult r = sampleResult();
    r.loss.igbtTurnOnLoss = 86.109;
    r.loss.igbtSaturationLoss = 14.722;
    r.loss.igbtTurnOffLoss = 57.284;
    r.loss.fwdSaturationLoss = 74.658;
    r.loss.fwdRecoveryLoss = 16.432;
    const auto library = sampleLibrary();
    const std::string text = build(*library, reportCondition(), r);
    EXPECT_NE(text.find("IGBT part(W)\t\t\t:158.11\r\n"), std::string::npos);
    EXPECT_NE(text.find("FWD part(W)\t\t\t:91.09\r\n"), std::string::npos);
    EXPECT_NE(text.find("IGBT+FWD(W)\t\t\t:249.21\r\n"), std::string::npos);
}

struct ArmsCase {
    int modulation;
    const char* line;
};

class SteadyArmsTest : public ::testing::TestWithParam<ArmsCase> {};

TEST_P(SteadyArmsTest, WritesTheNumberOfArms) {
    OperatingCondition c = reportCondition();
    c.modulation = GetParam().modulation;
    const auto library = sampleLibrary();
    EXPECT_NE(build(*library, c, sampleResult()).find(GetParam().line), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Modulations, SteadyArmsTest,
                         ::testing::Values(ArmsCase{1, "Select arms(Arms)\t\t:2\r\n"},
                                           ArmsCase{2, "Select arms(Arms)\t\t:3\r\n"},
                                           ArmsCase{0, "Select arms(Arms)\t\t:3\r\n"}));

TEST(SteadyReportTest, SteadyStateResistanceAddsTheUnroundedStages) {
    OperatingCondition c = reportCondition();
    c.heatsink.rth = {0.00004, 0.00004, 0.00004, 0.00004};
    const auto library = sampleLibrary();
    const std::string text = build(*library, c, sampleResult());
    EXPECT_NE(text.find("Rth1(K/W)\t\t\t:0.0000\r\n"), std::string::npos);
    EXPECT_NE(text.find("(steady state)(K/W)\t\t:0.0002\r\n"), std::string::npos);
}

TEST(SteadyReportTest, DeviceTextsOfAnyLengthAreCopiedWhole) {
    std::array<std::string, 7> info{std::string(99, 'V'),           "50",     "1.50", "219", "10",
                                    std::string(300, 'P') + "\xE9", "2025/10"};
    const auto library = makeLibrary({{"Z-Series", "6NZ100B-120", std::string(120, 'C'), info}});
    const std::string text = build(*library, reportCondition(), sampleResult());
    EXPECT_NE(text.find("VCES(V)\t\t\t\t:" + std::string(99, 'V') + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Package\t\t\t\t:" + std::string(300, 'P') + "\xE9\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Circuit composition\t\t:" + std::string(120, 'C') + "\r\n"),
              std::string::npos);
    EXPECT_EQ(test::reportLineCount(text), 64u);
}

TEST(SteadyReportTest, TheFirstDeviceFoundNamesTheReport) {
    // Two entries with the same key: the first one's texts are written.
    std::array<std::string, 7> other{"1200", "75", "2.0", "400", "5", "other", "2020/01"};
    const auto library = makeLibrary(
        {{"Z-Series", "6NZ100B-120", "PIM"}, {"Z-Series", "6NZ100B-120", "2in1", other}});
    const std::string text = build(*library, reportCondition(), sampleResult());
    EXPECT_NE(text.find("Circuit composition\t\t:PIM\r\n"), std::string::npos);
    EXPECT_EQ(text.find("other"), std::string::npos);
}

TEST(SteadyReportTest, AnUnknownDeviceWritesNothing) {
    OperatingCondition c = reportCondition();
    c.typeNumber = "6NZ100B-12";  // a prefix is not the type number
    const auto library = sampleLibrary();
    std::string text = "untouched", reason;
    EXPECT_FALSE(buildSteadyReport(*library, c, sampleResult(), kTime, text, reason));
    EXPECT_EQ(text, "untouched");
    EXPECT_NE(reason.find("6NZ100B-12"), std::string::npos);
}

TEST(ReportTimeTest, ReadsAndChecksTheCommandLineText) {
    ReportTime t;
    ASSERT_TRUE(parseReportTime("2024/02/29 23:59:60", t));
    EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second),
              std::make_tuple(2024, 2, 29, 23, 59, 60));
    for (const char* bad : {"2023/02/29 10:00:00", "2024/13/01 10:00:00", "2024/04/31 10:00:00",
                            "2024/01/01 24:00:00", "2024/01/01 10:60:00", "2024-01-01 10:00:00",
                            "2024/1/01 10:00:00", "2024/01/01 10:00", "2024/01/01 10:00:00 ",
                            "+024/01/01 10:00:00", "2024/00/01 10:00:00", ""}) {
        EXPECT_FALSE(parseReportTime(bad, t)) << bad;
    }
}

TEST(ReportTimeTest, TheClockGivesAPlausibleDate) {
    const ReportTime t = currentReportTime();
    EXPECT_GE(t.year, 2024);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_LE(t.hour, 23);
}

}  // namespace
}  // namespace thermalyx
