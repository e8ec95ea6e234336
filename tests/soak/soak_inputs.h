// Random valid inputs for the engine soak, as texts a user types: operating
// texts inside a device's limits, mode rows, heat sinks and requests.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "library/device_library.h"
#include "library/number_text.h"
#include "pages/calculation_request.h"
#include "pages/heatsink_rules.h"
#include "pages/input_rules.h"

namespace thermalyx::test {

// The draws of one input, from a generator of its own seed.
class Inputs {
public:
    explicit Inputs(std::uint64_t seed) : random_(seed) {}

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    int integer(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }

    // A text for a value in [low, high] as a user types it: 0 to 4 decimals,
    // read back inside the range.
    std::string text(double low, double high) {
        for (;;) {
            const double value = chance(0.05) ? (chance(0.5) ? low : high) : uniform(low, high);
            std::string t = formatFixed(value, integer(0, 4));
            const double back = readNumber(t);
            if (low <= back && back <= high) return t;
        }
    }

private:
    std::mt19937_64 random_;
};

// The eight operating texts inside a device's limits (the carrier at least the
// output frequency, which every device of the line allows).
inline ConditionTexts conditionTexts(Inputs& in, const ConditionLimits& l) {
    ConditionTexts t;
    t.outputFrequency = in.text(l.outputFrequencyMin, l.outputFrequencyMax);
    t.outputCurrent = in.text(l.outputCurrentMin, l.outputCurrentMax);
    t.carrierFrequency = in.text(l.carrierFrequencyMin, l.carrierFrequencyMax);
    t.powerFactor = in.text(l.powerFactorMin, l.powerFactorMax);
    t.modulationRate = in.text(l.modulationRateMin, l.modulationRateMax);
    t.dcVoltage = in.text(l.dcVoltageMin, l.dcVoltageMax);
    t.rgOn = in.text(l.gateResistanceMin, l.gateResistanceMax);
    t.rgOff = in.text(l.gateResistanceMin, l.gateResistanceMax);
    return t;
}

// A mode row of a duration and a ramp from start to end, with the other
// operating texts of t.
inline ModeRowTexts modeRow(const std::string& duration, const std::string& start,
                            const std::string& end, const ConditionTexts& t) {
    ModeRowTexts row;
    row.columns = {
        duration,         start,       end,    t.outputCurrent, t.carrierFrequency, t.powerFactor,
        t.modulationRate, t.dcVoltage, t.rgOn, t.rgOff};
    return row;
}

// An estimated network or one typed into the eight fields.
inline HeatsinkSource heatsinkSource(Inputs& in) {
    if (in.chance(0.5)) {
        return CapacityEstimate{in.text(0.1, 200.0), in.text(0.2, 1.0), in.text(0.2, 1.0)};
    }
    NetworkTexts texts;
    for (int k = 0; k < kHeatsinkStages; ++k) {
        texts.rth[k] = formatFixed(in.uniform(0.0005, 0.8), 4);
        texts.tth[k] = formatFixed(in.uniform(0.5, 500.0), 4);
    }
    return texts;
}

// A request for the device at a random ambient and modulation, drawn in this
// order.
template <class Request>
Request deviceRequest(Inputs& in, const DeviceIndexEntry& device) {
    Request request;
    request.ambientText = in.text(kAmbientMin, kAmbientMax);
    request.series = device.series;
    request.typeNumber = device.typeNumber;
    request.modulation = in.chance(0.5) ? kModulationTwoArms : kModulationThreeArms;
    return request;
}

}  // namespace thermalyx::test
