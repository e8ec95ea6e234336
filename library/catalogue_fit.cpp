#include "library/catalogue_fit.h"

#include <cmath>
#include <span>

#include <Eigen/Dense>

#include "library/polynomial.h"

namespace thermalyx {
namespace {

constexpr double kMillijoule = 1.0e-3;

std::vector<CurvePoint> inJoules(const std::vector<CurvePoint>& points) {
    std::vector<CurvePoint> result = points;
    for (CurvePoint& p : result) p.y *= kMillijoule;
    return result;
}

// Fills the quality of one curve from a function giving the fitted value.
template <typename Fitted>
CurveFitQuality measure(const std::vector<CurvePoint>& points, Fitted fitted) {
    CurveFitQuality q;
    for (const CurvePoint& p : points) {
        const double residual = std::fabs(fitted(p.x) - p.y);
        if (residual > q.worstResidual || q.worstLine == 0) {
            q.worstResidual = residual;
            q.worstX = p.x;
            q.worstLine = p.line;
        }
    }
    q.worstMeasure = q.worstResidual;
    return q;
}

std::string describe(const std::string& key, CurveKind kind, const std::string& what) {
    return "the " + std::string(curveName(kind)) + " points of \"" + key + "\" " + what;
}

}  // namespace

bool fitPowers(const std::vector<CurvePoint>& points, const std::vector<int>& powers, double scale,
               std::vector<double>& coefficients) {
    const auto rows = static_cast<Eigen::Index>(points.size());
    const auto cols = static_cast<Eigen::Index>(powers.size());
    if (rows < cols || scale <= 0.0) return false;
    Eigen::MatrixXd a(rows, cols);
    Eigen::VectorXd b(rows);
    for (Eigen::Index r = 0; r < rows; ++r) {
        const double u = points[static_cast<std::size_t>(r)].x / scale;
        for (Eigen::Index c = 0; c < cols; ++c)
            a(r, c) = std::pow(u, powers[static_cast<std::size_t>(c)]);
        b(r) = points[static_cast<std::size_t>(r)].y;
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(a);
    if (qr.rank() < cols) return false;
    const Eigen::VectorXd u = qr.solve(b);
    coefficients.assign(powers.size(), 0.0);
    for (std::size_t c = 0; c < powers.size(); ++c) {
        const double value = u(static_cast<Eigen::Index>(c)) / std::pow(scale, powers[c]);
        if (!std::isfinite(value)) return false;
        coefficients[c] = value;
    }
    return true;
}

bool fitGateFactor(const std::vector<CurvePoint>& points, std::array<double, 3>& a2a1a0) {
    // K - 1 = b1 s + b2 s^2 in s = r - 1: no constant, so K(1) = 1 exactly.
    std::vector<CurvePoint> shifted = points;
    for (CurvePoint& p : shifted) {
        p.x -= 1.0;
        p.y -= 1.0;
    }
    std::vector<double> b;
    if (!fitPowers(shifted, {1, 2}, 1.0, b)) return false;
    const double b1 = b[0];
    const double b2 = b[1];
    a2a1a0 = {b2, b1 - 2.0 * b2, 1.0 - b1 + b2};
    return true;
}

bool fitDevice(const CatalogueDevice& device, DeviceFit& fit, std::string& problem,
               int& problemLine) {
    fit = DeviceFit{};
    const double ic = device.nominalCurrent;
    const std::string key = device.key();
    auto fail = [&](CurveKind kind, const std::string& what) {
        problem = describe(key, kind, what);
        problemLine = device.curves[static_cast<int>(kind)].front().line;
        return false;
    };
    auto& v = fit.values;
    v[0] = 0.0;

    // Conduction: degree 6 in i, fitted in i / IC.
    const std::vector<int> conductionPowers = {0, 1, 2, 3, 4, 5, 6};
    for (CurveKind kind : {CurveKind::VCE, CurveKind::VF}) {
        const auto& points = device.curves[static_cast<int>(kind)];
        std::vector<double> c;
        if (!fitPowers(points, conductionPowers, ic, c))
            return fail(kind,
                        "do not determine a polynomial of degree 6 (too few distinct currents)");
        const int first = kind == CurveKind::VCE ? 1 : 8;
        for (int k = 0; k < 7; ++k) v[first + k] = c[k];
        fit.quality[static_cast<int>(kind)] = measure(points, [&](double x) {
            return ascendingPolynomial(std::span(v).subspan(first, 7), x);
        });
    }

    const CatalogueThermal& t = device.thermal;
    v[15] = t.rthjcIgbt;
    v[16] = t.rthjcFwd;
    for (int k = 0; k < 4; ++k) {
        v[17 + k] = t.igbtFractions[k];
        v[21 + k] = t.fwdFractions[k];
    }

    // Gate-resistance factors, stored a2, a1, a0.
    const std::array<std::pair<CurveKind, int>, 3> factors = {std::pair{CurveKind::Kon, 25},
                                                              std::pair{CurveKind::Koff, 28},
                                                              std::pair{CurveKind::Krr, 31}};
    for (const auto& [kind, first] : factors) {
        const auto& points = device.curves[static_cast<int>(kind)];
        std::array<double, 3> a{};
        if (!fitGateFactor(points, a))
            return fail(kind, "do not determine a quadratic (too few distinct resistance ratios)");
        for (int k = 0; k < 3; ++k) v[first + k] = a[k];
        const int at = first;
        fit.quality[static_cast<int>(kind)] = measure(
            points, [&](double r) { return gateQuadratic(std::span(v).subspan(at, 3), r); });
    }

    // Energies: cubic without constant term in i, J per event, stored i^3, i^2, i^1.
    const std::array<std::pair<CurveKind, int>, 3> energies = {std::pair{CurveKind::Eon, 34},
                                                               std::pair{CurveKind::Eoff, 37},
                                                               std::pair{CurveKind::Err, 40}};
    for (const auto& [kind, first] : energies) {
        const auto& points = device.curves[static_cast<int>(kind)];
        std::vector<double> c;
        if (!fitPowers(inJoules(points), {3, 2, 1}, ic, c))
            return fail(kind, "do not determine a cubic (too few distinct currents)");
        for (int k = 0; k < 3; ++k) v[first + k] = c[k];
        const int at = first;
        CurveFitQuality q = measure(points, [&](double x) {
            return cubicThroughZero(std::span(v).subspan(at, 3), x) / kMillijoule;
        });
        const double atIc = cubicThroughZero(std::span(v).subspan(at, 3), ic) / kMillijoule;
        q.worstMeasure = atIc > 0.0 ? 100.0 * q.worstResidual / atIc : q.worstResidual;
        fit.quality[static_cast<int>(kind)] = q;
    }

    v[43] = t.caseFinScale;
    return true;
}

bool fitCatalogue(const Catalogue& catalogue, std::vector<LibraryDevice>& devices,
                  std::vector<DeviceFit>& fits, CatalogueError& error,
                  const std::string& curvesName) {
    devices.clear();
    fits.clear();
    for (const CatalogueDevice& d : catalogue.devices) {
        DeviceFit fit;
        std::string problem;
        int problemLine = 0;
        if (!fitDevice(d, fit, problem, problemLine)) {
            error.file = curvesName;
            error.line = problemLine;
            error.column = 4;
            error.message = problem;
            return false;
        }

        LibraryDevice device;
        device.spec.series = d.series;
        device.spec.typeNumber = d.typeNumber;
        device.spec.deviceImage = d.deviceImage;
        device.spec.productInfo = d.productInfo;
        device.search.series = d.series;
        device.search.typeNumber = d.typeNumber;
        device.search.acVoltage = d.acVoltage;
        device.search.outputCurrent = d.outputCurrent;
        device.search.circuitComposition = d.circuitComposition;
        device.limits.series = d.series;
        device.limits.typeNumber = d.typeNumber;
        for (int k = 0; k < kLimitCount; ++k) limitValue(device.limits, k) = d.limits[k];
        device.params.series = d.series;
        device.params.typeNumber = d.typeNumber;
        device.params.values = fit.values;
        devices.push_back(std::move(device));
        fits.push_back(fit);
    }
    return true;
}

}  // namespace thermalyx
