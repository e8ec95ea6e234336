#include "analysis/device_ranking.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/input_rules.h"
#include "tests/analysis/analysis_fixture.h"

namespace thermalyx {
namespace {

using analysis_test::sampleLibrary;
using analysis_test::samplePoint;

// ---- order rules, on records made by hand ----

constexpr double kLimit = 150.0;

RankedDevice okDevice(std::string name, std::optional<double> rated, double tj, double loss) {
    RankedDevice d;
    d.typeNumber = std::move(name);
    d.ok = true;
    d.ratedCurrent = rated;
    d.tjMax = tj;
    d.margin = kLimit - tj;
    d.totalLoss = loss;
    return d;
}

RankedDevice rejectedDevice(std::string name) {
    RankedDevice d;
    d.typeNumber = std::move(name);
    d.ratedCurrent = 5.0;  // a rating never lifts a rejected device
    d.message = "rejected";
    return d;
}

// In library order.
std::vector<RankedDevice> handMadeLine() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {
        okDevice("A", 50, 120, 40),  rejectedDevice("C"),
        okDevice("B", 30, 140, 30),  okDevice("D", 50, 110, 35),
        okDevice("E", 10, 170, 10),  okDevice("F", std::nullopt, 100, 30),
        okDevice("G", 100, 160, 50), rejectedDevice("H"),
        okDevice("I", 30, 140, 20),  okDevice("J", 75, kLimit, 60),
        okDevice("K", 20, nan, nan),
    };
}

std::string names(const std::vector<RankedDevice>& devices) {
    std::string text;
    for (const RankedDevice& d : devices) text += d.typeNumber;
    return text;
}

TEST(RankingOrderTest, EachOrderPutsRejectedDevicesLastAndKeepsLibraryOrderOnTies) {
    struct Case {
        RankingOrder order;
        const char* expected;
    };
    // fit: within the limit (J sits exactly on it) by rating, then Tj; F has no
    // rating. Over the limit by margin, K (no finite Tj) last. tj and loss: NaN
    // after every number.
    for (const Case& c :
         {Case{RankingOrder::Fit, "BIDAJFGEKCH"}, Case{RankingOrder::Tj, "FDABIJGEKCH"},
          Case{RankingOrder::Loss, "EIBFDAGJKCH"}}) {
        std::vector<RankedDevice> devices = handMadeLine();
        orderRanking(devices, c.order, kLimit);
        EXPECT_EQ(names(devices), c.expected) << rankingOrderText(c.order);
    }
}

// ---- the sample line ----

RankingRequest sampleRequest() {
    RankingRequest request;
    request.point = samplePoint();
    return request;
}

TEST(DeviceRankingTest, FiguresAreThoseOfASingleSteadyCalculation) {
    const auto library = sampleLibrary();
    const std::optional<Ranking> ranking = rankDevices(*library, sampleRequest());
    ASSERT_TRUE(ranking);
    ASSERT_EQ(ranking->message, "");
    ASSERT_EQ(ranking->devices.size(), library->deviceIndex.size());
    for (const RankedDevice& d : ranking->devices) {
        SteadyRequest single = samplePoint();
        single.series = d.series;
        single.typeNumber = d.typeNumber;
        const SteadyOutcome outcome = runSteadyRequest(*library, single);
        ASSERT_EQ(d.ok, outcome.ok()) << d.typeNumber;
        EXPECT_EQ(d.message, outcome.message) << d.typeNumber;
        if (d.typeNumber == "2NZ450E-120") {
            EXPECT_EQ(d.ratedCurrent, 450.0);
            EXPECT_EQ(d.ratedVoltage, 1200.0);
        }
        if (!d.ok) continue;
        const LossResult& l = outcome.result.loss;
        const TemperatureResult& t = outcome.result.temperature;
        EXPECT_EQ(d.loss.igbtTurnOffLoss, l.igbtTurnOffLoss) << d.typeNumber;
        EXPECT_EQ(d.loss.fwdRecoveryLoss, l.fwdRecoveryLoss) << d.typeNumber;
        EXPECT_EQ(d.temperature.tfAve, t.tfAve) << d.typeNumber;
        EXPECT_EQ(d.temperature.fwdDeltaTjcMin, t.fwdDeltaTjcMin) << d.typeNumber;
        EXPECT_EQ(d.totalLoss, l.igbtSaturationLoss + l.igbtTurnOnLoss + l.igbtTurnOffLoss +
                                   l.fwdSaturationLoss + l.fwdRecoveryLoss);
        EXPECT_EQ(d.tjMax, std::max(t.igbtTjMax, t.fwdTjMax)) << d.typeNumber;
        EXPECT_EQ(d.limitedBy, t.fwdTjMax > t.igbtTjMax ? LimitedBy::Fwd : LimitedBy::Igbt);
        EXPECT_EQ(d.margin, kDefaultTjLimit - d.tjMax);
        EXPECT_FALSE(d.maxCurrent);
    }
}

TEST(DeviceRankingTest, DevicesThatRefuseThePointStayInTheAnswerWithTheMessage) {
    const auto library = sampleLibrary();
    const std::optional<Ranking> ranking = rankDevices(*library, sampleRequest());
    ASSERT_TRUE(ranking);
    // 30 A is beyond the current limit of the 10, 15, 20 and 25 A devices, which
    // come last in library order.
    std::vector<std::string> rejected;
    bool seenRejected = false;
    for (const RankedDevice& d : ranking->devices) {
        if (d.ok) {
            EXPECT_FALSE(seenRejected) << d.typeNumber << " after a rejected device";
            continue;
        }
        seenRejected = true;
        rejected.push_back(d.typeNumber);
        EXPECT_EQ(d.message, kLimitExceededMessage);
        ASSERT_TRUE(d.ratedCurrent) << d.typeNumber;
        EXPECT_LT(*d.ratedCurrent, 30.0);
    }
    EXPECT_EQ(rejected, (std::vector<std::string>{"7NQ10P-060", "7NQ20P-060", "7NZ10P-120",
                                                  "7NZ15P-120", "7NZ25R-120", "6NZ25A-120"}));
}

TEST(DeviceRankingTest, FitPutsTheSmallestModuleWithinTheLimitFirst) {
    const auto library = sampleLibrary();
    RankingRequest request = sampleRequest();
    request.tjLimit = 100.0;
    const std::optional<Ranking> ranking = rankDevices(*library, request);
    ASSERT_TRUE(ranking);
    std::size_t within = 0;
    while (within < ranking->devices.size() && ranking->devices[within].ok &&
           ranking->devices[within].tjMax <= request.tjLimit)
        ++within;
    ASSERT_GT(within, 1u);
    ASSERT_LT(within, ranking->devices.size());
    for (std::size_t i = 1; i < within; ++i)
        EXPECT_LE(*ranking->devices[i - 1].ratedCurrent, *ranking->devices[i].ratedCurrent);
    // Past the devices within the limit, none is.
    for (std::size_t i = within; i < ranking->devices.size(); ++i) {
        const RankedDevice& d = ranking->devices[i];
        EXPECT_TRUE(!d.ok || d.margin < 0) << d.typeNumber;
    }
}

TEST(DeviceRankingTest, FiltersKeepExactMatchesInLibraryOrder) {
    const auto library = sampleLibrary();
    RankingRequest request = sampleRequest();
    request.acVoltage = "400V";
    request.circuitComposition = "6in1";
    std::vector<std::string> kept;
    for (const DeviceIndexEntry* d : filteredDevices(*library, request))
        kept.push_back(d->typeNumber);
    EXPECT_EQ(kept,
              (std::vector<std::string>{"6NZ25A-120", "6NZ50A-120", "6NZ75B-120", "6NZ100B-120"}));

    request.series = "Z-Series";
    EXPECT_EQ(filteredDevices(*library, request).size(), 4u);
    request.series = "QH-Series";  // a 200 V series: nothing left
    EXPECT_TRUE(filteredDevices(*library, request).empty());
    RankingRequest caseDiffers = sampleRequest();
    caseDiffers.acVoltage = "400v";
    EXPECT_TRUE(filteredDevices(*library, caseDiffers).empty());
    const std::optional<Ranking> none = rankDevices(*library, request);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->devices.empty());
}

