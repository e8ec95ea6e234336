#include "library/polynomial.h"

#include <array>
#include <cmath>

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

TEST(PolynomialTest, HandWorkedValues) {
    // 1 + 2*2 + 3*4 + 4*8 + 5*16 + 6*32 + 7*64, every term exact.
    const std::array<double, 7> ascending = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(ascendingPolynomial(ascending, 2.0), 769.0);
    EXPECT_EQ(ascendingPolynomial(ascending, 0.0), 1.0);
    // (1 + x)^6 at x = -1 vanishes; at x = 1 gives 64.
    const std::array<double, 7> binomial = {1, 6, 15, 20, 15, 6, 1};
    EXPECT_EQ(ascendingPolynomial(binomial, -1.0), 0.0);
    EXPECT_EQ(ascendingPolynomial(binomial, 1.0), 64.0);
    // 2*27 - 3*9 + 4*3 = 39; no constant term.
    const std::array<double, 3> cubic = {2, -3, 4};
    EXPECT_EQ(cubicThroughZero(cubic, 3.0), 39.0);
    EXPECT_EQ(cubicThroughZero(cubic, 0.0), 0.0);
    const std::array<double, 3> quadratic = {0.5, -1, 2};
    EXPECT_EQ(gateQuadratic(quadratic, 4.0), 6.0);
}

// The square is multiplied out, so it rounds like x * x in every build.
TEST(PolynomialTest, WholePowersRoundLikeRepeatedProducts) {
    for (double x : {0.1, 1.0 / 3.0, 37.25, -2.5e3, 1e-160}) {
        EXPECT_EQ(wholePower(x, 0), 1.0);
        EXPECT_EQ(wholePower(x, 1), x);
        EXPECT_EQ(wholePower(x, 2), x * x);
        EXPECT_NEAR(wholePower(x, 5), x * x * x * x * x, 1e-14 * std::fabs(x * x * x * x * x));
    }
}

}  // namespace
}  // namespace thermalyx
