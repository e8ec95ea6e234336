// Replays the rules fuzz target's seeds and every input kept in
// tests/fuzz/regressions/ through it, as the fuzz target runs them.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/line_replay.h"
#include "tests/fuzz/rule_inputs.h"

namespace thermalyx {
namespace {

TEST(RuleFuzzInputs, EveryKeptInputRunsCleanly) {
    test::expectKeptInputsRunOverSampleLine(THERMALYX_FUZZ_DIR, THERMALYX_CATALOGUE_DIR, "rules",
                                            fuzz::exerciseRules, 7);
}

// The seeds are worth fuzzing from only when they reach the rules' success paths.
TEST(RuleFuzzInputs, SeedsPassTheirRules) {
    const auto devices = fuzz::sampleLineLimits(THERMALYX_CATALOGUE_DIR);
    ASSERT_FALSE(devices.empty());
    const std::string folder = std::string(THERMALYX_FUZZ_DIR) + "corpus/rules/";
    // The seed's texts, and the device it names.
    struct Seed {
        std::vector<std::string> fields;
        const ConditionLimits* device;
    };
    const auto seed = [&](const char* name) {
        const std::string bytes = test::readFile(folder + name);
        Seed s{{}, &devices[static_cast<unsigned char>(bytes[1]) % devices.size()]};
        for (std::string_view field : fuzz::splitFields(std::string_view(bytes).substr(3)))
            s.fields.emplace_back(field);
        return s;
    };

    const Seed condition = seed("condition.seed");
    const auto& c = condition.fields;
    const ConditionTexts texts{c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]};
    OperatingCondition operatingPoint;
    EXPECT_EQ(checkConditionTexts(texts, *condition.device, operatingPoint), "");

    const Seed row = seed("mode_row.seed");
    ModeRowTexts rowTexts;
    std::copy_n(row.fields.begin(), rowTexts.columns.size(), rowTexts.columns.begin());
    LoadCycleMode mode;
    EXPECT_EQ(checkModeRow(rowTexts, *row.device, mode), "");

    const auto& e = seed("estimate.seed").fields;
    HeatsinkEstimate estimate;
    EXPECT_EQ(computeHeatsinkEstimate(e[0], e[1], e[2], estimate), "");

    const auto& n = seed("network.seed").fields;
    StageValues rth{}, tth{};
    EXPECT_EQ(checkHeatsinkTexts({n[0], n[1], n[2], n[3]}, {n[4], n[5], n[6], n[7]}, rth, tth), "");

    ReportTime time;
    EXPECT_TRUE(parseReportTime(test::readFile(folder + "report_time.seed").substr(3), time));
}

}  // namespace
}  // namespace thermalyx
