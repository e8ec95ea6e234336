// A small device library built in memory for the report tests: the report only
// needs the index and the spec and search records of the devices it names.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/device_library.h"

namespace thermalyx::testing {

struct TestDevice {
    std::string series;
    std::string typeNumber;
    std::string circuitComposition = "6in1";
    std::array<std::string, 7> productInfo{"600",    "50", "1.50", "219", "10", "NP-A (62x108 mm)",
                                           "2025/10"};
};

inline std::unique_ptr<DeviceLibrary> makeLibrary(const std::vector<TestDevice>& devices) {
    auto library = std::make_unique<DeviceLibrary>(std::string());
    // The records first: the index points into them, so they must not move afterwards.
    for (const TestDevice& d : devices) {
        DeviceSpecRecord spec;
        spec.series = d.series;
        spec.typeNumber = d.typeNumber;
        spec.deviceImage = "np_a";
        spec.productInfo = d.productInfo;
        library->specRecords.push_back(spec);
        DeviceSearchRecord search;
        search.series = d.series;
        search.typeNumber = d.typeNumber;
        search.circuitComposition = d.circuitComposition;
        library->searchRecords.push_back(search);
        ConditionLimits limits;
        limits.series = d.series;
        limits.typeNumber = d.typeNumber;
        library->limitRecords.push_back(limits);
        DeviceParamRecord params;
        params.series = d.series;
        params.typeNumber = d.typeNumber;
        library->paramRecords.push_back(params);
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        DeviceIndexEntry entry;
        entry.series = devices[i].series;
        entry.typeNumber = devices[i].typeNumber;
        entry.search = &library->searchRecords[i];
        entry.spec = &library->specRecords[i];
        entry.limits = &library->limitRecords[i];
        entry.params = &library->paramRecords[i];
        library->deviceIndex.push_back(entry);
    }
    library->deviceCount = static_cast<int>(devices.size());
    return library;
}

// The lines of a report, each without its CR LF; false when a line lacks it.
inline bool splitReportLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

}  // namespace thermalyx::testing
