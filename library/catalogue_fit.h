// From catalogue points to the 44 parameter values: least-squares fits of the
// conduction, switching-energy and gate-resistance curves, and the assembly of
// the library records that the data files are written from.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "library/catalogue.h"
#include "library/device_records.h"
#include "library/library_writer.h"

namespace thermalyx {

// How well one curve's fit reproduces its points.
struct CurveFitQuality {
    // Largest |fitted - point| in the curve's own unit: V for VCE and VF, mJ
    // for the energies, the bare factor for Kon, Koff and Krr.
    double worstResidual = 0.0;
    // For the energies: worstResidual over the fitted energy at IC, in per
    // cent; for the other curves equal to worstResidual.
    double worstMeasure = 0.0;
    double worstX = 0.0;  // where the largest residual lies
    int worstLine = 0;    // its line of curves.csv
};

struct DeviceFit {
    std::array<double, kParamCount> values{};
    std::array<CurveFitQuality, kCurveKindCount> quality;
};

// Least squares of y over the given powers of u = x / scale, by a
// column-pivoting QR decomposition (the normal equations of raw amperes up to
// 1200 A would square a condition number that is already large). Returns the
// coefficients of x^p for each power p, i.e. c_p / scale^p. False when the
// points do not determine the coefficients (too few distinct x).
bool fitPowers(const std::vector<CurvePoint>& points, const std::vector<int>& powers, double scale,
               std::vector<double>& coefficients);

// Gate-resistance factor K(r) = 1 + b1 (r - 1) + b2 (r - 1)^2, r = rg /
// standard rg, so that K is exactly 1 at the standard rg where the energy
// curves hold. Returns a2, a1, a0 of a2 r^2 + a1 r + a0.
bool fitGateFactor(const std::vector<CurvePoint>& points, std::array<double, 3>& a2a1a0);

// Fits every curve of one device and fills the 44 values. False with problem
// (a sentence) and problemLine (of curves.csv) when a curve cannot be fitted.
bool fitDevice(const CatalogueDevice& device, DeviceFit& fit, std::string& problem,
               int& problemLine);

// The records of every device, in catalogue order, ready for the writer.
// False with error (naming curves.csv) when a curve's points cannot be fitted.
bool fitCatalogue(const Catalogue& catalogue, std::vector<LibraryDevice>& devices,
                  std::vector<DeviceFit>& fits, CatalogueError& error,
                  const std::string& curvesName = kCatalogueCurvesFile);

}  // namespace thermalyx
