#include "cli/calculation_commands.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "pages/heatsink_rules.h"
#include "results/steady_report.h"
#include "tests/cli/cli_run.h"
#include "tests/cli/plausible_device.h"
#include "tests/support/case_names.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using cli::CycleOptions;
using cli::SteadyOptions;
using nlohmann::json;

// ---- modes files ----

struct ModeFileCase {
    const char* name;
    const char* content;
    int rows;  // -1: a usage error
    const char* error;
};

class ModeFileTest : public ::testing::TestWithParam<ModeFileCase> {};

TEST_P(ModeFileTest, ReadsElevenFieldsPerLine) {
    const ModeFileCase& c = GetParam();
    std::vector<ModeRowTexts> rows;
    std::string error;
    const bool ok = cli::parseModeLines(c.content, rows, error);
    if (c.rows < 0) {
        EXPECT_FALSE(ok) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    } else {
        ASSERT_TRUE(ok) << c.name << ": " << error;
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(c.rows)) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ModeFileTest,
    ::testing::Values(
        ModeFileCase{"LF", "1,2,3,4,5,6,7,8,9,10,LOCK\n1,2,3,4,5,6,7,8,9,10,NORMAL\n", 2, ""},
        ModeFileCase{"CRLF and no final line end",
                     "1,2,3,4,5,6,7,8,9,10,LOCK\r\n1,2,3,4,5,6,7,8,9,10,NORMAL", 2, ""},
        ModeFileCase{"comments and empty lines",
                     "# duration, ...\n\n\r\n1,2,3,4,5,6,7,8,9,10,LOCK\n#x\n", 1, ""},
        ModeFileCase{"ten fields", "1,2,3,4,5,6,7,8,9,LOCK\n", -1, "line 1: expected 11"},
        ModeFileCase{"twelve fields", "\n1,2,3,4,5,6,7,8,9,10,LOCK,\n", -1, "line 2: expected 11"},
        ModeFileCase{"lower case lock", "1,2,3,4,5,6,7,8,9,10,lock\n", -1, "LOCK or NORMAL"},
        ModeFileCase{"blank after LOCK", "1,2,3,4,5,6,7,8,9,10,LOCK \n", -1, "LOCK or NORMAL"},
        ModeFileCase{"two CRs", "1,2,3,4,5,6,7,8,9,10,LOCK\r\r\n", -1, "LOCK or NORMAL"},
        ModeFileCase{"a blank line is a line", " \n", -1, "expected 11"},
        ModeFileCase{"only comments", "# nothing\n\n", -1, "no modes"},
        ModeFileCase{"empty", "", -1, "no modes"}),
    [](const ::testing::TestParamInfo<ModeFileCase>& info) {
        return test::caseName(info.param.name);
    });

TEST(ModeFileTest, TakesTheFieldsAsTheyStand) {
    std::vector<ModeRowTexts> rows;
    std::string error;
    ASSERT_TRUE(cli::parseModeLines(" 2,050,,4,5,6,7,8,9,10 ,LOCK\r\n", rows, error)) << error;
    EXPECT_EQ(rows[0].text(ModeColumn::Duration), " 2");
    EXPECT_EQ(rows[0].text(ModeColumn::FrequencyStart), "050");
    EXPECT_EQ(rows[0].text(ModeColumn::FrequencyEnd), "");
    EXPECT_EQ(rows[0].text(ModeColumn::RgOff), "10 ");
    EXPECT_TRUE(rows[0].dcLock);
}

// ---- running the commands ----

using cli_test::CommandRun;

class CalculationCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeDataFolder(dir_,
                              {cli_test::plausibleDevice("S@A"), cli_test::plausibleDevice("S@B")});
    }

    SteadyOptions steady() const {
        SteadyOptions o;
        cli_test::choosePlausibleDevice(o.common, dir_.folder());
        return o;
    }

    CycleOptions cycle(const std::string& modes) const {
        CycleOptions o;
        o.common = steady().common;
        o.modesPath = dir_.write("modes.txt", modes);
        return o;
    }

    static CommandRun run(const SteadyOptions& o) {
        return cli_test::runInProcess(o, cli::runSteady);
    }
    static CommandRun run(const CycleOptions& o) {
        return cli_test::runInProcess(o, cli::runCycle);
    }

    // The library the command read, for computing the expected figures.
    std::unique_ptr<DeviceLibrary> library() const {
        auto lib = std::make_unique<DeviceLibrary>(dir_.folder());
        EXPECT_TRUE(lib->load());
        return lib;
    }

    test::TempFolder dir_;
};

