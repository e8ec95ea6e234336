// The sample product line (24 devices, built beside the executables) and one
// operating point that some of its devices accept and some reject.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "library/device_library.h"
#include "pages/calculation_request.h"
#include "tests/support/sample_records.h"

namespace thermalyx::analysis_test {

inline std::unique_ptr<DeviceLibrary> sampleLibrary() {
    auto library = std::make_unique<DeviceLibrary>(THERMALYX_SAMPLE_DIR);
    EXPECT_TRUE(library->load());
    return library;
}

// 30 A rms at 8 kHz: the 10, 15, 20 and 25 A devices refuse the current.
inline SteadyRequest samplePoint() {
    SteadyRequest point;
    point.ambientText = "40";
    point.modulation = kModulationTwoArms;
    point.texts = test::samplePointTexts();
    point.heatsink = NetworkTexts{{"0.01", "0.05", "0.3", "0.2"}, {"1", "10", "50", "200"}};
    return point;
}

}  // namespace thermalyx::analysis_test
