// Doubles stored as eight little-endian bytes, whatever the processor.
#pragma once

#include <string>
#include <string_view>

namespace thermalyx {

// The double held in bytes[0..7]; bytes must hold at least eight.
double readLittleEndianDouble(std::string_view bytes);

void appendLittleEndianDouble(std::string& bytes, double value);

}  // namespace thermalyx
