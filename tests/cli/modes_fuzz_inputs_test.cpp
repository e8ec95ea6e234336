// Replays the modes fuzz target's seeds and every input kept in
// tests/fuzz/regressions/ through it, as the fuzz target runs them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/line_replay.h"
#include "tests/fuzz/modes_inputs.h"

namespace thermalyx {
namespace {

TEST(ModesFuzzInputs, EveryKeptInputRunsCleanly) {
    test::expectKeptInputsRunOverSampleLine(THERMALYX_FUZZ_DIR, THERMALYX_CATALOGUE_DIR, "modes",
                                            fuzz::exerciseModes, 2);
}

}  // namespace
}  // namespace thermalyx
