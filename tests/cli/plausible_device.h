// A device for the calculating commands' tests.
#pragma once

#include <string>

#include "cli/calculation_commands.h"
#include "tests/support/sample_library.h"

namespace thermalyx::cli_test {

// A device with plausible characteristics: linear conduction voltages, cubic
// switching energies and a four-stage junction-to-case network.
inline test::FixtureDevice plausibleDevice(std::string key) {
    test::FixtureDevice device = test::sampleDevice(std::move(key));
    // max, min, default of: fo, current, carrier, pf, M, Vdc, Rg.
    device.limits = {400, 0.1,  50, 100, 0.1, 20.04, 20,    1,   10.006, 1,     -1,
                     0.8, 1.15, 0,  1,   800, 100,   300.7, 100, 1,      10.004};
    std::array<double, kParamCount>& v = device.params;
    v.fill(0.0);
    v[1] = 0.8;
    v[2] = 0.02;
    v[8] = 0.9;
    v[9] = 0.015;
    v[15] = 0.6;
    v[16] = 1.0;
    for (int k = 0; k < 4; ++k) {
        v[17 + k] = 0.25;
        v[21 + k] = 0.25;
    }
    v[27] = v[30] = v[33] = 1.0;  // gate-resistance factors 1 at every resistance
    v[36] = 2e-5;
    v[39] = 3e-5;
    v[41] = 1e-8;
    v[42] = 1e-5;
    v[43] = 0.2;
    return device;
}

// Options naming device S@A of the data folder, over a four-stage heat sink.
inline void choosePlausibleDevice(cli::CalculationOptions& options, const std::string& folder) {
    options.dataFolder = folder;
    options.series = "S";
    options.typeNumber = "A";
    options.heatsink.rth = "0.01,0.05,0.3,0.2";
    options.heatsink.tth = "1,10,50,200";
}

}  // namespace thermalyx::cli_test
