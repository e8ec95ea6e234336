// The one query over the library.
#include "library/device_library.h"

namespace thermalyx {

bool DeviceLibrary::findDevices(std::vector<const DeviceIndexEntry*>& result, DeviceQueryKind kind,
                                std::string_view a, std::string_view b) const {
    return findDevices(result, static_cast<int>(kind), a, b);
}

bool DeviceLibrary::findDevices(std::vector<const DeviceIndexEntry*>& result, int kind,
                                std::string_view a, std::string_view b) const {
    // Texts compare whole and byte by byte (std::string == string_view).
    for (int i = 0; i < deviceCount; ++i) {
        const DeviceIndexEntry& entry = deviceIndex[static_cast<std::size_t>(i)];
        bool match = false;
        switch (static_cast<DeviceQueryKind>(kind)) {
            case DeviceQueryKind::BySeries:
                match = entry.series == a;
                break;
            case DeviceQueryKind::ByTypeNumber:
                match = entry.typeNumber == a;
                break;
            case DeviceQueryKind::BySeriesAndType:
                match = entry.series == a && entry.typeNumber == b;
                break;
            case DeviceQueryKind::ByVoltageAndCurrent:
                match = entry.search->acVoltage == a && entry.search->outputCurrent == b;
                break;
            case DeviceQueryKind::BySeriesAndCircuit:
                match = entry.search->series == a && entry.search->circuitComposition == b;
                break;
            default:
                return false;  // no such kind, decided at the first device
        }
        if (match) result.push_back(&entry);
    }
    return !result.empty();
}

}  // namespace thermalyx
