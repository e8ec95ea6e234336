// The least-squares fits that turn catalogue points into the 44 values.
#include "library/catalogue_fit.h"

#include <cmath>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "library/polynomial.h"
#include "tests/support/sample_catalogue.h"

namespace thermalyx {
namespace {

// A degree-6 polynomial in u = i / IC with coefficients of mixed sign.
constexpr double kU[7] = {0.6, 1.2, -0.9, 0.5, -0.12, 0.013, -0.0005};
double degreeSix(double u) {
    double sum = 0.0;
    for (int k = 0; k < 7; ++k) sum += kU[k] * std::pow(u, k);
    return sum;
}

TEST(CatalogueFit, DegreeSixIsRecoveredAtTwelveHundredAmperes) {
    // Raw amperes up to 1200 A would put i^12 into the normal equations; the
    // fit must still give back the coefficients of i^k.
    const double ic = 600.0;
    std::vector<double> xs;
    for (int k = 0; k <= 10; ++k) xs.push_back(0.2 * k * ic);
    std::vector<CurvePoint> points;
    for (double x : xs) points.push_back({x, degreeSix(x / ic), 1});
    std::vector<double> c;
    ASSERT_TRUE(fitPowers(points, {0, 1, 2, 3, 4, 5, 6}, ic, c));
    for (int k = 0; k < 7; ++k)
        EXPECT_NEAR(c[k] * std::pow(ic, k), kU[k], 1e-9 * (1 + std::fabs(kU[k]))) << "k = " << k;
    for (const CurvePoint& p : points) EXPECT_NEAR(ascendingPolynomial(c, p.x), p.y, 1e-10);
}

TEST(CatalogueFit, TooFewDistinctCurrentsAreRefused) {
    std::vector<CurvePoint> points(11, CurvePoint{50.0, 1.5, 3});
    points[0].x = 0.0;
    std::vector<double> c;
    EXPECT_FALSE(fitPowers(points, {0, 1, 2, 3, 4, 5, 6}, 100.0, c));
}

TEST(CatalogueFit, GateFactorIsExactlyOneAtTheStandardResistance) {
    // Points that a free quadratic would not put through 1 at r = 1.
    const std::vector<CurvePoint> points = {
        {0.5, 0.80, 1}, {1.0, 1.01, 2}, {2.0, 1.38, 3}, {3.0, 1.81, 4}, {4.0, 2.22, 5}};
    std::array<double, 3> a{};
    ASSERT_TRUE(fitGateFactor(points, a));
    EXPECT_NEAR(gateQuadratic(a, 1.0), 1.0, 1e-14);
    EXPECT_NEAR(a[0] + a[1] + a[2], 1.0, 1e-14);
    // An exact quadratic through (1, 1) comes back unchanged.
    const std::vector<CurvePoint> exact = {{0.5, 0.7275, 1},
                                           {1, 1, 2},
                                           {2, 1.41, 3},
                                           {3, 1.64, 4},
                                           {4, 1.69, 5}};  // 1 + 0.5 s - 0.09 s^2
    ASSERT_TRUE(fitGateFactor(exact, a));
    EXPECT_NEAR(a[0], -0.09, 1e-12);
    EXPECT_NEAR(a[1], 0.5 + 0.18, 1e-12);
    EXPECT_NEAR(a[2], 1 - 0.5 - 0.09, 1e-12);
}

TEST(CatalogueFit, EnergiesAreStoredInJoulesAsCubicSquareLinear) {
    test::CatalogueSample sample{"S", "T", 100, 600, 5.6};
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_TRUE(parseCatalogue(test::devicesCsv({sample}), test::curvesCsv({sample}),
                               test::thermalCsv({sample}), catalogue, error))
        << error.text();
    // Replace Eon by an exact cubic without constant: E = 2u + u^2 + 0.5u^3 mJ.
    auto& eon = catalogue.devices[0].curves[static_cast<int>(CurveKind::Eon)];
    for (CurvePoint& p : eon) {
        const double u = p.x / 100.0;
        p.y = 2 * u + u * u + 0.5 * u * u * u;
    }
    DeviceFit fit;
    std::string problem;
    int line = 0;
    ASSERT_TRUE(fitDevice(catalogue.devices[0], fit, problem, line)) << problem;
    EXPECT_NEAR(fit.values[34], 0.5e-3 / 1e6, 1e-15);  // i^3
    EXPECT_NEAR(fit.values[35], 1e-3 / 1e4, 1e-14);    // i^2
    EXPECT_NEAR(fit.values[36], 2e-3 / 1e2, 1e-12);    // i^1
    EXPECT_NEAR(cubicThroughZero(std::span(fit.values).subspan(34, 3), 100.0), 3.5e-3, 1e-12);
    EXPECT_LT(fit.quality[static_cast<int>(CurveKind::Eon)].worstResidual, 1e-9);
}

// How closely the sample line's curves are fitted today (6.5 mV, 8.5 mV,
// 1.25 % and 0.015): a change to the fit that loses accuracy shows here.
TEST(CatalogueFit, SampleLineFitsWithinTodaysResiduals) {
    const test::FittedCatalogue line = test::fitSampleLine();
    ASSERT_TRUE(line.ok) << line.error;
    const Catalogue& catalogue = line.catalogue;
    const std::vector<LibraryDevice>& devices = line.devices;
    const std::vector<DeviceFit>& fits = line.fits;
    ASSERT_EQ(fits.size(), 24u);
    const double limit[kCurveKindCount] = {0.0065, 0.0085, 1.25, 1.25, 1.25, 0.015, 0.015, 0.015};
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const CatalogueDevice& d = catalogue.devices[i];
        for (int k = 0; k < kCurveKindCount; ++k) {
            EXPECT_LE(fits[i].quality[k].worstMeasure, limit[k])
                << d.key() << " " << curveName(static_cast<CurveKind>(k));
        }
        // Every point itself, through the stored values as the engine reads them.
        for (const CurvePoint& p : d.curves[static_cast<int>(CurveKind::VCE)])
            EXPECT_NEAR(ascendingPolynomial(std::span(fits[i].values).subspan(1, 7), p.x), p.y,
                        0.0065)
                << d.key();
        for (const CurvePoint& p : d.curves[static_cast<int>(CurveKind::VF)])
            EXPECT_NEAR(ascendingPolynomial(std::span(fits[i].values).subspan(8, 7), p.x), p.y,
                        0.0085)
                << d.key();
        const double errAtIc =
            cubicThroughZero(std::span(fits[i].values).subspan(40, 3), d.nominalCurrent);
        for (const CurvePoint& p : d.curves[static_cast<int>(CurveKind::Err)])
            EXPECT_NEAR(cubicThroughZero(std::span(fits[i].values).subspan(40, 3), p.x), p.y * 1e-3,
                        0.0125 * errAtIc);
        for (int first : {25, 28, 31})
            EXPECT_NEAR(gateQuadratic(std::span(fits[i].values).subspan(first, 3), 1.0), 1.0,
                        1e-12);

        // The values taken as they stand.
        const auto& v = devices[i].params.values;
        EXPECT_EQ(v[0], 0.0);
        EXPECT_EQ(v[15], d.thermal.rthjcIgbt);
        EXPECT_EQ(v[16], d.thermal.rthjcFwd);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(v[17 + k], d.thermal.igbtFractions[k]);
            EXPECT_EQ(v[21 + k], d.thermal.fwdFractions[k]);
        }
        EXPECT_EQ(v[43], d.thermal.caseFinScale);
    }
}

TEST(CatalogueFit, UnfittableCurveNamesItsLine) {
    test::CatalogueSample sample{"S", "T", 100, 600, 5.6};
    Catalogue catalogue;
    CatalogueError error;
    ASSERT_TRUE(parseCatalogue(test::devicesCsv({sample}), test::curvesCsv({sample}),
                               test::thermalCsv({sample}), catalogue, error));
    for (CurvePoint& p : catalogue.devices[0].curves[static_cast<int>(CurveKind::Koff)]) p.x = 2.0;
    std::vector<LibraryDevice> devices;
    std::vector<DeviceFit> fits;
    ASSERT_FALSE(fitCatalogue(catalogue, devices, fits, error));
    EXPECT_EQ(error.file, "curves.csv");
    EXPECT_EQ(error.line, catalogue.devices[0].curves[static_cast<int>(CurveKind::Koff)][0].line);
    EXPECT_EQ(error.column, 4);
    EXPECT_NE(error.message.find("Koff"), std::string::npos) << error.message;
}

}  // namespace
}  // namespace thermalyx
