#include "analysis/sweep.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/input_rules.h"
#include "tests/analysis/analysis_fixture.h"

namespace thermalyx {
namespace {

using analysis_test::sampleLibrary;
using analysis_test::samplePoint;

// 50 A device: output current 0.1..50 A, carrier 1..20 kHz.
SweepRequest sweepOf(std::vector<SweepAxis> axes) {
    SweepRequest request;
    request.base = samplePoint();
    request.base.series = "Q-Series";
    request.base.typeNumber = "6NQ50A-060";
    request.axes = std::move(axes);
    return request;
}

SweepPlan plan(const DeviceLibrary& library, std::vector<SweepAxis> axes) {
    return planSweep(library, sweepOf(std::move(axes)));
}

std::vector<SweepPoint> collect(const DeviceLibrary& library, const SweepPlan& p, int jobs) {
    std::vector<SweepPoint> points;
    const bool done = runSweep(
        library, p,
        [&](std::size_t index, const SweepPoint& point) {
            EXPECT_EQ(index, points.size());
            points.push_back(point);
        },
        parallelJobs(jobs));
    EXPECT_TRUE(done);
    return points;
}

std::vector<std::string> texts(const SweepPlan& p, std::size_t axis) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < p.pointCount; ++i)
        list.push_back(sweepPointInputs(p, i).texts[axis]);
    return list;
}

bool sameBits(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

TEST(SweepGridTest, EndsAreExactAndInnerPointsFollowTheFormula) {
    auto library = sampleLibrary();
    using V = std::vector<std::string>;
    // 0.3 + (0.6 * 3) / 3 would be 0.9000000000000001; the end is 0.9 itself.
    EXPECT_EQ(texts(plan(*library, {{SweepInput::PowerFactor, "0.3", "0.9", 4}}), 0),
              (V{"0.3", "0.5", "0.7000000000000001", "0.9"}));
    // Descending, and an end that the formula would miss: 0.09999999999999998.
    EXPECT_EQ(texts(plan(*library, {{SweepInput::PowerFactor, "0.7", "0.1", 4}}), 0),
              (V{"0.7", "0.5", "0.3", "0.1"}));
    // One point is A, whatever B is; typed texts come back in shortest form.
    EXPECT_EQ(texts(plan(*library, {{SweepInput::OutputCurrent, "20.50", "40", 1}}), 0),
              (V{"20.5"}));
    EXPECT_EQ(texts(plan(*library, {{SweepInput::DcVoltage, "100000", "100000", 2}}), 0),
              (V{"1e+05", "1e+05"}));
}

TEST(SweepGridTest, TheSecondInputVariesFastest) {
    auto library = sampleLibrary();
    const SweepPlan p = plan(*library, {{SweepInput::OutputCurrent, "10", "30", 3},
                                        {SweepInput::CarrierFrequency, "4", "8", 2}});
    ASSERT_TRUE(p.ok()) << p.rangeError << p.message;
    ASSERT_EQ(p.pointCount, 6u);
    using V = std::vector<std::string>;
    EXPECT_EQ(texts(p, 0), (V{"10", "10", "20", "20", "30", "30"}));
    EXPECT_EQ(texts(p, 1), (V{"4", "8", "4", "8", "4", "8"}));
    EXPECT_EQ(sweepPointInputs(p, 5).values[1], 8.0);
}

TEST(SweepPlanTest, RangesThatCannotRunAreRefusedBeforeAnyPoint) {
    auto library = sampleLibrary();
    const SweepAxis current{SweepInput::OutputCurrent, "10", "30", 3};
    for (const std::vector<SweepAxis>& axes : std::vector<std::vector<SweepAxis>>{
             {},
             {current, current},
             {current, {SweepInput::Ta, "20", "30", 2}, {SweepInput::RgOn, "1", "2", 2}},
             {{SweepInput::OutputCurrent, "1O", "30", 3}},
             {{SweepInput::OutputCurrent, "10", "", 3}},
             {{SweepInput::OutputCurrent, "10", "30", 0}},
             {{SweepInput::OutputCurrent, "10", "30", 1001},
              {SweepInput::CarrierFrequency, "1", "2", 1000}}}) {
        const SweepPlan p = plan(*library, axes);
        EXPECT_FALSE(p.rangeError.empty()) << axes.size();
    }
    // The limit itself is allowed.
    EXPECT_TRUE(plan(*library, {{SweepInput::OutputCurrent, "10", "30", 1000},
                                {SweepInput::CarrierFrequency, "1", "2", 1000}})
                    .rangeError.empty());
}

TEST(SweepPlanTest, WhatNoPointCanPassDifferentlyRefusesTheWholeSweep) {
    auto library = sampleLibrary();
    SweepRequest unknown = sweepOf({{SweepInput::OutputCurrent, "10", "30", 3}});
    unknown.base.typeNumber = "none";
    EXPECT_EQ(planSweep(*library, unknown).stage, RequestStage::Device);

    SweepRequest badSink = sweepOf({{SweepInput::Ta, "20", "30", 2}});
    badSink.base.heatsink = NetworkTexts{{"0.01", "x", "0.3", "0.2"}, {"1", "10", "50", "200"}};
    EXPECT_EQ(planSweep(*library, badSink).stage, RequestStage::Heatsink);

    SweepRequest hot = sweepOf({{SweepInput::OutputCurrent, "10", "30", 3}});
    hot.base.ambientText = "130";
    const SweepPlan refused = planSweep(*library, hot);
    EXPECT_EQ(refused.stage, RequestStage::Ambient);
    EXPECT_EQ(refused.message, kAmbientLimitMessage);

    // A varied Ta that starts out of range only rejects its own points.
    const SweepPlan varied = plan(*library, {{SweepInput::Ta, "130", "40", 2}});
    ASSERT_TRUE(varied.ok()) << varied.message;
    EXPECT_TRUE(std::isnan(varied.heatsink.ambientTemperature));
    const std::vector<SweepPoint> points = collect(*library, varied, 2);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].message, kAmbientLimitMessage);
    EXPECT_TRUE(points[1].ok);
}

