// libFuzzer target: the device parameter file reader.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fuzz_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    thermalyx::fuzz::exerciseParam(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
