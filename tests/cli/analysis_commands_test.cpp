#include "cli/analysis_commands.h"

#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "analysis/analysis_table.h"
#include "cli/cli_common.h"
#include "library/csv_table.h"
#include "pages/input_rules.h"
#include "tests/cli/cli_run.h"
#include "tests/support/sample_records.h"

namespace thermalyx {
namespace {

using nlohmann::json;

using cli_test::CommandRun;

// 30 A rms at 8 kHz over the sample line: some devices refuse the current.
cli::PointOptions samplePoint() {
    cli::PointOptions o;
    o.dataFolder = THERMALYX_SAMPLE_DIR;
    o.texts = test::samplePointTexts();
    o.heatsink.rth = "0.01,0.05,0.3,0.2";
    o.heatsink.tth = "1,10,50,200";
    return o;
}

cli::RankOptions rankOptions() {
    cli::RankOptions o;
    o.point = samplePoint();
    o.maxCurrent = true;
    return o;
}

cli::CapabilityOptions capabilityOptions() {
    cli::CapabilityOptions o;
    o.point = samplePoint();
    o.point.texts.outputCurrent.reset();
    o.point.texts.carrierFrequency.reset();
    o.series = {"QH-Series", "Z-Series"};
    o.typeNumbers = {"2NQ200D-060", "7NZ50B-120"};
    o.carrierFrequencies = "2,8.5,16";
    return o;
}

TEST(RankCommandTest, PrintsEveryDeviceWithTheFieldsThatApply) {
    const CommandRun r = cli_test::runInProcess(rankOptions(), cli::runRank);
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j.at("conditionTexts"), json({{"output-frequency", "50"},
                                            {"output-current", "30"},
                                            {"carrier-frequency", "8"},
                                            {"power-factor", "0.85"},
                                            {"modulation-rate", "1"},
                                            {"dc-voltage", "300"}}));
    EXPECT_EQ(j.at("sort"), "fit");
    EXPECT_EQ(j.at("tjLimit"), 150.0);
    EXPECT_EQ(j.at("heatsink").at("rth").size(), 4u);
    const json& devices = j.at("devices");
    ASSERT_EQ(devices.size(), 24u);
    int ok = 0, rejected = 0;
    for (const json& d : devices) {
        ASSERT_TRUE(d.at("ratedCurrent").is_number()) << d;
        if (d.at("status") == "ok") {
            ++ok;
            EXPECT_FALSE(d.contains("message"));
            EXPECT_EQ(d.at("loss").size(), 5u);
            EXPECT_EQ(d.at("temperature").size(), 13u);
            EXPECT_EQ(d.at("margin").get<double>(), 150.0 - d.at("tjMax").get<double>());
            const json& m = d.at("maxCurrent");
            EXPECT_EQ(m.at("current").is_null(), m.contains("reason")) << m;
            EXPECT_EQ(m.at("tjMax").is_null(), m.at("current").is_null()) << m;
        } else {
            ++rejected;
            EXPECT_EQ(d.at("status"), "rejected");
            EXPECT_FALSE(d.at("message").get<std::string>().empty());
            for (const char* absent : {"loss", "temperature", "tjMax", "limitedBy", "maxCurrent"})
                EXPECT_FALSE(d.contains(absent)) << absent;
        }
    }
    EXPECT_GT(ok, 0);
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(devices.back().at("status"), "rejected");
}

TEST(CapabilityCommandTest, OnePointPerCarrierTextOfEachDevice) {
    const CommandRun r = cli_test::runInProcess(capabilityOptions(), cli::runCapability);
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    const json devices = json::parse(r.out).at("devices");
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].at("typeNumber"), "2NQ200D-060");
    const json& points = devices[0].at("points");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].at("carrierFrequency"), "8.5");
    EXPECT_TRUE(points[1].at("current").is_number());
    EXPECT_FALSE(points[1].contains("reason"));
    // 16 kHz is beyond this device's carrier limit.
    EXPECT_EQ(points[2], json({{"carrierFrequency", "16"},
                               {"current", nullptr},
                               {"tjMax", nullptr},
                               {"limitedBy", nullptr},
                               {"reason", kLimitExceededMessage}}));
}

