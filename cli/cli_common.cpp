#include "cli/cli_common.h"

#include <iostream>

namespace thermalyx::cli {

std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder) {
    std::unique_ptr<DeviceLibrary> library;
    if (dataFolder.empty()) {
        library = std::make_unique<DeviceLibrary>();
    } else {
        std::string folder = dataFolder;
        if (folder.back() != '/') folder += '/';
        library = std::make_unique<DeviceLibrary>(folder);
    }
    library->setErrorStream(std::cerr);
    library->load();
    return library;
}

}  // namespace thermalyx::cli
