#include "cli/library_commands.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_common.h"
#include "tests/cli/cli_run.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using nlohmann::json;
using test::FixtureDevice;
using test::sampleDevice;

class LibraryJson : public testing::Test {
protected:
    json build(const std::vector<FixtureDevice>& devices) {
        test::writeDataFolder(dir_, devices);
        library_ = std::make_unique<DeviceLibrary>(dir_.folder());
        library_->setErrorStream(errors_);
        const bool loaded = library_->load();
        // Through the text, as the tool writes it.
        return json::parse(cli::dumpJson(cli::libraryJson(*library_, loaded)));
    }

    test::TempFolder dir_;
    std::ostringstream errors_;
    std::unique_ptr<DeviceLibrary> library_;
};

TEST_F(LibraryJson, HoldsTheListsAndEveryDeviceInIndexOrder) {
    std::vector<FixtureDevice> devices{sampleDevice("S1@T1", 1.0), sampleDevice("S2@T2", 2.0),
                                       sampleDevice("S1@T3", 3.0)};
    devices[1].acVoltage = "400V";
    devices[2].circuitComposition = "2in1";
    devices[2].productInfo = {"a", "b", "c", "d", "e", "f", "g"};
    const json j = build(devices);

    EXPECT_EQ(j.at("loaded"), true);
    EXPECT_EQ(j.at("deviceCount"), 3);
    EXPECT_EQ(j.at("seriesList"), json({"S1", "S2", "S1"}));
    EXPECT_EQ(j.at("acVoltageList"), json({"200V", "400V"}));
    EXPECT_EQ(j.at("outputCurrentList"), json({"50A"}));
    EXPECT_EQ(j.at("circuitCompositionList"), json({"6in1", "2in1"}));
    ASSERT_EQ(j.at("devices").size(), 3u);

    const json& d = j.at("devices").at(2);
    EXPECT_EQ(d.at("series"), "S1");
    EXPECT_EQ(d.at("typeNumber"), "T3");
    EXPECT_EQ(d.at("deviceImage"), "PKG-A");
    EXPECT_EQ(d.at("circuitComposition"), "2in1");
    EXPECT_EQ(d.at("acVoltage"), "200V");
    EXPECT_EQ(d.at("outputCurrent"), "50A");
    EXPECT_EQ(d.at("productInfo"), json({"a", "b", "c", "d", "e", "f", "g"}));
    EXPECT_EQ(d.size(), 9u);

    const json& limits = d.at("limits");
    ASSERT_EQ(limits.size(), static_cast<std::size_t>(kLimitCount));
    EXPECT_EQ(limits.at("outputFrequencyMax"), 400.0);
    EXPECT_EQ(limits.at("powerFactorMin"), -1.0);
    EXPECT_EQ(limits.at("modulationRateDefault"), 1.0);
    EXPECT_EQ(limits.at("dcVoltageDefault"), 300.0);
    EXPECT_EQ(limits.at("gateResistanceDefault"), 10.0);
    for (int i = 0; i < kLimitCount; ++i) {
        EXPECT_EQ(limits.at(kLimitFieldNames[static_cast<std::size_t>(i)]).get<double>(),
                  devices[2].limits[static_cast<std::size_t>(i)]);
    }
    ASSERT_EQ(d.at("params").size(), static_cast<std::size_t>(kParamCount));
    for (int i = 0; i < kParamCount; ++i) {
        EXPECT_EQ(d.at("params").at(static_cast<std::size_t>(i)).get<double>(),
                  devices[2].params[static_cast<std::size_t>(i)]);
    }
}

TEST_F(LibraryJson, NumbersReadBackToTheSameDouble) {
    std::vector<FixtureDevice> devices{sampleDevice("S@T")};
    const double awkward[] = {0.1,
                              1.0 / 3.0,
                              2.0 / 3.0,
                              -0.0,
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::max(),
                              -std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::epsilon(),
                              1e23,
                              9007199254740993.0,
                              123456789.123456789,
                              5e-324,
                              0.30000000000000004,
                              1e-300};
    for (std::size_t i = 0; i < std::size(awkward); ++i) devices[0].params[i] = awkward[i];
    const json j = build(devices);
    const json& params = j.at("devices").at(0).at("params");
    for (std::size_t i = 0; i < std::size(awkward); ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(params.at(i).get<double>()),
                  std::bit_cast<std::uint64_t>(awkward[i]))
            << "param " << i << " written as " << params.at(i).dump();
    }
}

TEST_F(LibraryJson, NonFiniteParametersAreNull) {
    std::vector<FixtureDevice> devices{sampleDevice("S@T")};
    devices[0].params[0] = std::numeric_limits<double>::infinity();
    devices[0].params[1] = -std::numeric_limits<double>::infinity();
    devices[0].params[2] = std::numeric_limits<double>::quiet_NaN();
    const json j = build(devices);
    const json& params = j.at("devices").at(0).at("params");
    EXPECT_TRUE(params.at(0).is_null());
    EXPECT_TRUE(params.at(1).is_null());
    EXPECT_TRUE(params.at(2).is_null());
    EXPECT_TRUE(params.at(3).is_number());
}