// Any number of workers gives the same bytes.
TEST(AnalysisCommandsTest, SameAnswerForOneAndEightJobs) {
    cli::RankOptions rank = rankOptions();
    cli::CapabilityOptions capability = capabilityOptions();
    rank.point.jobs = capability.point.jobs = 1;
    const CommandRun rank1 = cli_test::runInProcess(rank, cli::runRank);
    const CommandRun capability1 = cli_test::runInProcess(capability, cli::runCapability);
    rank.point.jobs = capability.point.jobs = 8;
    EXPECT_EQ(cli_test::runInProcess(rank, cli::runRank).out, rank1.out);
    EXPECT_EQ(cli_test::runInProcess(capability, cli::runCapability).out, capability1.out);
}

TEST(AnalysisCommandsTest, CsvQuotesTextsAndLeavesWhatDoesNotApplyEmpty) {
    RankedDevice rejected;
    rejected.series = "A,\"B\"";
    rejected.typeNumber = "T1";
    rejected.message = "too hot,\nreally";
    rejected.ratedCurrent = 12.5;
    const std::string table = rankingCsv({rejected});
    EXPECT_EQ(
        table.rfind("series,typeNumber,status,ratedCurrent,ratedVoltage,igbtSaturationLoss,", 0),
        0u);
    EXPECT_NE(table.find("\r\n\"A,\"\"B\"\"\",T1,rejected,12.5,,,"), std::string::npos);
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(table, rows, reason)) << reason;
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 29u);
    ASSERT_EQ(rows[1].size(), 29u);
    EXPECT_EQ(rows[1][28], "too hot,\nreally");

    cli::RankOptions o = rankOptions();
    o.point.format = "csv";
    const CommandRun r = cli_test::runInProcess(o, cli::runRank);
    ASSERT_EQ(r.status, cli::kExitOk) << r.err;
    ASSERT_TRUE(parseCsv(r.out, rows, reason)) << reason;
    EXPECT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows[1][2], "ok");
    EXPECT_NE(rows[1][27], "");  // maxCurrent
}

TEST(AnalysisCommandsTest, ExitStatuses) {
    // Every device refusing the current is still an answer.
    cli::RankOptions rank = rankOptions();
    rank.point.texts.outputCurrent = "100000";
    EXPECT_EQ(cli_test::runInProcess(rank, cli::runRank).status, cli::kExitOk);
    rank.point.texts.outputCurrent = "30A";
    CommandRun r = cli_test::runInProcess(rank, cli::runRank);
    EXPECT_EQ(r.status, cli::kExitInputRejected);
    EXPECT_EQ(r.err, std::string(kLimitExceededMessage) + "\n");
    EXPECT_EQ(r.out, "");
    rank = rankOptions();
    rank.point.dataFolder += "missing/";
    EXPECT_EQ(cli_test::runInProcess(rank, cli::runRank).status, cli::kExitLibraryNotLoaded);
    rank = rankOptions();
    rank.point.texts.dcVoltage.reset();
    EXPECT_EQ(cli_test::runInProcess(rank, cli::runRank).status, cli::kExitUsage);

    cli::CapabilityOptions c = capabilityOptions();
    c.carrierFrequencies = "2,x";
    EXPECT_EQ(cli_test::runInProcess(c, cli::runCapability).status, cli::kExitInputRejected);
    c = capabilityOptions();
    c.typeNumbers[1] = "NONE";
    EXPECT_EQ(cli_test::runInProcess(c, cli::runCapability).status, cli::kExitUnknownDevice);
    c = capabilityOptions();
    c.typeNumbers.pop_back();
    EXPECT_EQ(cli_test::runInProcess(c, cli::runCapability).status, cli::kExitUsage);
    for (const char* option : {"--output-current", "--carrier-frequency"}) {
        cli_test::CliRun run = cli_test::runCli({"capability",
                                                 "--data",
                                                 THERMALYX_SAMPLE_DIR,
                                                 "--series",
                                                 "QH-Series",
                                                 "--type",
                                                 "2NQ200D-060",
                                                 "--carrier-frequencies",
                                                 "5",
                                                 "--output-frequency",
                                                 "50",
                                                 "--power-factor",
                                                 "0.85",
                                                 "--modulation-rate",
                                                 "1",
                                                 "--dc-voltage",
                                                 "300",
                                                 "--capacity",
                                                 "10",
                                                 option,
                                                 "5"});
        EXPECT_EQ(run.status, cli::kExitUsage) << option;
        EXPECT_EQ(run.output, "");
    }
}

}  // namespace
}  // namespace thermalyx