const std::string kLimitMessage = std::string(kLimitExceededMessage) + "\n";
const std::string kAmbientMessage = std::string(kAmbientLimitMessage) + "\n";

TEST_F(CalculationCommandTest, OmittedInputsTakeTheDevicesDefaultTexts) {
    const CommandRun r = run(steady());
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    const json& c = j.at("condition");
    EXPECT_EQ(c.at("outputFrequency"), 50.0);
    EXPECT_EQ(c.at("outputCurrentRms"), 20.0);   // "%.1f" of 20.04
    EXPECT_EQ(c.at("carrierFrequency"), 10.01);  // "%.2f" of 10.006
    EXPECT_EQ(c.at("powerFactor"), 0.8);
    EXPECT_EQ(c.at("modulationRate"), 1.0);
    EXPECT_EQ(c.at("dcVoltage"), 300.0);  // "%d" of 300.7
    EXPECT_EQ(c.at("rgOn"), 10.0);
    EXPECT_EQ(c.at("rgOff"), 10.0);
    EXPECT_EQ(c.at("modulation"), 1);
    EXPECT_EQ(c.at("dcLock"), false);
    EXPECT_EQ(j.at("device"), json({{"series", "S"}, {"typeNumber", "A"}}));
    EXPECT_EQ(j.at("heatsink").at("ambientTemperature"), 40.0);
    EXPECT_FALSE(j.contains("waveform"));
}

TEST_F(CalculationCommandTest, SteadyFiguresAreTheEnginesAndReadBackExactly) {
    SteadyOptions o = steady();
    o.texts.outputFrequency = "20";
    o.texts.outputCurrent = "35.5";
    o.texts.powerFactor = "-0.5";
    o.texts.modulationRate = "0.9";
    o.common.arms = "3";
    o.common.ta = "25.5";
    o.dcLock = true;
    o.waveform = true;
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);

    const auto lib = library();
    const DeviceIndexEntry& device = lib->deviceIndex[0];
    OperatingCondition condition;
    condition.modulation = 2;
    condition.outputFrequency = 20;
    condition.outputCurrentRms = 35.5;
    condition.carrierFrequency = 10.01;
    condition.powerFactor = -0.5;
    condition.modulationRate = 0.9;
    condition.dcVoltage = 300;
    condition.rgOn = condition.rgOff = 10;
    condition.dcLock = true;
    const HeatsinkModel heatsink =
        buildHeatsinkModel({0.01, 0.05, 0.3, 0.2}, {1, 10, 50, 200}, "25.5");
    SteadyResult expected;
    ASSERT_TRUE(
        calculateOperatingPoint(condition, *device.limits, *device.params, heatsink, expected));

    const json& loss = j.at("loss");
    EXPECT_EQ(loss.at("igbtSaturationLoss").get<double>(), expected.loss.igbtSaturationLoss);
    EXPECT_EQ(loss.at("igbtTurnOnLoss").get<double>(), expected.loss.igbtTurnOnLoss);
    EXPECT_EQ(loss.at("igbtTurnOffLoss").get<double>(), expected.loss.igbtTurnOffLoss);
    EXPECT_EQ(loss.at("fwdSaturationLoss").get<double>(), expected.loss.fwdSaturationLoss);
    EXPECT_EQ(loss.at("fwdRecoveryLoss").get<double>(), expected.loss.fwdRecoveryLoss);
    const json& t = j.at("temperature");
    EXPECT_EQ(t.size(), 13u);
    EXPECT_EQ(t.at("igbtTjMax").get<double>(), expected.temperature.igbtTjMax);
    EXPECT_EQ(t.at("fwdDeltaTjcMin").get<double>(), expected.temperature.fwdDeltaTjcMin);
    EXPECT_EQ(t.at("tfAve").get<double>(), expected.temperature.tfAve);
    EXPECT_EQ(t.at("ambientTemperature").get<double>(), 25.5);

    ASSERT_EQ(j.at("waveformCount").get<std::size_t>(), expected.waveform.size());
    const json& waveform = j.at("waveform");
    ASSERT_EQ(waveform.size(), expected.waveform.size());
    EXPECT_EQ(waveform.at(0).size(), 17u);
    const std::size_t k = expected.waveform.size() / 3;
    EXPECT_EQ(waveform.at(k).at("igbtTj").get<double>(), expected.waveform[k].igbtTj);
    EXPECT_EQ(waveform.at(k).at("offAngle").get<double>(), expected.waveform[k].offAngle);
    EXPECT_EQ(waveform.at(k).at("heatsinkLoss").get<double>(), expected.waveform[k].heatsinkLoss);
}

