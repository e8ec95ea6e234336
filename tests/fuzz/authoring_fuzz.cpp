// libFuzzer target: the catalogue reader with its fits, and the library check.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/authoring_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    thermalyx::fuzz::exerciseAuthoring(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
