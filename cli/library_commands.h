// The library's subcommands: "library" (the whole library as JSON) and "find"
// (one findDevices query).
#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "library/device_library.h"

namespace thermalyx::cli {

// One device as "library" writes it: its texts, productInfo, the 21 limits by
// field name and the 44 parameters (non-finite values as null).
nlohmann::json deviceJson(const DeviceIndexEntry& device);

// The output of "library": loaded, deviceCount, the four lists and the devices
// in index order.
nlohmann::json libraryJson(const DeviceLibrary& library, bool loaded);

// The output of "find": {"found": ..., "devices": [{"series", "typeNumber"}, ...]}.
nlohmann::json findJson(bool found, const std::vector<const DeviceIndexEntry*>& devices);

}  // namespace thermalyx::cli
