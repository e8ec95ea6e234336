// One definition of each sample record: a plausible 100 A / 1200 V device
// (6NZ100B-120 of the Z-Series), its limits, a heat sink and an operating point.
#pragma once

#include <array>

#include "engine/operating_point.h"
#include "library/device_records.h"
#include "pages/calculation_request.h"

namespace thermalyx::test {

DeviceParamRecord sampleParams();
// Sets the 21 input limits: maximum, minimum and default of the output
// frequency, output current, carrier frequency, power factor, modulation rate,
// DC voltage and gate resistance, in that order.
void setInputLimits(ConditionLimits& limits, const std::array<double, 21>& figures);
// The ranges the input pages allow for the device; 600 V and 6.8 ohm are the
// references its switching energies were taken at.
ConditionLimits sampleLimits();
HeatsinkModel sampleHeatsink();
// Two arms at 50 Hz and 70 A rms, 10 kHz carrier, 600 V, the reference gate
// resistance; the heat sink is passed to the engine on its own.
OperatingCondition sampleCondition();
// The operating point the analyses run the sample line at: 50 Hz, 30 A rms,
// 8 kHz, power factor 0.85, modulation rate 1, 300 V; the gate resistances
// left to each device's default.
GivenConditionTexts samplePointTexts();

}  // namespace thermalyx::test
