// What the authoring fuzz target does with one input, shared with the unit
// test that replays tests/fuzz/regressions/. The input is cut into three
// parts: two 16-bit little-endian lengths, then the parts. An even first
// length byte feeds the catalogue reader (devices, curves, thermal tables),
// an odd one the library check (device-spec, limits, parameter files).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/catalogue.h"
#include "library/catalogue_fit.h"
#include "library/library_check.h"

namespace thermalyx::fuzz {

inline void requireAuthoring(bool condition) {
    if (!condition) std::abort();
}

// An input cut into its three parts, each length held to what is left.
struct AuthoringParts {
    bool check = false;  // the library check, not the catalogue reader
    std::string_view a;
    std::string_view b;
    std::string_view c;
};

// The parts of an input of at least 4 bytes.
inline AuthoringParts splitAuthoring(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    AuthoringParts parts;
    parts.check = (byte(0) & 1u) != 0;
    std::size_t first = byte(0) | (static_cast<std::size_t>(byte(1)) << 8);
    std::size_t second = byte(2) | (static_cast<std::size_t>(byte(3)) << 8);
    std::string_view rest = bytes.substr(4);
    first = std::min(first, rest.size());
    parts.a = rest.substr(0, first);
    rest.remove_prefix(first);
    second = std::min(second, rest.size());
    parts.b = rest.substr(0, second);
    parts.c = rest.substr(second);
    return parts;
}

inline void exerciseAuthoring(std::string_view bytes) {
    if (bytes.size() < 4) return;
    const auto [check, a, b, c] = splitAuthoring(bytes);

    if (check) {
        for (const LibraryFinding& finding : checkLibraryFiles(a, b, c))
            requireAuthoring(!finding.message.empty() &&
                             finding.text().find('\n') == std::string::npos);
        return;
    }
    Catalogue catalogue;
    CatalogueError error;
    if (!parseCatalogue(a, b, c, catalogue, error)) {
        requireAuthoring(!error.message.empty());
        return;
    }
    std::vector<LibraryDevice> devices;
    std::vector<DeviceFit> fits;
    if (fitCatalogue(catalogue, devices, fits, error)) {
        requireAuthoring(devices.size() == catalogue.devices.size());
        for (const LibraryDevice& device : devices) {
            requireAuthoring(device.spec.series.size() + device.spec.typeNumber.size() + 1 <= 99);
        }
    }
}

}  // namespace thermalyx::fuzz
