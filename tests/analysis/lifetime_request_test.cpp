#include "analysis/lifetime_request.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "analysis/lifetime_report.h"

namespace thermalyx {
namespace {

DeviceSpecRecord specWithVces(const std::string& vces) {
    DeviceSpecRecord spec;
    spec.productInfo[0] = vces;
    return spec;
}

struct BadTextCase {
    const char* name;
    LifetimeTexts texts;
    const char* expected;  // part of the message
};

class LifetimeTextsTest : public ::testing::TestWithParam<BadTextCase> {};

TEST_P(LifetimeTextsTest, RejectsWithAClearMessage) {
    const BadTextCase& c = GetParam();
    LifetimeOptions options;
    options.minRange = -7.0;  // untouched on failure
    const std::string message = checkLifetimeTexts(c.texts, specWithVces("1200"), options);
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(options.minRange, -7.0) << c.name;
    // The same texts are judged alike under the other model.
    LifetimeTexts lesit = c.texts;
    lesit.model = LifetimeModel::Lesit;
    EXPECT_EQ(checkLifetimeTexts(lesit, specWithVces("1200"), options), message) << c.name;
}

// Default texts with one field replaced.
LifetimeTexts with(std::optional<std::string> LifetimeTexts::*field, const char* text) {
    LifetimeTexts texts;
    texts.*field = text;
    return texts;
}
LifetimeTexts current(const char* text) {
    return with(&LifetimeTexts::bondCurrent, text);
}
LifetimeTexts voltage(const char* text) {
    return with(&LifetimeTexts::voltageClass, text);
}
LifetimeTexts diameter(const char* text) {
    return with(&LifetimeTexts::bondDiameter, text);
}
LifetimeTexts minRange(const char* text) {
    return with(&LifetimeTexts::minRange, text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LifetimeTextsTest,
    ::testing::Values(BadTextCase{"letters", current("ten"), "bond current (A) must be a number"},
                      BadTextCase{"zero current", current("0"), "\"0\""},
                      BadTextCase{"negative current", current("-10"), "above 0"},
                      BadTextCase{"overflowing current", current("1e999"), "bond current"},
                      BadTextCase{"nan", current("nan"), "bond current"},
                      BadTextCase{"empty voltage", voltage(""), "voltage class (V)"},
                      BadTextCase{"trailing unit", voltage("1200V"), "voltage class (V)"},
                      BadTextCase{"infinite diameter", diameter("inf"), "diameter (um)"},
                      BadTextCase{"negative filter", minRange("-0.5"), "0 or more"},
                      BadTextCase{"filter text", minRange("x"), "0 or more"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST(LifetimeTextsTest, DefaultsAndTheDevicesVoltageClass) {
    LifetimeOptions options;
    ASSERT_EQ(checkLifetimeTexts({}, specWithVces("1700"), options), "");
    EXPECT_EQ(options.parameters.bondCurrent, 10.0);
    EXPECT_EQ(options.parameters.voltageClass, 1700.0);
    EXPECT_EQ(options.parameters.bondDiameter, 300.0);
    EXPECT_EQ(options.minRange, 0.0);
    EXPECT_FALSE(options.ripple);

    LifetimeTexts withRipple = minRange("0");
    withRipple.ripple = true;
    ASSERT_EQ(checkLifetimeTexts(withRipple, specWithVces("650"), options), "");
    EXPECT_TRUE(options.ripple);
    EXPECT_EQ(options.parameters.voltageClass, 650.0);

    // A VCES that is no voltage needs a given class, but only where a model reads it.
    EXPECT_NE(checkLifetimeTexts({}, specWithVces("-"), options).find("VCES \"-\""),
              std::string::npos);
    EXPECT_EQ(checkLifetimeTexts(voltage("1200"), specWithVces("-"), options), "");
    LifetimeTexts lesit;
    lesit.model = LifetimeModel::Lesit;
    EXPECT_EQ(checkLifetimeTexts(lesit, specWithVces("-"), options), "");
}

TEST(LifetimeReportTest, ScientificFiguresKeepFourDigits) {
    EXPECT_EQ(formatScientific(1.0397e-6), "1.040e-06");
    EXPECT_EQ(formatScientific(9.99996e-5), "1.000e-04");
    EXPECT_EQ(formatScientific(961799.84), "9.618e+05");
    EXPECT_EQ(formatScientific(-2.5e12), "-2.500e+12");
    EXPECT_EQ(formatScientific(0.0), "0.000e+00");
    EXPECT_EQ(formatScientific(1.38e-123), "1.380e-123");
}

TEST(LifetimeReportTest, ListsEveryCycleAndMarksTheLimitingChip) {
    LifetimeResult r;
    r.cycleTime = 4.0;
    r.warnings = {"FWD: something to say"};
    LifetimeCycle counted;
    counted.range = 60.0;
    counted.cyclesToFailure = 1.0e6;
    counted.damage = 1.0e-6;
    LifetimeCycle ripple = counted;
    ripple.source = CycleSource::Ripple;
    ripple.mode = 2;
    ripple.cyclesToFailure.reset();
    ripple.damage = 0.0;
    r.fwd.cycles = {counted, ripple};
    sumDamage(r.fwd, r.cycleTime);
    sumDamage(r.igbt, r.cycleTime);

    DeviceIndexEntry device;  // no records: the device section is left out
    const std::string text = buildLifetimeReport(device, r, ReportTime{2026, 1, 2, 3, 4, 5});
    EXPECT_EQ(limitingChip(r), "FWD");
    EXPECT_NE(text.find("[FWD] (limiting)\r\n"), std::string::npos);
    EXPECT_NE(text.find("[IGBT]\r\n"), std::string::npos);
    EXPECT_NE(text.find("FWD: something to say\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\ncycle\t-\t60.00\t"), std::string::npos);
    EXPECT_NE(text.find("\r\nripple\t2\t60.00\t"), std::string::npos);
    EXPECT_NE(text.find("unbounded\t0.000e+00"), std::string::npos);
    // The IGBT takes no damage: its lives are unbounded, never a division by zero.
    EXPECT_NE(text.find("Hours to failure(h)\t\t:unbounded"), std::string::npos);
    EXPECT_NE(text.find("Hours to failure(h)\t\t:1111.1"), std::string::npos);
    EXPECT_EQ(text.find('\n', 0), text.find("\r\n", 0) + 1);
}

}  // namespace
}  // namespace thermalyx