TEST(SweepRunTest, RejectedPointsKeepTheirMessageAndTheFiguresAreThoseOfSingleRuns) {
    auto library = sampleLibrary();
    // 40, 45, 50 pass the 50 A limit; 55 and 60 don't; 0.5 kHz is below the carrier minimum.
    const SweepPlan p = plan(*library, {{SweepInput::OutputCurrent, "40", "60", 5},
                                        {SweepInput::CarrierFrequency, "0.5", "10.5", 3}});
    ASSERT_TRUE(p.ok()) << p.rangeError << p.message;
    const std::vector<SweepPoint> points = collect(*library, p, 2);
    ASSERT_EQ(points.size(), 15u);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SweepPoint& point = points[i];
        const bool expectOk = i < 9 && i % 3 != 0;
        EXPECT_EQ(point.ok, expectOk) << i;

        SteadyRequest single = sweepOf({}).base;
        single.texts.outputCurrent = point.texts[0];
        single.texts.carrierFrequency = point.texts[1];
        const SteadyOutcome outcome = runSteadyRequest(*library, single);
        EXPECT_EQ(point.ok, outcome.ok()) << i;
        if (!point.ok) {
            EXPECT_EQ(point.message, kLimitExceededMessage) << i;
            continue;
        }
        EXPECT_TRUE(sameBits(&point.loss, &outcome.result.loss, sizeof(LossResult))) << i;
        EXPECT_TRUE(
            sameBits(&point.temperature, &outcome.result.temperature, sizeof(TemperatureResult)))
            << i;
    }
}

TEST(SweepRunTest, OneAndEightWorkersGiveTheSameAnswerOverSeveralChunks) {
    auto library = sampleLibrary();
    // More points than one chunk holds, so the hand-over between chunks counts too.
    const SweepPlan p = plan(*library, {{SweepInput::OutputCurrent, "1", "55", 700}});
    ASSERT_TRUE(p.ok());
    const std::vector<SweepPoint> one = collect(*library, p, 1);
    const std::vector<SweepPoint> eight = collect(*library, p, 8);
    ASSERT_EQ(one.size(), 700u);
    ASSERT_EQ(eight.size(), one.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].texts[0], eight[i].texts[0]);
        EXPECT_EQ(one[i].ok, eight[i].ok);
        EXPECT_EQ(one[i].message, eight[i].message);
        EXPECT_TRUE(sameBits(&one[i].loss, &eight[i].loss, sizeof(LossResult))) << i;
        EXPECT_TRUE(sameBits(&one[i].temperature, &eight[i].temperature, sizeof(TemperatureResult)))
            << i;
    }
    EXPECT_TRUE(one.front().ok);
    EXPECT_FALSE(one.back().ok);  // 55 A is over the limit
}

TEST(SweepRunTest, ProgressCountsEveryPointAndAStopEndsTheRunEarly) {
    auto library = sampleLibrary();
    const SweepPlan p = plan(*library, {{SweepInput::OutputCurrent, "1", "50", 600}});
    std::size_t last = 0, total = 0;
    ParallelOptions options = parallelJobs(2);
    options.progress = [&](std::size_t done, std::size_t of) {
        EXPECT_EQ(done, last + 1);
        last = done;
        total = of;
    };
    EXPECT_TRUE(runSweep(
        *library, p, [](std::size_t, const SweepPoint&) {}, options));
    EXPECT_EQ(last, 600u);
    EXPECT_EQ(total, 600u);

    std::stop_source stop;
    std::size_t received = 0;
    const bool finished = runSweep(
        *library, p,
        [&](std::size_t, const SweepPoint&) {
            ++received;
            stop.request_stop();
        },
        parallelJobs(2, stop.get_token()));
    EXPECT_FALSE(finished);
    EXPECT_GT(received, 0u);
    EXPECT_LT(received, 600u);
}

}  // namespace
}  // namespace thermalyx
