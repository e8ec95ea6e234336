// The geometry of sine-triangle modulation over one output period: the
// reference of each carrier interval, where it crosses the carrier, and the
// intervals in which the reference holds a rail and nothing switches.
#pragma once

namespace thermalyx {

// The phase angle by which the current lags the voltage at power factor pf:
// the arc cosine of pf, formed as an arc tangent.
double lagAngle(double pf);

// The reference over one fine interval, at its two ends.
struct ModulationReference {
    double ra = 0.0;
    double rb = 0.0;
    bool clamped = false;  // held at a rail: no switching event
};

// One switching instant: where the reference line crosses the carrier line.
struct CarrierCrossing {
    double angle = 0.0;
    bool clamped = false;
};

// The N computed carrier periods of one output period are cut into 4N fine
// intervals; fine sample i = 1..4N sits at angle 2*pi*(i - 1)/(4N) and the
// carrier is 1 at the peak of each period's rising quarter, 0 elsewhere.
class ModulationGeometry {
public:
    // modulation is kModulationThreeArms or otherwise two-arm, rate the
    // modulation rate M, steps the N carrier periods (at least 1).
    ModulationGeometry(int modulation, double rate, int steps);

    double fineAngle(int i) const;

    // The references of carrier period k = 1..N over its rising interval
    // 4k - 3 and its falling interval 4k - 2.
    void periodReferences(int k, ModulationReference& rising, ModulationReference& falling) const;

    // Where the carrier and the reference line over fine interval i meet; not
    // limited to the interval. Parallel lines meet nowhere: taken at its start.
    CarrierCrossing crossing(int i, const ModulationReference& reference) const;

private:
    double twoArmLine(int sector, double theta) const;

    int modulation_;
    double rate_;
    int steps_;
};

}  // namespace thermalyx
