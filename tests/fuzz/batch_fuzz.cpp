// libFuzzer target: the standard input of "thermalyx-cli batch", line by line
// and as a whole batch.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/batch_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    thermalyx::fuzz::exerciseBatch(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
