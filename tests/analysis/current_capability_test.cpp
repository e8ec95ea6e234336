#include "analysis/current_capability.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/number_text.h"
#include "pages/input_rules.h"
#include "tests/analysis/analysis_fixture.h"

namespace thermalyx {
namespace {

using analysis_test::sampleLibrary;
using analysis_test::samplePoint;

const DeviceIndexEntry& device(const DeviceLibrary& library, const std::string& typeNumber) {
    for (const DeviceIndexEntry& d : library.deviceIndex) {
        if (d.typeNumber == typeNumber) return d;
    }
    throw std::runtime_error("no device " + typeNumber);
}

SteadyRequest pointFor(const DeviceIndexEntry& d) {
    SteadyRequest point = samplePoint();
    point.series = d.series;
    point.typeNumber = d.typeNumber;
    return point;
}

// Every candidate from 0.1 A up to the device's limit, run one by one.
struct Scan {
    double current = 0.0;  // last within the limit
    double tjMax = 0.0;
    LimitedBy next = LimitedBy::Igbt;  // the hotter part one step above
    bool monotonic = true;             // none within the limit after the first over it
};

Scan scan(const DeviceLibrary& library, const DeviceIndexEntry& d, const SteadyRequest& point,
          double tjLimit) {
    Scan result;
    bool over = false;
    const int last = static_cast<int>(std::lround(d.limits->outputCurrentMax * 10));
    for (int k = 1; k <= last; ++k) {
        SteadyRequest request = point;
        request.texts.outputCurrent = formatFixed(k / 10.0, 1);
        const SteadyOutcome outcome = runSteadyRequest(library, request);
        EXPECT_TRUE(outcome.ok()) << d.typeNumber << " at " << *request.texts.outputCurrent;
        const TemperatureResult& t = outcome.result.temperature;
        const double tj = std::max(t.igbtTjMax, t.fwdTjMax);
        if (tj <= tjLimit) {
            result.monotonic = result.monotonic && !over;
            result.current = numberTextValue(*request.texts.outputCurrent);
            result.tjMax = tj;
        } else if (!over) {
            over = true;
            result.next = t.fwdTjMax > t.igbtTjMax ? LimitedBy::Fwd : LimitedBy::Igbt;
        }
    }
    return result;
}

TEST(CurrentCapabilityTest, BisectionFindsWhatAPlainScanFinds) {
    const auto library = sampleLibrary();
    struct Case {
        const char* typeNumber;
        double tjLimit;
        int modulation;
    };
    for (const Case& c : {Case{"7NQ30R-060", 90.0, kModulationTwoArms},
                          Case{"6NQ50A-060", 110.0, kModulationThreeArms},
                          Case{"7NZ25R-120", 125.0, kModulationTwoArms}}) {
        const DeviceIndexEntry& d = device(*library, c.typeNumber);
        SteadyRequest point = pointFor(d);
        point.modulation = c.modulation;
        const Scan expected = scan(*library, d, point, c.tjLimit);
        ASSERT_TRUE(expected.monotonic) << c.typeNumber;
        ASSERT_GT(expected.current, 0.1) << c.typeNumber << ": pick a higher limit";
        ASSERT_LT(expected.current, d.limits->outputCurrentMax)
            << c.typeNumber << ": pick a lower limit";

        const CurrentCapability found = findMaxCurrent(*library, d, point, c.tjLimit);
        ASSERT_TRUE(found.current) << c.typeNumber << ": " << found.reason;
        EXPECT_EQ(*found.current, expected.current) << c.typeNumber;
        EXPECT_EQ(found.tjMax, expected.tjMax) << c.typeNumber;
        EXPECT_EQ(found.limitedBy, expected.next) << c.typeNumber;
        EXPECT_EQ(found.currentText, formatFixed(expected.current, 1));
        EXPECT_EQ(found.reason, "");
    }
}

TEST(CurrentCapabilityTest, TheEndsOfTheRange) {
    const auto library = sampleLibrary();
    const DeviceIndexEntry& d = device(*library, "6NQ50A-060");
    const SteadyRequest point = pointFor(d);

    // Cool enough at the device's own limit: that is the answer.
    const CurrentCapability top = findMaxCurrent(*library, d, point, 1000.0);
    ASSERT_TRUE(top.current);
    EXPECT_EQ(*top.current, 50.0);
    EXPECT_EQ(top.currentText, "50.0");
    EXPECT_EQ(top.limitedBy, LimitedBy::CurrentLimit);
    EXPECT_GT(top.tjMax, 40.0);

    // Below Ta nothing is within the limit.
    const CurrentCapability none = findMaxCurrent(*library, d, point, 30.0);
    EXPECT_FALSE(none.current);
    EXPECT_NE(none.reason, "");
    EXPECT_NE(none.reason.find("0.1 A"), std::string::npos) << none.reason;
}

TEST(CurrentCapabilityTest, AnInputTheDeviceRefusesIsTheReason) {
    const auto library = sampleLibrary();
    const DeviceIndexEntry& d = device(*library, "2NQ200D-060");  // carrier at most 15 kHz
    SteadyRequest point = pointFor(d);
    point.texts.carrierFrequency = "16";
    const CurrentCapability refused = findMaxCurrent(*library, d, point, 150.0);
    EXPECT_FALSE(refused.current);
    EXPECT_EQ(refused.reason, kLimitExceededMessage);
}

std::vector<const DeviceIndexEntry*> curveDevices(const DeviceLibrary& library) {
    return {&device(library, "6NQ100B-060"), &device(library, "2NQ200D-060"),
            &device(library, "7NZ50B-120")};
}

const std::vector<std::string> kCarriers = {"2", "5", "8.5", "12", "16"};

// Spread over eight workers, each point is what a run of its own gives.
TEST(CapabilityCurveTest, OnePointPerCarrierTextInOrder) {
    const auto library = sampleLibrary();
    const auto devices = curveDevices(*library);
    const std::optional<CapabilityAnswer> answer =
        capabilityCurves(*library, devices, samplePoint(), kCarriers, 125.0, parallelJobs(8));
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->message, "");
    ASSERT_EQ(answer->curves.size(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const CapabilityCurve& curve = answer->curves[i];
        EXPECT_EQ(curve.typeNumber, devices[i]->typeNumber);
        ASSERT_EQ(curve.points.size(), kCarriers.size());
        double previous = INFINITY;
        for (std::size_t c = 0; c < kCarriers.size(); ++c) {
            const CapabilityPoint& p = curve.points[c];
            EXPECT_EQ(p.carrierFrequency, kCarriers[c]);
            SteadyRequest single = pointFor(*devices[i]);
            single.texts.carrierFrequency = kCarriers[c];
            const CurrentCapability alone = findMaxCurrent(*library, *devices[i], single, 125.0);
            EXPECT_EQ(p.capability.current, alone.current);
            EXPECT_EQ(p.capability.tjMax, alone.tjMax);
            EXPECT_EQ(p.capability.limitedBy, alone.limitedBy);
            EXPECT_EQ(p.capability.reason, alone.reason);
            // Switching losses rise with the carrier: the current derates.
            if (p.capability.current) {
                EXPECT_LE(*p.capability.current, previous)
                    << curve.typeNumber << " " << kCarriers[c];
                previous = *p.capability.current;
            }
        }
    }
    // 16 kHz is beyond the 15 kHz of the 2in1 module only.
    EXPECT_TRUE(answer->curves[0].points[4].capability.current);
    EXPECT_FALSE(answer->curves[1].points[4].capability.current);
    EXPECT_EQ(answer->curves[1].points[4].capability.reason, kLimitExceededMessage);
}

TEST(CapabilityCurveTest, ACarrierTextThatIsNoNumberStopsTheWhole) {
    const auto library = sampleLibrary();
    const auto answer =
        capabilityCurves(*library, curveDevices(*library), samplePoint(), {"5", "8,5"}, 125.0);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->message, kLimitExceededMessage);
    EXPECT_TRUE(answer->curves.empty());
}

TEST(CapabilityCurveTest, AStoppedRunGivesNothing) {
    const auto library = sampleLibrary();
    std::stop_source source;
    source.request_stop();
    EXPECT_FALSE(capabilityCurves(*library, curveDevices(*library), samplePoint(), kCarriers, 125.0,
                                  parallelJobs(2, source.get_token())));
}

}  // namespace
}  // namespace thermalyx