TEST(DeviceRankingTest, AnInputNoDeviceAcceptsIsTheWholeAnswer) {
    const auto library = sampleLibrary();
    RankingRequest request = sampleRequest();
    request.point.ambientText = "126";
    std::optional<Ranking> ranking = rankDevices(*library, request);
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->message, kAmbientLimitMessage);
    EXPECT_TRUE(ranking->devices.empty());

    request = sampleRequest();
    request.point.texts.rgOff = "1O";
    ranking = rankDevices(*library, request);
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->message, kLimitExceededMessage);

    // Beyond every device's DC limit is still a ranking: each device says so.
    request = sampleRequest();
    request.point.texts.dcVoltage = "1000";
    ranking = rankDevices(*library, request);
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->message, "");
    ASSERT_EQ(ranking->devices.size(), 24u);
    for (const RankedDevice& d : ranking->devices) EXPECT_FALSE(d.ok);
}

void expectSame(const RankedDevice& a, const RankedDevice& b) {
    EXPECT_EQ(a.typeNumber, b.typeNumber);
    EXPECT_EQ(a.ok, b.ok);
    EXPECT_EQ(a.loss.igbtSaturationLoss, b.loss.igbtSaturationLoss);
    EXPECT_EQ(a.temperature.igbtTjMax, b.temperature.igbtTjMax);
    EXPECT_EQ(a.temperature.fwdTjMax, b.temperature.fwdTjMax);
    EXPECT_EQ(a.totalLoss, b.totalLoss);
    ASSERT_EQ(a.maxCurrent.has_value(), b.maxCurrent.has_value());
    if (a.maxCurrent) {
        EXPECT_EQ(a.maxCurrent->current, b.maxCurrent->current);
        EXPECT_EQ(a.maxCurrent->tjMax, b.maxCurrent->tjMax);
        EXPECT_EQ(a.maxCurrent->limitedBy, b.maxCurrent->limitedBy);
    }
}

