// libFuzzer target: the modes file of the "cycle" command, and its rows
// through the mode rules.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/modes_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    thermalyx::fuzz::exerciseOverSampleLine(THERMALYX_CATALOGUE_DIR, data, size,
                                            thermalyx::fuzz::exerciseModes);
    return 0;
}
