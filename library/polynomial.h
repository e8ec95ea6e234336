// The device curves' polynomials, evaluated one way wherever they are needed:
// in the engine, in the catalogue fits and in the library check.
#pragma once

#include <span>

namespace thermalyx {

// x^c for a whole c >= 0. x^0 is 1 and x^1 is x; the square is multiplied out
// rather than left to pow, which a compiler turns into x * x only when
// optimising, so that every build forms the same bits.
double wholePower(double x, int c);

// c[0] + c[1] x + c[2] x^2 + ..., summed in ascending powers.
double ascendingPolynomial(std::span<const double> c, double x);

// c[0] x^3 + c[1] x^2 + c[2] x: a switching energy, without a constant term.
double cubicThroughZero(std::span<const double> c, double x);

// a[0] r^2 + a[1] r + a[2]: a gate-resistance factor.
double gateQuadratic(std::span<const double> a, double r);

}  // namespace thermalyx