TEST_F(LibraryJson, InvalidUtf8IsReplacedNotFatal) {
    std::vector<FixtureDevice> devices{sampleDevice("\xB5Series\xFF@T\xC3")};
    devices[0].productInfo[5] = "Pkg \xE9t\xE9";  // Latin-1
    devices[0].deviceImage = "ok-\xE2\x82\xAC";   // valid UTF-8 (euro sign) stays
    const json j = build(devices);
    const std::string replacement = "\xEF\xBF\xBD";
    const json& d = j.at("devices").at(0);
    EXPECT_EQ(d.at("series").get<std::string>(), replacement + "Series" + replacement);
    EXPECT_EQ(d.at("typeNumber").get<std::string>(), "T" + replacement);
    EXPECT_EQ(d.at("productInfo").at(5).get<std::string>(),
              "Pkg " + replacement + "t" + replacement);
    EXPECT_EQ(d.at("deviceImage").get<std::string>(), "ok-\xE2\x82\xAC");
    EXPECT_EQ(j.at("seriesList").at(0).get<std::string>(), replacement + "Series" + replacement);
}

TEST_F(LibraryJson, FailedLoadIsEmptyAndNotLoaded) {
    std::vector<FixtureDevice> devices{sampleDevice("S@T")};
    test::writeDataFolder(dir_, devices);
    dir_.write(kParamFileName, "");
    DeviceLibrary library(dir_.folder());
    const json j = json::parse(cli::dumpJson(cli::libraryJson(library, library.load())));
    EXPECT_EQ(j, json({{"loaded", false},
                       {"deviceCount", 0},
                       {"seriesList", json::array()},
                       {"acVoltageList", json::array()},
                       {"outputCurrentList", json::array()},
                       {"circuitCompositionList", json::array()},
                       {"devices", json::array()}}));
}

TEST_F(LibraryJson, LoadedWithNoDevices) {
    const json j = build({sampleDevice("S@")});
    EXPECT_EQ(j.at("loaded"), true);
    EXPECT_EQ(j.at("deviceCount"), 0);
    EXPECT_TRUE(j.at("devices").empty());
}

TEST_F(LibraryJson, FindListsSeriesAndTypeNumberInResultOrder) {
    build({sampleDevice("A@T1"), sampleDevice("B@T1"), sampleDevice("C@T2")});
    std::vector<const DeviceIndexEntry*> found;
    const bool any = library_->findDevices(found, DeviceQueryKind::ByTypeNumber, "T1");
    EXPECT_EQ(cli::findJson(any, found), json({{"found", true},
                                               {"devices",
                                                {{{"series", "A"}, {"typeNumber", "T1"}},
                                                 {{"series", "B"}, {"typeNumber", "T1"}}}}}));
    EXPECT_EQ(cli::findJson(false, {}), json({{"found", false}, {"devices", json::array()}}));
}

// The built program, end to end.
class CliProgram : public testing::Test {
protected:
    void SetUp() override {
        test::writeDataFolder(dir_,
                              {sampleDevice("A@T1"), sampleDevice("B@T1"), sampleDevice("B@T2")});
    }
    std::string readErrors() const { return test::readFile(errorFile()); }
    std::string errorFile() const { return scratch_.file("stderr.txt"); }

    test::TempFolder dir_;
    test::TempFolder scratch_;
};

TEST_F(CliProgram, LibraryPrintsJsonAndExitsZero) {
    const cli_test::CliRun run = cli_test::runCli({"library", "--data", dir_.path().string()});
    EXPECT_EQ(run.status, 0);
    const json j = json::parse(run.output);
    EXPECT_EQ(j.at("deviceCount"), 3);
    EXPECT_EQ(j.at("seriesList"), json({"A", "B"}));
}

TEST_F(CliProgram, UnloadableLibraryExitsOneWithCleanJson) {
    const cli_test::CliRun run =
        cli_test::runCli({"library", "--data", scratch_.folder() + "missing"}, errorFile());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(json::parse(run.output).at("loaded"), false);  // the Error line is not in it
    EXPECT_EQ(readErrors(), "Error= 2\n");
}

TEST_F(CliProgram, FindPrintsTheQueryResult) {
    cli_test::CliRun run =
        cli_test::runCli({"find", "--data", dir_.folder(), "--kind", "2", "--a", "B", "--b", "T2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(json::parse(run.output),
              json({{"found", true}, {"devices", {{{"series", "B"}, {"typeNumber", "T2"}}}}}));

    run = cli_test::runCli({"find", "--data", dir_.folder(), "--kind", "5", "--a", "B"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(json::parse(run.output), json({{"found", false}, {"devices", json::array()}}));

    run = cli_test::runCli({"find", "--data", scratch_.folder(), "--kind", "0", "--a", "B"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(json::parse(run.output).at("found"), false);
}

TEST_F(CliProgram, UsageErrorsExitNonZeroWithAMessage) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nonsense"},
        {"find", "--data", dir_.folder(), "--a", "B"},                    // no --kind
        {"find", "--data", dir_.folder(), "--kind", "0"},                 // no --a
        {"find", "--data", dir_.folder(), "--kind", "zero", "--a", "B"},  // not a number
        {"find", "--data", dir_.folder(), "--kind", "99999999999999999999", "--a", "B"},
        {"library", "--data"},
        {"library", "--bogus"},
    };
    for (const auto& arguments : cases) {
        std::string joined;
        for (const auto& a : arguments) joined += a + " ";
        SCOPED_TRACE(joined);
        const cli_test::CliRun run = cli_test::runCli(arguments, errorFile());
        EXPECT_NE(run.status, -1) << "did not exit normally";
        EXPECT_NE(run.status, 0);
        EXPECT_FALSE(readErrors().empty()) << "no message";
    }
}

}  // namespace
}  // namespace thermalyx