TEST_F(CalculationCommandTest, TheEstimateHandsItsUnroundedNetworkToTheEngine) {
    SteadyOptions o = steady();
    o.common.heatsink = {};
    o.common.heatsink.capacity = "3.7";
    o.common.heatsink.rthFactor = "0.8";
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    // The page's estimate of the same texts, before its rounding to the shown texts.
    HeatsinkEstimate estimate;
    ASSERT_EQ(computeHeatsinkEstimate("3.7", "0.8", "1", estimate), "");
    for (std::size_t k = 0; k < 4; ++k) {
        const double rth = j.at("heatsink").at("rth").at(k).get<double>();
        EXPECT_EQ(rth, estimate.rth[k]) << k;
        EXPECT_NE(rth, readNumber(estimate.rthTexts[k])) << k;
        EXPECT_EQ(j.at("heatsink").at("tth").at(k).get<double>(), estimate.tth[k]) << k;
    }
    EXPECT_EQ(j.at("heatsink").at("tth").at(3).get<double>(), 200.0);
}

// The first failing check decides, in the order: heat sink, Ta, device, inputs.
struct OrderCase {
    const char* name;
    void (*change)(SteadyOptions&);
    int status;
    const char* err;  // start of the error text
};

class SteadyCheckOrderTest : public CalculationCommandTest,
                             public ::testing::WithParamInterface<OrderCase> {};

TEST_P(SteadyCheckOrderTest, FirstFailureDecides) {
    const OrderCase& c = GetParam();
    SteadyOptions o = steady();
    c.change(o);
    const CommandRun r = run(o);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << c.name << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SteadyCheckOrderTest,
    ::testing::Values(
        OrderCase{"heat sink before Ta",
                  [](SteadyOptions& o) {
                      o.common.heatsink.rth = "0.01,0.05,0.3,0";
                      o.common.ta = "200";
                      o.common.typeNumber = "X";
                  },
                  2, kLimitExceededMessage.data()},
        OrderCase{"estimate factor above 1",
                  [](SteadyOptions& o) {
                      o.common.heatsink = {};
                      o.common.heatsink.capacity = "5";
                      o.common.heatsink.tthFactor = "1.5";
                  },
                  2, kLimitExceededMessage.data()},
        OrderCase{"Ta before the device",
                  [](SteadyOptions& o) {
                      o.common.ta = "";
                      o.common.typeNumber = "X";
                  },
                  2, kAmbientLimitMessage.data()},
        OrderCase{"device before the inputs",
                  [](SteadyOptions& o) {
                      o.common.typeNumber = "X";
                      o.texts.outputFrequency = "050";
                  },
                  3, "thermalyx-cli steady: no device"},
        OrderCase{"library before the inputs",
                  [](SteadyOptions& o) {
                      o.common.dataFolder += "missing/";
                      o.texts.outputFrequency = "050";
                  },
                  1, "Error= 2\nthermalyx-cli steady: the device library"},
        OrderCase{"leading zero", [](SteadyOptions& o) { o.texts.outputFrequency = "050"; }, 2,
                  kLimitExceededMessage.data()},
        OrderCase{"beyond the limit", [](SteadyOptions& o) { o.texts.rgOff = "100.01"; }, 2,
                  kLimitExceededMessage.data()},
        OrderCase{"no heat sink", [](SteadyOptions& o) { o.common.heatsink = {}; }, 5,
                  "thermalyx-cli steady: give the heat sink"},
        OrderCase{"three stages", [](SteadyOptions& o) { o.common.heatsink.tth = "1,10,50"; }, 5,
                  "thermalyx-cli steady: --tth takes four"},
        OrderCase{"both forms", [](SteadyOptions& o) { o.common.heatsink.capacity = "5"; }, 5,
                  "thermalyx-cli steady: give the heat sink either"}),
    [](const ::testing::TestParamInfo<OrderCase>& info) {
        return test::caseName(info.param.name);
    });

