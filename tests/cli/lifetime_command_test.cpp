#include "cli/lifetime_command.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "tests/cli/cli_run.h"
#include "tests/cli/plausible_device.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using cli::LifetimeCommandOptions;
using nlohmann::json;

using cli_test::CommandRun;

// A slow mode the junction swings in, and a fast one at another current.
const char* kModes =
    "10,1,1,40,8,0.85,1,300,10,10,NORMAL\n"
    "10,50,50,10,8,0.85,1,300,10,10,NORMAL\n";

class LifetimeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::FixtureDevice device = test::sampleDevice("S@A");
        device.limits = {400, 0.1,  50, 100, 0.1, 20.04, 20,    1,   10.006, 1,     -1,
                         0.8, 1.15, 0,  1,   800, 100,   300.7, 100, 1,      10.004};
        test::writeDataFolder(dir_, {device});
    }

    LifetimeCommandOptions options(const std::string& modes = kModes) const {
        LifetimeCommandOptions o;
        cli_test::choosePlausibleDevice(o.cycle.common, dir_.folder());
        o.cycle.modesPath = dir_.write("modes.txt", modes);
        return o;
    }

    static CommandRun run(const LifetimeCommandOptions& o) {
        return cli_test::runInProcess(o, cli::runLifetime);
    }

    test::TempFolder dir_;
};

// Every number of the answer is finite or null.
void expectNoNonFinite(const json& j) {
    if (j.is_number()) {
        EXPECT_TRUE(std::isfinite(j.get<double>()));
    }
    if (j.is_structured()) {
        for (const json& item : j) expectNoNonFinite(item);
    }
}

TEST_F(LifetimeCommandTest, PrintsCountedAndRippleCyclesWithTheirAssumptions) {
    LifetimeCommandOptions o = options();
    o.ripple = true;
    const CommandRun r = run(o);
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    expectNoNonFinite(j);
    EXPECT_EQ(j.at("model"), "cips2008");
    EXPECT_EQ(j.at("cycleTime").get<double>(), 20.0);
    const json& a = j.at("assumptions");
    EXPECT_EQ(a.at("voltageClass").get<double>(), 600.0);  // the device's VCES
    EXPECT_EQ(a.at("bondCurrent").get<double>(), 10.0);
    EXPECT_EQ(a.at("coefficients").at("beta1").get<double>(), -4.416);
    EXPECT_EQ(a.at("ripple"), true);

    const json& cycles = j.at("igbt").at("cycles");
    ASSERT_GE(cycles.size(), 3u);
    EXPECT_EQ(cycles.at(0).at("source"), "cycle");
    EXPECT_FALSE(cycles.at(0).contains("mode"));
    const json& slow = cycles.at(cycles.size() - 2);
    EXPECT_EQ(slow.at("source"), "ripple");
    EXPECT_EQ(slow.at("mode"), 1);
    EXPECT_EQ(slow.at("count").get<double>(), 10.0);  // 10 s at 1 Hz
    EXPECT_EQ(slow.at("ton").get<double>(), 0.5);
    EXPECT_TRUE(slow.contains("note"));  // 0.5 s is held at 1 s
    double damage = 0.0;
    for (const json& c : cycles) damage += c.at("damage").get<double>();
    EXPECT_DOUBLE_EQ(j.at("igbt").at("damagePerLoadCycle").get<double>(), damage);
    EXPECT_DOUBLE_EQ(j.at("igbt").at("hoursToFailure").get<double>(), 20.0 / (3600.0 * damage));

    // LESIT reads neither the bond nor the voltage class.
    o.model = "lesit";
    const json l = json::parse(run(o).out);
    EXPECT_TRUE(l.at("assumptions").at("bondCurrent").is_null());
    EXPECT_TRUE(l.at("assumptions").at("tonLimits").is_null());
    EXPECT_FALSE(l.at("igbt").at("cycles").at(cycles.size() - 2).contains("note"));
}

TEST_F(LifetimeCommandTest, ModelParametersAreCheckedAfterTheCyclesOwnChecks) {
    const auto refused = [this](auto change) {
        LifetimeCommandOptions o = options();
        change(o);
        return run(o);
    };
    for (const char* bad : {"abc", "0", "-1", "1e999", ""}) {
        CommandRun r = refused([&](auto& o) { o.bondCurrent = bad; });
        EXPECT_EQ(r.status, cli::kExitInputRejected) << bad;
        EXPECT_NE(r.err.find("bond current"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        r = refused([&](auto& o) {
            o.voltageClass = bad;
            o.model = "lesit";  // checked whatever the model
        });
        EXPECT_NE(r.err.find("voltage class"), std::string::npos) << r.err;
        r = refused([&](auto& o) { o.bondDiameter = bad; });
        EXPECT_NE(r.err.find("diameter"), std::string::npos) << r.err;
    }
    EXPECT_EQ(refused([](auto& o) { o.minRange = "-0.1"; }).status, cli::kExitInputRejected);
    EXPECT_EQ(refused([](auto& o) { o.minRange = "0"; }).status, cli::kExitOk);

    // The cycle's own messages come first.
    const CommandRun r = refused([](auto& o) {
        o.bondCurrent = "abc";
        o.cycle.common.ta = "-41";
    });
    EXPECT_EQ(r.status, cli::kExitInputRejected);
    EXPECT_EQ(r.err.find("bond current"), std::string::npos) << r.err;
    EXPECT_EQ(refused([](auto& o) { o.cycle.common.typeNumber = "X"; }).status,
              cli::kExitUnknownDevice);
}

TEST_F(LifetimeCommandTest, ReportIsWrittenBesideTheAnswer) {
    LifetimeCommandOptions o = options();
    o.cycle.common.reportPath = dir_.file("life.txt");
    o.cycle.common.reportTime = "2026/03/04 05:06:07";
    ASSERT_EQ(run(o).status, 0);
    std::ifstream in(*o.cycle.common.reportPath, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("2026/03/04 05:06:07"), std::string::npos);
    EXPECT_NE(text.find("[IGBT]"), std::string::npos);
    EXPECT_NE(text.find("V, voltage class(V/100)\t\t:6\r\n"), std::string::npos);

    o.cycle.common.reportPath = dir_.file("no-such-folder/life.txt");
    EXPECT_EQ(run(o).status, cli::kExitCannotWrite);
}

TEST_F(LifetimeCommandTest, IsACommandOfTheProgram) {
    const cli_test::CliRun run = cli_test::runCli({"lifetime", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("--bond-current"), std::string::npos);
    EXPECT_NE(cli_test::runCli({"lifetime", "--model", "other"}).status, 0);
}

}  // namespace
}  // namespace thermalyx
