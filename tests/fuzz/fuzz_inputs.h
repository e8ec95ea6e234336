// What the fuzz targets do with one input, shared with the unit test that
// replays tests/fuzz/regressions/. A broken invariant aborts, like a crash.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/device_library.h"
#include "library/ini_file.h"
#include "library/param_file.h"

namespace thermalyx::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

// Parses the bytes as a private-profile file and asks it what the loader asks.
inline void exerciseIni(std::string_view bytes) {
    const IniFile ini = IniFile::parse(bytes);
    std::string block;
    const std::size_t length = readSectionNames(ini, block);
    require(length == block.size());
    require((length == 0) == ini.sectionNames().empty());

    // The loader's keys, and names taken from the input itself.
    std::vector<std::string_view> keys{"Device Image",  "Circuit composition", "AC Voltage",
                                       "OutputCurrent", "Product Info #7",     kLimitKeys[0],
                                       kLimitKeys[20]};
    std::size_t asked = 0;
    for (const std::string& name : ini.sectionNames()) {
        require(!name.empty());
        if (++asked > 64) break;  // enough to reach every path, bounded per input
        std::string series;
        std::string typeNumber;
        if (splitDeviceKey(name, series, typeNumber))
            require(series.size() + typeNumber.size() + 1 == name.size());
        keys.push_back(name);
        for (std::string_view key : keys) {
            std::string text;
            if (readProfileValue(ini, name, key, text))
                require(!text.empty() && text.size() <= kProfileValueLength);
            double real = 0.0;
            const bool hasReal = readProfileValue(ini, name, key, real);
            require(hasReal == !text.empty());
        }
        keys.pop_back();
    }
}

// Parses the bytes as a parameter file; a success accounts for every byte.
inline void exerciseParam(std::string_view bytes) {
    std::vector<DeviceParamRecord> records;
    const bool ok = parseParamRecords(bytes, records);
    if (ok) {
        std::size_t total = 0;
        for (const DeviceParamRecord& r : records)
            total += r.series.size() + 1 + r.typeNumber.size() + 357;
        require(total == bytes.size());
    }
}

}  // namespace thermalyx::fuzz
