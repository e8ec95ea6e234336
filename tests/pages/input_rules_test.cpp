#include "pages/input_rules.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/rule_inputs.h"
#include "tests/support/case_names.h"
#include "tests/support/sample_records.h"

namespace thermalyx {
namespace {

using test::sampleLimits;

// ---- number texts ----

struct NumberTextCase {
    const char* text;
    bool isNumber;
    bool isPositive;
};

class NumberTextTest : public ::testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberTextTest, FollowsTheFieldRules) {
    const NumberTextCase& c = GetParam();
    EXPECT_EQ(isNumberText(c.text), c.isNumber) << '"' << c.text << '"';
    EXPECT_EQ(isPositiveNumberText(c.text), c.isPositive) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberTextTest,
    ::testing::Values(NumberTextCase{"0", true, false}, NumberTextCase{"0.5", true, true},
                      NumberTextCase{"-0.5", true, false}, NumberTextCase{"-0", true, false},
                      NumberTextCase{"1e3", true, true}, NumberTextCase{"  12", true, true},
                      NumberTextCase{".5", true, true}, NumberTextCase{"5.", true, true},
                      NumberTextCase{"", false, false}, NumberTextCase{"05", false, false},
                      NumberTextCase{"-05", false, false}, NumberTextCase{"00.5", false, false},
                      NumberTextCase{"050", false, false}, NumberTextCase{"0e1", false, false},
                      NumberTextCase{"1,5", false, false}, NumberTextCase{"5 ", false, false},
                      NumberTextCase{".", false, false}, NumberTextCase{"-", false, false},
                      NumberTextCase{"inf", false, false}, NumberTextCase{"nan", false, false},
                      NumberTextCase{"0x10", false, false}, NumberTextCase{"abc", false, false},
                      // The leading-zero rules look at the first characters only.
                      NumberTextCase{"+05", true, true}, NumberTextCase{" 05", true, true},
                      // Overflow reads as infinity, underflow as 0: numbers, judged by value.
                      NumberTextCase{"1e999", true, true}, NumberTextCase{"1e-400", true, false}));

// ---- ambient temperature ----

struct AmbientCase {
    const char* text;
    bool accepted;
};

class AmbientTextTest : public ::testing::TestWithParam<AmbientCase> {};

TEST_P(AmbientTextTest, AcceptsMinus40To125) {
    const AmbientCase& c = GetParam();
    const std::string message = checkAmbientText(c.text);
    if (c.accepted) {
        EXPECT_EQ(message, "") << c.text;
    } else {
        EXPECT_EQ(message, kAmbientLimitMessage) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, AmbientTextTest,
                         ::testing::Values(AmbientCase{"-40", true}, AmbientCase{"125", true},
                                           AmbientCase{"40.0", true}, AmbientCase{" 25", true},
                                           AmbientCase{"-40.1", false}, AmbientCase{"125.1", false},
                                           AmbientCase{"", false}, AmbientCase{"abc", false},
                                           AmbientCase{"040", false}, AmbientCase{"1e999", false},
                                           AmbientCase{"-1e999", false}));

// ---- device limits ----

ConditionTexts validTexts() {
    return {"50", "70", "10", "0.85", "1", "600", "6.8", "6.8"};
}

TEST(DefaultTextsTest, UseTheSelectionPageFormats) {
    ConditionLimits limits = sampleLimits();
    limits.dcVoltageDefault = 600.7;
    const ConditionTexts texts = defaultConditionTexts(limits);
    EXPECT_EQ(texts.outputFrequency, "50.0");
    EXPECT_EQ(texts.outputCurrent, "70.0");
    EXPECT_EQ(texts.carrierFrequency, "10.00");
    EXPECT_EQ(texts.powerFactor, "0.85");
    EXPECT_EQ(texts.modulationRate, "1.00");
    EXPECT_EQ(texts.dcVoltage, "600");  // truncated, not rounded
    EXPECT_EQ(texts.rgOn, "6.80");
    EXPECT_EQ(texts.rgOff, "6.80");
}

TEST(DefaultTextsTest, PassTheirOwnDevicesChecks) {
    OperatingCondition condition;
    EXPECT_EQ(checkConditionTexts(defaultConditionTexts(sampleLimits()), sampleLimits(), condition),
              "");
    EXPECT_EQ(condition.dcVoltage, 600.0);
    EXPECT_EQ(condition.powerFactor, 0.85);
}

using Values = std::array<double, 11>;

TEST(ConditionTextsTest, FillsTheEightValuesInFieldOrder) {
    OperatingCondition condition;
    condition.series = "S";
    condition.modulation = 2;
    const ConditionTexts texts{"60", "7.5", "12", "-0.5", "0.9", "320", "10", "20"};
    ASSERT_EQ(checkConditionTexts(texts, sampleLimits(), condition), "");
    // In the order of fuzz::values; the load-cycle fields stay 0.
    EXPECT_EQ(fuzz::values(condition),
              (Values{60.0, 7.5, 12.0, -0.5, 0.9, 320.0, 0.0, 0.0, 0.0, 10.0, 20.0}));
    EXPECT_EQ(condition.series, "S");  // the caller's fields stay
    EXPECT_EQ(condition.modulation, 2);
}

// One field of the eight changed; everything else valid.
struct FieldCase {
    int field;  // 0..7 in field order
    const char* text;
    bool accepted;
};

std::string* fieldText(ConditionTexts& t, int field) {
    std::string* fields[] = {&t.outputFrequency,
                             &t.outputCurrent,
                             &t.carrierFrequency,
                             &t.powerFactor,
                             &t.modulationRate,
                             &t.dcVoltage,
                             &t.rgOn,
                             &t.rgOff};
    return fields[field];
}

class ConditionFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ConditionFieldTest, ChecksNumberAndLimitsBothEndsInclusive) {
    const FieldCase& c = GetParam();
    ConditionTexts texts = validTexts();
    *fieldText(texts, c.field) = c.text;
    OperatingCondition condition;
    condition.outputFrequency = -7.0;  // marks "unchanged"
    const std::string message = checkConditionTexts(texts, sampleLimits(), condition);
    if (c.accepted) {
        EXPECT_EQ(message, "") << c.field << " " << c.text;
    } else {
        EXPECT_EQ(message, kLimitExceededMessage) << c.field << " " << c.text;
        EXPECT_EQ(condition.outputFrequency, -7.0) << "a rejected input changes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ConditionFieldTest,
    ::testing::Values(
        FieldCase{0, "0.1", true}, FieldCase{0, "400", true}, FieldCase{0, "0.09", false},
        FieldCase{0, "400.01", false}, FieldCase{0, "050", false}, FieldCase{0, "0.5", true},
        FieldCase{0, "1e999", false}, FieldCase{1, "100", true}, FieldCase{1, "100.1", false},
        FieldCase{1, "", false}, FieldCase{2, "1", true}, FieldCase{2, "20", true},
        FieldCase{2, "0.99", false}, FieldCase{3, "-1", true}, FieldCase{3, "1", true},
        FieldCase{3, "1.01", false}, FieldCase{3, "-1.01", false}, FieldCase{4, "0", true},
        FieldCase{4, "1.15", true}, FieldCase{4, "1.16", false}, FieldCase{5, "100", true},
        FieldCase{5, "800", true}, FieldCase{5, "99", false}, FieldCase{5, "nan", false},
        FieldCase{6, "1.7", true}, FieldCase{6, "27.2", true}, FieldCase{6, "1.69", false},
        // Rg(off) is held to the one gate-resistance range.
        FieldCase{7, "1.7", true}, FieldCase{7, "27.2", true}, FieldCase{7, "27.3", false},
        FieldCase{7, "1,5", false}));

// Inputs within a device's limits that the engine still can't compute: the
// limits widened and one field changed.
struct DomainCase {
    const char* name;
    void (*widen)(ConditionLimits&);
    int field;  // -1: all fields valid
    const char* text;
};

class EngineDomainTest : public ::testing::TestWithParam<DomainCase> {};

TEST_P(EngineDomainTest, RejectsWithTheInputMessage) {
    const DomainCase& c = GetParam();
    ConditionLimits limits = sampleLimits();
    c.widen(limits);
    ConditionTexts texts = validTexts();
    if (c.field >= 0) *fieldText(texts, c.field) = c.text;
    OperatingCondition condition;
    EXPECT_EQ(checkConditionTexts(texts, limits, condition), kLimitExceededMessage) << c.name;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineDomainTest,
    ::testing::Values(DomainCase{"zero output frequency",
                                 [](ConditionLimits& l) { l.outputFrequencyMin = 0; }, 0, "0"},
                      DomainCase{"negative output frequency",
                                 [](ConditionLimits& l) { l.outputFrequencyMin = -10; }, 0, "-5"},
                      DomainCase{"carrier below the output frequency",
                                 [](ConditionLimits& l) { l.carrierFrequencyMin = 0; }, 2, "0.04"},
                      DomainCase{"more carrier periods than the grouping can count",
                                 [](ConditionLimits& l) { l.outputFrequencyMin = 0; }, 0, "1e-9"},
                      DomainCase{"power factor beyond 1",
                                 [](ConditionLimits& l) { l.powerFactorMax = 2; }, 3, "1.5"},
                      DomainCase{"infinite limits let 1e999 through",
                                 [](ConditionLimits& l) { l.outputCurrentMax = kInf; }, 1, "1e999"},
                      DomainCase{"reference voltage 0",
                                 [](ConditionLimits& l) { l.dcVoltageDefault = 0; }, -1, ""},
                      DomainCase{"reference gate resistance 0",
                                 [](ConditionLimits& l) { l.gateResistanceDefault = 0; }, -1, ""}),
    [](const ::testing::TestParamInfo<DomainCase>& info) {
        return test::caseName(info.param.name);
    });

TEST(EngineDomainTest, OneCarrierPeriodPerOutputPeriodIsEnough) {
    ConditionLimits limits = sampleLimits();
    limits.carrierFrequencyMin = 0;
    OperatingCondition condition;
    EXPECT_EQ(checkConditionTexts({"50", "70", "0.05", "0.85", "1", "600", "6.8", "6.8"}, limits,
                                  condition),
              "");
}

// ---- mode rows ----

ModeRowTexts validRow() {
    ModeRowTexts row;
    row.columns = {"10", "50", "50", "70", "10", "0.85", "1", "600", "6.8", "6.8"};
    return row;
}

TEST(ModeDefaultsTest, RepeatTheDeviceDefaultsWithAnEmptyDuration) {
    const ModeRowTexts row = defaultModeRowTexts(sampleLimits());
    EXPECT_EQ(row.text(ModeColumn::Duration), "");
    EXPECT_EQ(row.text(ModeColumn::FrequencyStart), "50.0");
    EXPECT_EQ(row.text(ModeColumn::FrequencyEnd), "50.0");
    EXPECT_EQ(row.text(ModeColumn::OutputCurrent), "70.0");
    EXPECT_EQ(row.text(ModeColumn::CarrierFrequency), "10.00");
    EXPECT_EQ(row.text(ModeColumn::PowerFactor), "0.85");
    EXPECT_EQ(row.text(ModeColumn::ModulationRate), "1.00");
    EXPECT_EQ(row.text(ModeColumn::DcVoltage), "600");
    EXPECT_EQ(row.text(ModeColumn::RgOn), "6.80");
    EXPECT_EQ(row.text(ModeColumn::RgOff), "6.80");
    EXPECT_FALSE(row.dcLock);
    EXPECT_EQ(dcLockText(true), "LOCK");
    EXPECT_EQ(dcLockText(false), "NORMAL");
}

TEST(ModeRowTest, FillsTheTenValuesAndTheLock) {
    ModeRowTexts row;
    row.columns = {"2.5", "10", "60", "7", "12", "-0.5", "0.9", "320", "10", "20"};
    row.dcLock = true;
    LoadCycleMode mode;
    mode.series = "S";
    mode.tjMode = 1;
    ASSERT_EQ(checkModeRow(row, sampleLimits(), mode), "");
    // A mode has no output frequency of its own.
    EXPECT_EQ(fuzz::values(mode),
              (Values{0.0, 7.0, 12.0, -0.5, 0.9, 320.0, 2.5, 10.0, 60.0, 10.0, 20.0}));
    EXPECT_TRUE(mode.dcLock);
    EXPECT_EQ(mode.series, "S");
    EXPECT_EQ(mode.tjMode, 1);
}

// One column changed; which of the two checks (the load-cycle calculation's
// row check and the mode editor's OK) accepts it.
struct ModeCase {
    ModeColumn column;
    const char* text;
    double frequencyMin;
    bool rowAccepted;
    bool editorAccepted;
};

class ModeColumnTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeColumnTest, RowAndEditorChecks) {
    const ModeCase& c = GetParam();
    ConditionLimits limits = sampleLimits();
    limits.outputFrequencyMin = c.frequencyMin;
    ModeRowTexts row = validRow();
    row.text(c.column) = c.text;
    LoadCycleMode mode;
    mode.duration = -3.0;
    const std::string rowMessage = checkModeRow(row, limits, mode);
    EXPECT_EQ(rowMessage.empty(), c.rowAccepted) << static_cast<int>(c.column) << " " << c.text;
    if (!c.rowAccepted) {
        EXPECT_EQ(rowMessage, kLimitExceededMessage);
        EXPECT_EQ(mode.duration, -3.0) << "a rejected row changes nothing";
    }
    const std::string editorMessage = checkModeEditorTexts(row, limits);
    EXPECT_EQ(editorMessage.empty(), c.editorAccepted)
        << static_cast<int>(c.column) << " " << c.text;
    if (!c.editorAccepted) {
        EXPECT_EQ(editorMessage, kLimitExceededMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, ModeColumnTest,
                         ::testing::Values(
                             // 0 Hz runs at 0.1 Hz: the row is judged at 0.1, the editor at 0.
                             ModeCase{ModeColumn::FrequencyStart, "0", 0.1, true, false},
                             ModeCase{ModeColumn::FrequencyEnd, "0", 0.1, true, false},
                             ModeCase{ModeColumn::FrequencyStart, "0", 0.0, true, true},
                             ModeCase{ModeColumn::FrequencyStart, "0", 0.2, false, false},
                             ModeCase{ModeColumn::FrequencyEnd, "400", 0.1, true, true},
                             ModeCase{ModeColumn::FrequencyEnd, "401", 0.1, false, false},
                             ModeCase{ModeColumn::FrequencyStart, "050", 0.1, false, false},
                             // The duration has no limits, but a mode must last.
                             ModeCase{ModeColumn::Duration, "1e6", 0.1, true, true},
                             ModeCase{ModeColumn::Duration, "0.001", 0.1, true, true},
                             ModeCase{ModeColumn::Duration, "0", 0.1, false, false},
                             ModeCase{ModeColumn::Duration, "-1", 0.1, false, false},
                             ModeCase{ModeColumn::Duration, "1e999", 0.1, false, false},
                             ModeCase{ModeColumn::Duration, "", 0.1, false, false},
                             ModeCase{ModeColumn::OutputCurrent, "100.5", 0.1, false, false},
                             ModeCase{ModeColumn::CarrierFrequency, "0.5", 0.1, false, false},
                             ModeCase{ModeColumn::PowerFactor, "-1", 0.1, true, true},
                             ModeCase{ModeColumn::ModulationRate, "1.2", 0.1, false, false},
                             ModeCase{ModeColumn::DcVoltage, "800", 0.1, true, true},
                             ModeCase{ModeColumn::RgOn, "27.2", 0.1, true, true},
                             ModeCase{ModeColumn::RgOff, "1.6", 0.1, false, false},
                             ModeCase{ModeColumn::RgOff, "050", 0.1, false, false}));

TEST(ModeRowTest, ZeroFrequenciesAreStoredAsATenthOfAHertz) {
    ModeRowTexts row = validRow();
    row.text(ModeColumn::FrequencyStart) = "0";
    row.text(ModeColumn::FrequencyEnd) = "0.0";
    LoadCycleMode mode;
    ASSERT_EQ(checkModeRow(row, sampleLimits(), mode), "");
    EXPECT_EQ(mode.frequencyStart, 0.1);
    EXPECT_EQ(mode.frequencyEnd, 0.1);
}

TEST(ModeRowTest, BothFrequenciesMustLeaveACarrierPeriod) {
    ConditionLimits limits = sampleLimits();
    limits.carrierFrequencyMin = 0;
    ModeRowTexts row = validRow();
    row.text(ModeColumn::CarrierFrequency) = "0.1";  // 100 Hz
    row.text(ModeColumn::FrequencyStart) = "50";
    row.text(ModeColumn::FrequencyEnd) = "100";
    LoadCycleMode mode;
    EXPECT_EQ(checkModeRow(row, limits, mode), "");
    row.text(ModeColumn::FrequencyEnd) = "150";
    EXPECT_EQ(checkModeRow(row, limits, mode), kLimitExceededMessage);
}

// ---- the mode table ----

TEST(ModeTableTest, HoldsUpTo25Modes) {
    EXPECT_TRUE(canAddMode(0));
    EXPECT_TRUE(canAddMode(24));
    EXPECT_FALSE(canAddMode(25));
    LoadCycleMode mode;
    mode.duration = 1.0;
    EXPECT_EQ(checkModeTable(std::vector<LoadCycleMode>(25, mode)), "");
    EXPECT_EQ(checkModeTable(std::vector<LoadCycleMode>(26, mode)), kTableFullMessage);
    EXPECT_EQ(checkModeTable({}), kLimitExceededMessage);
}

TEST(ModeTableTest, TheCycleLengthMustBeFinite) {
    LoadCycleMode mode;
    mode.duration = 1e305;
    EXPECT_EQ(checkModeTable({mode}), "");
    mode.duration = 1e307;  // finite, but not 600 times over
    EXPECT_EQ(checkModeTable({mode}), kLimitExceededMessage);
    mode.duration = 1e308;
    EXPECT_EQ(checkModeTable({mode, mode}), kLimitExceededMessage);
}

}  // namespace
}  // namespace thermalyx
