#include "cli/sweep_command.h"

#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "tests/cli/cli_run.h"
#include "tests/cli/plausible_device.h"

namespace thermalyx {
namespace {

using nlohmann::json;

using SweepRun = cli_test::CommandRun;

class SweepCommandTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeDataFolder(dir_, {cli_test::plausibleDevice("S@A")}); }

    // Output current 40, 80, 120 (above the device's 100 A) by carrier 5, 15 kHz.
    cli::SweepOptions grid() const {
        cli::SweepOptions o;
        cli_test::choosePlausibleDevice(o.fixed.common, dir_.folder());
        o.fixed.texts.powerFactor = "0.9";
        o.vary = {"output-current", "40", "120", "3"};
        o.vary2 = {"carrier-frequency", "5", "15", "2"};
        return o;
    }

    static SweepRun run(const cli::SweepOptions& o) {
        return cli_test::runInProcess(o, cli::runSweepCommand);
    }

    static json steady(cli::SteadyOptions o, const std::string& current,
                       const std::string& carrier) {
        o.texts.outputCurrent = current;
        o.texts.carrierFrequency = carrier;
        std::ostringstream out, err;
        cli::LibraryLoader libraries;
        cli::CommandIo io{out, err, libraries};
        EXPECT_EQ(cli::runSteady(o, io), 0) << err.str();
        return json::parse(out.str());
    }

    test::TempFolder dir_;
};

TEST_F(SweepCommandTest, JsonPointsAreSingleSteadyRunsInGridOrder) {
    cli::SweepOptions o = grid();
    o.jobs = "1";
    const SweepRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j.at("vary"), json({"output-current", "carrier-frequency"}));
    EXPECT_EQ(j.at("device"), json({{"series", "S"}, {"typeNumber", "A"}}));
    const json& fixed = j.at("conditionTexts");
    EXPECT_EQ(fixed.size(), 6u);
    EXPECT_EQ(fixed.at("power-factor"), "0.9");
    EXPECT_EQ(fixed.at("dc-voltage"), "300");  // the device's default text
    EXPECT_EQ(j.at("heatsink").at("ambientTemperature"), 40.0);

    const json& points = j.at("points");
    ASSERT_EQ(points.size(), 6u);
    const char* currents[] = {"40", "80", "120"};
    const char* carriers[] = {"5", "15"};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const json& p = points[i];
        EXPECT_EQ(p.at("texts"), json({currents[i / 2], carriers[i % 2]})) << i;
        if (i >= 4) {
            EXPECT_EQ(p.at("status"), "rejected");
            EXPECT_EQ(p.at("message"), kLimitExceededMessage);
            EXPECT_FALSE(p.contains("loss"));
            continue;
        }
        EXPECT_EQ(p.at("status"), "ok");
        EXPECT_FALSE(p.contains("message"));
        const json single = steady(o.fixed, currents[i / 2], carriers[i % 2]);
        EXPECT_EQ(p.at("loss"), single.at("loss")) << i;
        EXPECT_EQ(p.at("temperature"), single.at("temperature")) << i;
    }
}

TEST_F(SweepCommandTest, CsvRowsHoldTheSameFigures) {
    const json points = json::parse(run(grid()).out).at("points");
    cli::SweepOptions o = grid();
    o.format = "csv";
    const SweepRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(r.out, rows, reason)) << reason;
    ASSERT_EQ(rows.size(), 7u);
    ASSERT_EQ(rows[0].size(), 2u + 1u + 5u + 13u + 1u);
    EXPECT_EQ(rows[0][0], "output-current");
    EXPECT_EQ(rows[0][2], "status");
    EXPECT_EQ(rows[0].back(), "message");
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::vector<std::string>& row = rows[i + 1];
        ASSERT_EQ(row.size(), rows[0].size());
        EXPECT_EQ(row[1], points[i].at("texts")[1]);
        EXPECT_EQ(row[2], points[i].at("status"));
        for (std::size_t f = 3; f + 1 < row.size(); ++f) {
            const json* group = nullptr;
            for (const char* name : {"loss", "temperature"}) {
                if (points[i].contains(name) && points[i][name].contains(rows[0][f]))
                    group = &points[i][name];
            }
            if (group == nullptr) {
                EXPECT_EQ(row[f], "") << i << ' ' << rows[0][f];
            } else {
                EXPECT_EQ(readNumber(row[f]), group->at(rows[0][f]).get<double>()) << i;
            }
        }
        EXPECT_EQ(row.back(), points[i].value("message", ""));
    }
}

TEST_F(SweepCommandTest, UsageErrors) {
    // The sample grid with one change refused, its message naming words.
    const auto expectUsage = [this](const std::function<void(cli::SweepOptions&)>& change,
                                    const std::string& words) {
        cli::SweepOptions o = grid();
        change(o);
        const SweepRun r = run(o);
        EXPECT_EQ(r.status, cli::kExitUsage) << words;
        EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    };
    using Options = cli::SweepOptions;
    expectUsage([](Options& o) { o.fixed.texts.outputCurrent = "10"; }, "output-current is varied");
    expectUsage([](Options& o) { o.vary2.name = "gate"; }, "--vary2 takes one of");
    expectUsage([](Options& o) { o.vary.to.reset(); }, "--vary needs");
    expectUsage([](Options& o) { o.vary = {}; }, "--vary NAME");
    expectUsage([](Options& o) { o.vary2.points = "1e3"; }, "--points2 takes a whole number");
    expectUsage(
        [](Options& o) {
            o.vary.points = "1001";
            o.vary2.points = "1000";
        },
        "at most 1000000 points");
    expectUsage([](Options& o) { o.vary2.name = "output-current"; }, "varied twice");
    expectUsage([](Options& o) { o.jobs = "0"; }, "--jobs");

    // The built program knows when --ta was given.
    const cli_test::CliRun program = cli_test::runCli(
        {"sweep", "--data", dir_.folder(), "--series", "S", "--type", "A", "--capacity", "5",
         "--vary", "ta", "--from", "-10", "--to", "50", "--points", "3", "--ta", "40"});
    EXPECT_EQ(program.status, cli::kExitUsage);
    const json j = json::parse(cli_test::runCli({"sweep", "--data", dir_.folder(), "--series", "S",
                                                 "--type", "A", "--capacity", "5", "--vary", "ta",
                                                 "--from", "-10", "--to", "50", "--points", "3"})
                                   .output);
    EXPECT_TRUE(j.at("heatsink").at("ambientTemperature").is_null());
    EXPECT_EQ(j.at("points").at(1).at("texts"), json({"20"}));
}

}  // namespace
}  // namespace thermalyx
