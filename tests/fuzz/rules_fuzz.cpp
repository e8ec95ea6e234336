// libFuzzer target: the input rules (number texts, Ta, operating inputs, mode
// rows, heat-sink estimate and network fields) and the report-time text.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/rule_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    thermalyx::fuzz::exerciseOverSampleLine(THERMALYX_CATALOGUE_DIR, data, size,
                                            thermalyx::fuzz::exerciseRules);
    return 0;
}
