#include "library/device_library.h"

#include <iostream>

namespace thermalyx {

DeviceLibrary::DeviceLibrary() : errorStream_(&std::cout) { thermalyx::programFolder(programFolder); }
DeviceLibrary::DeviceLibrary(std::string folder)
    : programFolder(std::move(folder)), errorStream_(&std::cout) {}

bool DeviceLibrary::load() { return false; }

bool DeviceLibrary::findDevices(std::vector<const DeviceIndexEntry*>& result, DeviceQueryKind kind,
                                std::string_view a, std::string_view b) const {
    return findDevices(result, static_cast<int>(kind), a, b);
}

bool DeviceLibrary::findDevices(std::vector<const DeviceIndexEntry*>& result, int, std::string_view,
                                std::string_view) const {
    return !result.empty();
}

bool programFolder(std::string&) { return false; }

}  // namespace thermalyx
