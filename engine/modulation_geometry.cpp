#include "engine/modulation_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/engine_constants.h"
#include "engine/records.h"

namespace thermalyx {

namespace {

using engine::kHalfPi;
using engine::kPi;
using engine::kPiOverSix;
using engine::kThreeOverPi;
using engine::kTwoPi;

double carrierAt(int i) {
    return i % 4 == 2 ? 1.0 : 0.0;
}

// The 60-degree sector 1..6 of an angle.
int sectorOf(double theta) {
    return std::clamp(static_cast<int>(theta * kThreeOverPi + 1), 1, 6);
}

// Limits both ends to the rails. "2 arms" counts a value at a rail as held,
// "3 arms" only a value beyond it.
void limitToRails(ModulationReference& reference, bool railHolds) {
    for (double* v : {&reference.ra, &reference.rb}) {
        if (*v > 1.0 || (railHolds && *v == 1.0)) {
            *v = 1.0;
            reference.clamped = true;
        } else if (*v < -1.0 || (railHolds && *v == -1.0)) {
            *v = -1.0;
            reference.clamped = true;
        }
    }
}

}  // namespace

double lagAngle(double pf) {
    if (pf == 0.0) {
        return kHalfPi;
    }
    const double square = pf * pf;
    // A power factor so small that its square is 0 lies a quarter period away.
    const double tangent =
        square == 0.0 ? std::numeric_limits<double>::infinity() : std::sqrt(1.0 / square - 1.0);
    return pf > 0.0 ? std::atan(tangent) : kPi - std::atan(tangent);
}

ModulationGeometry::ModulationGeometry(int modulation, double rate, int steps)
    : modulation_(modulation), rate_(rate), steps_(steps) {}

double ModulationGeometry::fineAngle(int i) const {
    return kTwoPi * (i - 1) / (4 * steps_);
}

// Two-arm modulation: each arm in turn is held at a rail for 60 degrees.
// The value of the sector's line at angle theta; sectors 2 and 5 are held.
double ModulationGeometry::twoArmLine(int sector, double theta) const {
    const double m = rate_;
    const double root3 = std::sqrt(3.0);
    switch (sector) {
        case 1:
            return root3 * std::sin(theta + kPiOverSix) * m - 1;
        case 3:
            return root3 * std::sin(theta - kPiOverSix) * m - 1;
        case 4:
            return root3 * std::sin(theta + kPiOverSix) * m + 1;
        case 6:
            return root3 * std::sin(theta - kPiOverSix) * m + 1;
        case 2:
            return 1.0;
        default:
            return -1.0;
    }
}

// Both intervals share the angle of fine sample 4k - 2; its sine is formed once.
void ModulationGeometry::periodReferences(int k, ModulationReference& rising,
                                          ModulationReference& falling) const {
    const int i = 4 * k - 3;
    const double theta1 = fineAngle(i);
    const double theta2 = fineAngle(i + 1);
    const double theta3 = fineAngle(i + 2);
    const bool threeArms = modulation_ == kModulationThreeArms;
    if (threeArms) {
        const double m = rate_;
        const double middle = m * std::sin(theta2);
        rising = {m * std::sin(theta1), middle, false};
        falling = {middle, m * std::sin(theta3), false};
    } else {
        // The sector of an interval's start decides for both its ends.
        const int risingSector = sectorOf(theta1);
        const int fallingSector = sectorOf(theta2);
        rising.ra = twoArmLine(risingSector, theta1);
        rising.rb = twoArmLine(risingSector, theta2);
        falling.ra = fallingSector == risingSector ? rising.rb : twoArmLine(fallingSector, theta2);
        falling.rb = twoArmLine(fallingSector, theta3);
        rising.clamped = risingSector == 2 || risingSector == 5;
        falling.clamped = fallingSector == 2 || fallingSector == 5;
    }
    limitToRails(rising, !threeArms);
    limitToRails(falling, !threeArms);
}

CarrierCrossing ModulationGeometry::crossing(int i, const ModulationReference& reference) const {
    const double ra = reference.ra;
    const double rb = reference.rb;
    const double thetaA = fineAngle(i);
    const double thetaB = fineAngle(i + 1);
    const double ca = carrierAt(i);
    const double cb = carrierAt(i + 1);
    const double dTheta = thetaB - thetaA;
    const double j = (cb - ca) / dTheta;
    const double k = (rb - ra) / dTheta;
    const double angle = k == j ? thetaA : ((ca - j * thetaA) - (ra - k * thetaA)) / (k - j);
    return {angle, reference.clamped};
}

}  // namespace thermalyx
