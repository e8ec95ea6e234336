// libFuzzer target: the modes file of the "cycle" command, and its rows
// through the mode rules.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/modes_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<thermalyx::ConditionLimits> devices =
        thermalyx::fuzz::sampleLineLimits(THERMALYX_CATALOGUE_DIR);
    thermalyx::fuzz::exerciseModes(std::string_view(reinterpret_cast<const char*>(data), size),
                                   devices);
    return 0;
}