TEST_F(CalculationCommandTest, TheReportIsTheSteadyReportOfTheCalculation) {
    SteadyOptions o = steady();
    o.texts.powerFactor = "0.85";
    o.texts.modulationRate = "0.95";
    o.common.reportPath = dir_.file("steady.txt");
    o.common.reportTime = "2025/01/02 03:04:05";
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string report = test::readFile(*o.common.reportPath);
    EXPECT_EQ(report.rfind("IGBT/FWD power loss simulation for PWM inverter/converter systems\r\n"
                           "Output date                  :2025/01/02 03:04:05\r\n",
                           0),
              0u);
    EXPECT_NE(report.find("Power factor\t\t\t:0.8\r\nModulation rate\t\t\t:0.9\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("Rth3(K/W)\t\t\t:0.3000\r\n"), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t p = report.find("\r\n"); p != std::string::npos;
         p = report.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 64u);
    const std::string last = "Ta(deg.)\t\t\t:40.00\r\n";
    EXPECT_EQ(report.substr(report.size() - last.size()), last);
}

TEST_F(CalculationCommandTest, AReportThatCannotBeWrittenExitsWith4AndKeepsTheOldOne) {
    SteadyOptions o = steady();
    o.common.reportPath = dir_.file("missing/steady.txt");
    CommandRun r = run(o);
    EXPECT_EQ(r.status, cli::kExitCannotWrite);
    EXPECT_NE(r.err.find("missing/steady.txt"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    // A folder where the report should go can't be replaced; it stays.
    const std::string folder = dir_.file("taken");
    std::filesystem::create_directory(folder);
    o.common.reportPath = folder;
    r = run(o);
    EXPECT_EQ(r.status, cli::kExitCannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    o.common.reportPath = dir_.file("steady.txt");
    o.common.reportTime = "2025/02/30 00:00:00";
    r = run(o);
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(*o.common.reportPath));
}

// ---- cycle ----

const char* kTwoModes =
    "# duration,fstart,fend,current,carrier,pf,M,Vdc,rgOn,rgOff,lock\n"
    "2,0,50,20,8,0.85,1,300,10,10,NORMAL\r\n"
    "\n"
    "3,50,50,25,8,0.85,1,300,10,10,LOCK\n";

TEST_F(CalculationCommandTest, CycleFiguresAreTheSimulationsAndReadBackExactly) {
    CycleOptions o = cycle(kTwoModes);
    o.tj = "average";
    o.common.arms = "3";
    o.samples = true;
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);

    ASSERT_EQ(j.at("modes").size(), 2u);
    const json& first = j.at("modes").at(0);
    EXPECT_EQ(first.at("frequencyStart"), 0.1);  // 0 Hz runs at 0.1 Hz
    EXPECT_EQ(first.at("frequencyEnd"), 50.0);
    EXPECT_EQ(first.at("modulation"), 2);
    EXPECT_EQ(first.at("tjMode"), 1);
    EXPECT_EQ(first.at("dcLock"), false);
    EXPECT_EQ(j.at("modes").at(1).at("dcLock"), true);

    const auto lib = library();
    const DeviceIndexEntry& device = lib->deviceIndex[0];
    std::vector<LoadCycleMode> modes(2);
    for (LoadCycleMode& m : modes) {
        m.modulation = 2;
        m.tjMode = 1;
        m.carrierFrequency = 8;
        m.powerFactor = 0.85;
        m.modulationRate = 1;
        m.dcVoltage = 300;
        m.rgOn = m.rgOff = 10;
    }
    modes[0].duration = 2;
    modes[0].frequencyStart = 0.1;
    modes[0].frequencyEnd = 50;
    modes[0].outputCurrentRms = 20;
    modes[1].duration = 3;
    modes[1].frequencyStart = modes[1].frequencyEnd = 50;
    modes[1].outputCurrentRms = 25;
    modes[1].dcLock = true;
    const HeatsinkModel heatsink =
        buildHeatsinkModel({0.01, 0.05, 0.3, 0.2}, {1, 10, 50, 200}, "40");
    LoadCycleResult expected;
    ASSERT_TRUE(simulateLoadCycle(modes, *device.limits, *device.params, heatsink, expected));

    EXPECT_EQ(j.at("modeCount"), 2);
    ASSERT_EQ(j.at("modeResults").size(), 2u);
    const json& m1 = j.at("modeResults").at(0);
    EXPECT_EQ(m1.size(), 21u);
    EXPECT_EQ(m1.at("igbtDeltaTjcSlope").get<double>(), expected.modes[1].igbtDeltaTjcSlope);
    EXPECT_EQ(m1.at("lastSample").get<int>(), expected.modes[1].lastSample);
    EXPECT_EQ(j.at("modeResults").at(1).at("igbtLoss").get<double>(), expected.modes[2].igbtLoss);
    const json& result = j.at("result");
    EXPECT_EQ(result.size(), 9u);
    EXPECT_EQ(result.at("igbtTjMax").get<double>(), expected.igbtTjMax);
    EXPECT_EQ(result.at("tfAve").get<double>(), expected.tfAve);
    EXPECT_EQ(j.at("sampleCount").get<std::size_t>(), expected.samples.size());
    ASSERT_EQ(j.at("samples").size(), expected.samples.size());
    EXPECT_EQ(j.at("samples").at(300).size(), 13u);
    EXPECT_EQ(j.at("samples").at(300).at("fwdTj").get<double>(), expected.samples[300].fwdTj);
}

TEST_F(CalculationCommandTest, CycleWritesItsReport) {
    CycleOptions o = cycle(kTwoModes);
    o.common.reportPath = dir_.file("cycle.txt");
    o.common.reportTime = "2025/01/02 03:04:05";
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(json::parse(r.out).contains("samples"));
    const std::string report = test::readFile(*o.common.reportPath);
    std::size_t lines = 0;
    for (std::size_t p = report.find("\r\n"); p != std::string::npos;
         p = report.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 4u + 14u + 12u + 25u * 2u + 8u);
    EXPECT_NE(report.find("[Mode No.2]\r\n"), std::string::npos);
}

std::string manyModes(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "1,50,50,20,8,0.85,1,300,10,10,NORMAL\n";
    return text;
}

TEST_F(CalculationCommandTest, CycleChecksInItsOrder) {
    // 25 modes run; 26 are refused, but only after the heat sink, Ta and the device.
    EXPECT_EQ(run(cycle(manyModes(25))).status, 0);
    CommandRun r = run(cycle(manyModes(26)));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, std::string(kTableFullMessage) + "\n");

    CycleOptions o = cycle(manyModes(26));
    o.common.typeNumber = "X";
    EXPECT_EQ(run(o).status, 3);
    o = cycle(manyModes(26));
    o.common.ta = "-41";
    EXPECT_EQ(run(o).err, kAmbientMessage);
    o = cycle(manyModes(26));
    o.common.heatsink.rth = "a,b,c,d";
    o.common.ta = "-41";
    EXPECT_EQ(run(o).err, kLimitMessage);
    // The modes file comes first of all.
    o = cycle("1,50,50,20,8,0.85,1,300,10,10\n");
    o.common.heatsink.rth = "a,b,c,d";
    EXPECT_EQ(run(o).status, cli::kExitUsage);
    o.modesPath = dir_.file("no-such-file.txt");
    EXPECT_EQ(run(o).status, cli::kExitUsage);
    // A file without end is refused, not read until memory runs out.
    o.modesPath = "/dev/zero";
    const CommandRun endless = run(o);
    EXPECT_EQ(endless.status, cli::kExitUsage);
    EXPECT_NE(endless.err.find("/dev/zero: longer than 1048576 bytes"), std::string::npos);
}

struct CycleRowCase {
    const char* row;
    bool accepted;
};

class CycleRowTest : public CalculationCommandTest,
                     public ::testing::WithParamInterface<CycleRowCase> {};

TEST_P(CycleRowTest, RowsPassTheLoadCycleRules) {
    const CommandRun r =
        run(cycle(std::string("1,50,50,20,8,0.85,1,300,10,10,NORMAL\n") + GetParam().row + "\n"));
    if (GetParam().accepted) {
        EXPECT_EQ(r.status, 0) << GetParam().row << ": " << r.err;
    } else {
        EXPECT_EQ(r.status, 2) << GetParam().row;
        EXPECT_EQ(r.err, kLimitMessage) << GetParam().row;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CycleRowTest,
    ::testing::Values(CycleRowCase{"0.5,0,0,20,8,0.85,1,300,10,10,LOCK", true},
                      CycleRowCase{"0,50,50,20,8,0.85,1,300,10,10,NORMAL", false},
                      CycleRowCase{"-1,50,50,20,8,0.85,1,300,10,10,NORMAL", false},
                      CycleRowCase{"1,50,401,20,8,0.85,1,300,10,10,NORMAL", false},
                      CycleRowCase{"1,50,50,20,8,0.85,1,300,10,050,NORMAL", false},
                      CycleRowCase{"1,50,50,20,8,0.85,1,300,10,100,NORMAL", true},
                      CycleRowCase{"1e999,50,50,20,8,0.85,1,300,10,10,NORMAL", false}));

// The table holds the JSON array's entries, in order, a column per field.
void expectCsvHoldsJson(const std::string& path, const json& entries) {
    std::ifstream in(path, std::ios::binary);
    const std::string table{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(table, rows, reason)) << reason;
    ASSERT_EQ(rows.size(), entries.size() + 1);
    ASSERT_EQ(rows[0].size(), entries.at(0).size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ASSERT_EQ(rows[i + 1].size(), rows[0].size()) << "row " << i;
        for (std::size_t f = 0; f < rows[0].size(); ++f) {
            const std::string& cell = rows[i + 1][f];
            ASSERT_TRUE(isWholeNumber(cell)) << rows[0][f] << " row " << i << ": " << cell;
            EXPECT_EQ(readNumber(cell), entries[i].at(rows[0][f]).get<double>());
        }
    }
}

TEST_F(CalculationCommandTest, SampleTablesHoldTheJsonArraysEntries) {
    SteadyOptions s = steady();
    s.waveform = true;
    s.texts.powerFactor = "-0.3";
    s.waveformCsvPath = dir_.file("waveform.csv");
    CommandRun r = run(s);
    ASSERT_EQ(r.status, 0) << r.err;
    expectCsvHoldsJson(*s.waveformCsvPath, json::parse(r.out).at("waveform"));

    CycleOptions c = cycle(kTwoModes);
    c.samples = true;
    c.samplesCsvPath = dir_.file("samples.csv");
    r = run(c);
    ASSERT_EQ(r.status, 0) << r.err;
    expectCsvHoldsJson(*c.samplesCsvPath, json::parse(r.out).at("samples"));

    // A table that cannot be written fails as the report does, and prints nothing.
    c.samplesCsvPath = dir_.file("missing/samples.csv");
    r = run(c);
    EXPECT_EQ(r.status, cli::kExitCannotWrite);
    EXPECT_NE(r.err.find("missing/samples.csv"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

// ---- the built program ----

TEST_F(CalculationCommandTest, TheProgramParsesNegativeNumbersAndReportsUsageErrors) {
    using cli_test::runCli;
    const std::vector<std::string> base{
        "steady", "--data", dir_.folder(),       "--series", "S",          "--type",
        "A",      "--rth",  "0.01,0.05,0.3,0.2", "--tth",    "1,10,50,200"};
    std::vector<std::string> args = base;
    args.insert(args.end(), {"--power-factor", "-0.5", "--dc-lock"});
    cli_test::CliRun run = runCli(args);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(json::parse(run.output).at("condition").at("powerFactor"), -0.5);

    args = base;
    args.insert(args.end(), {"--arms", "4"});
    run = runCli(args);
    EXPECT_GT(run.status, cli::kExitCannotWrite);
    EXPECT_TRUE(run.output.empty());

    run = runCli(
        {"cycle", "--data", dir_.folder(), "--series", "S", "--type", "A", "--capacity", "5"});
    EXPECT_GT(run.status, cli::kExitCannotWrite) << "--modes is required";

    const std::string errors = dir_.file("errors.txt");
    args = base;
    args.insert(args.end(), {"--ta", "125.1"});
    run = runCli(args, errors);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(test::readFile(errors), kAmbientMessage);
}

}  // namespace
}  // namespace thermalyx
