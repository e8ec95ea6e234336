// The engine tests' comparisons and random operating points around the shared
// sample records.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/operating_point.h"
#include "library/device_records.h"
#include "tests/support/sample_records.h"

namespace thermalyx::test {

// Agreement of the fast and the literal path: relative, or absolute near zero.
inline bool agrees(double a, double b, double tolerance = 1e-9) {
    return std::fabs(a - b) <= tolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// A random operating point within the ranges the input pages allow, for a
// random but plausible device.
struct RandomCase {
    DeviceParamRecord params;
    ConditionLimits limits;
    HeatsinkModel heatsink;
    OperatingCondition condition;
};

inline RandomCase randomCase(std::mt19937_64& random) {
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    RandomCase c{sampleParams(), sampleLimits(), sampleHeatsink(), sampleCondition()};
    auto& v = c.params.values;
    for (int i = 1; i <= 43; ++i) {
        v[i] *= uniform(0.7, 1.3);
    }
    for (int k = 0; k < 4; ++k) {
        c.heatsink.rth[k] = uniform(0.0, 0.1);
        c.heatsink.tth[k] = uniform(0.5, 300.0);
    }
    c.heatsink.ambientTemperature = uniform(-20.0, 60.0);
    OperatingCondition& o = c.condition;
    o.modulation = random() % 2 == 0 ? kModulationTwoArms : kModulationThreeArms;
    o.outputFrequency = std::exp(uniform(std::log(0.1), std::log(400.0)));
    o.outputCurrentRms = uniform(1.0, 150.0);
    o.carrierFrequency = uniform(1.0, 20.0);
    o.powerFactor = uniform(-1.0, 1.0);
    o.modulationRate = uniform(0.0, 1.15);
    o.dcVoltage = uniform(300.0, 800.0);
    o.rgOn = uniform(2.0, 30.0);
    o.rgOff = uniform(2.0, 30.0);
    o.dcLock = random() % 8 == 0;
    o.frequencyStart = o.outputFrequency;
    o.frequencyEnd = std::exp(uniform(std::log(0.1), std::log(400.0)));
    o.tjMode = static_cast<int>(random() % 2);
    return c;
}

}  // namespace thermalyx::test
