#include "library/polynomial.h"

#include <cmath>

namespace thermalyx {

double wholePower(double x, int c) {
    switch (c) {
        case 0:
            return 1.0;
        case 1:
            return x;
        case 2:
            return x * x;
        default:
            return std::pow(x, static_cast<double>(c));
    }
}

double ascendingPolynomial(std::span<const double> c, double x) {
    double sum = 0.0;
    for (std::size_t k = 0; k < c.size(); ++k) sum += c[k] * wholePower(x, static_cast<int>(k));
    return sum;
}

double cubicThroughZero(std::span<const double> c, double x) {
    return c[0] * wholePower(x, 3) + c[1] * wholePower(x, 2) + c[2] * x;
}

double gateQuadratic(std::span<const double> a, double r) {
    return a[0] * (r * r) + a[1] * r + a[2];
}

}  // namespace thermalyx
