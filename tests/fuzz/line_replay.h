// The unit tests' replay of a fuzz target that picks a device of the sample
// line with its first byte.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/rule_inputs.h"
#include "tests/support/kept_inputs.h"

namespace thermalyx::test {

// Replays the target's kept inputs as exercise(bytes, devices), the devices
// being the sample line's limits fitted from catalogueFolder, and expects more
// than `fewest` files and more than ten devices.
template <class Exercise>
void expectKeptInputsRunOverSampleLine(const std::string& fuzzFolder,
                                       const std::string& catalogueFolder,
                                       const std::string& target, Exercise exercise, int fewest) {
    const std::vector<ConditionLimits> devices = fuzz::sampleLineLimits(catalogueFolder);
    ASSERT_GT(devices.size(), 10u);
    const int replayed = replayKeptInputs(
        fuzzFolder, target, [&](const std::string& bytes) { exercise(bytes, devices); });
    EXPECT_GT(replayed, fewest);
}

}  // namespace thermalyx::test
