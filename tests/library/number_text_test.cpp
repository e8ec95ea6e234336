#include "library/number_text.h"

#include <clocale>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

struct PrefixCase {
    const char* text;
    double value;
    std::size_t length;
};

class ReadNumberPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(ReadNumberPrefixTest, ReadsTheLongestDecimalPrefix) {
    const PrefixCase& c = GetParam();
    const NumberPrefix prefix = readNumberPrefix(c.text);
    EXPECT_EQ(prefix.length, c.length) << c.text;
    EXPECT_DOUBLE_EQ(prefix.value, c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Grammar, ReadNumberPrefixTest,
                         ::testing::Values(PrefixCase{"0", 0.0, 1}, PrefixCase{"0.85", 0.85, 4},
                                           PrefixCase{"  -12.5e1x", -125.0, 9},
                                           PrefixCase{"+3", 3.0, 2}, PrefixCase{".5", 0.5, 2},
                                           PrefixCase{"5.", 5.0, 2}, PrefixCase{"1e", 1.0, 1},
                                           PrefixCase{"1e+", 1.0, 1}, PrefixCase{"2E-3", 0.002, 4},
                                           PrefixCase{"1,5", 1.0, 1}, PrefixCase{".", 0.0, 0},
                                           PrefixCase{"-", 0.0, 0}, PrefixCase{"", 0.0, 0},
                                           PrefixCase{"inf", 0.0, 0}, PrefixCase{"nan", 0.0, 0},
                                           PrefixCase{"0x10", 0.0, 1}, PrefixCase{"abc", 0.0, 0},
                                           PrefixCase{"1e-400", 0.0, 6}));

TEST(ReadNumberPrefixTest, OverflowGivesInfinityLikeTheStandardConversion) {
    const NumberPrefix big = readNumberPrefix("-1e400");
    EXPECT_EQ(big.length, 6u);
    EXPECT_TRUE(std::isinf(big.value));
    EXPECT_LT(big.value, 0.0);
}

TEST(FormatTest, FixedRoundsLikePrintf) {
    EXPECT_EQ(formatFixed(0.85, 1), "0.8");  // 0.85 is stored just below the tie
    EXPECT_EQ(formatFixed(0.95, 1), "0.9");
    EXPECT_EQ(formatFixed(2.5, 0), "2");  // exact ties go to even
    EXPECT_EQ(formatFixed(1.0, 4), "1.0000");
    EXPECT_EQ(formatFixed(-0.04, 1), "-0.0");
    EXPECT_EQ(formatFixed(1234567.891, 2), "1234567.89");
}

TEST(FormatTest, TruncatesToWholeNumbers) {
    EXPECT_EQ(formatTruncated(300.7), "300");
    EXPECT_EQ(formatTruncated(-2.9), "-2");
    EXPECT_EQ(formatTruncated(1e12), "2147483647");
    EXPECT_EQ(formatInt(-25), "-25");
}

TEST(FormatTest, ShortestTextReadsBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 6.2831853071794, 1e-300, 123456789.0}) {
        EXPECT_EQ(readNumber(formatShortest(v)), v);
    }
}

TEST(FormatTest, IndependentOfTheUsersLocale) {
    // A desktop that writes decimal commas must still read and write points.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
            comma = true;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no decimal-comma locale installed (tools/deps.sh generates de_DE.UTF-8)";
    }
    EXPECT_EQ(readNumber("0.85"), 0.85);
    EXPECT_EQ(readNumberPrefix("1,5").length, 1u);
    EXPECT_EQ(formatFixed(0.85, 2), "0.85");
    EXPECT_EQ(formatShortest(-1234.5), "-1234.5");
    std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace thermalyx
