#include "library/little_endian.h"

#include <bit>
#include <cstdint>

namespace thermalyx {

double readLittleEndianDouble(std::string_view bytes) {
    std::uint64_t bits = 0;
    for (int b = 7; b >= 0; --b) bits = (bits << 8) | static_cast<unsigned char>(bytes[b]);
    return std::bit_cast<double>(bits);
}

void appendLittleEndianDouble(std::string& bytes, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int b = 0; b < 8; ++b) bytes += static_cast<char>((bits >> (8 * b)) & 0xFFu);
}

}  // namespace thermalyx