TEST(DeviceRankingTest, TheAnswerIsTheSameForAnyNumberOfThreads) {
    const auto library = sampleLibrary();
    RankingRequest request = sampleRequest();
    request.withMaxCurrent = true;
    request.order = RankingOrder::Loss;
    const std::optional<Ranking> one = rankDevices(*library, request, parallelJobs(1));
    ASSERT_TRUE(one);
    for (int jobs : {2, 8}) {
        const std::optional<Ranking> many = rankDevices(*library, request, parallelJobs(jobs));
        ASSERT_TRUE(many);
        ASSERT_EQ(many->devices.size(), one->devices.size());
        for (std::size_t i = 0; i < one->devices.size(); ++i)
            expectSame(one->devices[i], many->devices[i]);
    }
}

TEST(DeviceRankingTest, AStoppedRankingGivesNothing) {
    const auto library = sampleLibrary();
    std::stop_source source;
    std::size_t reported = 0;
    ParallelOptions options;
    options.jobs = 2;
    options.stop = source.get_token();
    options.progress = [&](std::size_t done, std::size_t total) {
        reported = done;
        EXPECT_EQ(total, 24u);
        if (done == 3) source.request_stop();
    };
    EXPECT_FALSE(rankDevices(*library, sampleRequest(), options));
    EXPECT_LT(reported, 24u);
}

}  // namespace
}  // namespace thermalyx
