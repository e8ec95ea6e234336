// libFuzzer target: the input rules (number texts, Ta, operating inputs, mode
// rows, heat-sink estimate and network fields) and the report-time text.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/rule_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<thermalyx::ConditionLimits> devices =
        thermalyx::fuzz::sampleLineLimits(THERMALYX_CATALOGUE_DIR);
    thermalyx::fuzz::exerciseRules(std::string_view(reinterpret_cast<const char*>(data), size),
                                   devices);
    return 0;
}
