#include "cli/cli_common.h"

#include <cmath>
#include <iostream>

namespace thermalyx::cli {

std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder) {
    bool loaded = false;
    return openLibrary(dataFolder, loaded);
}

std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder, bool& loaded) {
    return openLibrary(dataFolder, loaded, std::cerr);
}

std::unique_ptr<DeviceLibrary> openLibrary(const std::string& dataFolder, bool& loaded,
                                           std::ostream& errors) {
    std::unique_ptr<DeviceLibrary> library;
    if (dataFolder.empty()) {
        library = std::make_unique<DeviceLibrary>();
    } else {
        std::string folder = dataFolder;
        if (folder.back() != '/') folder += '/';
        library = std::make_unique<DeviceLibrary>(folder);
    }
    library->setErrorStream(errors);
    loaded = library->load();
    return library;
}

CLI::Option* addDataOption(CLI::App& command, std::string& dataFolder) {
    return command.add_option(
        "--data", dataFolder,
        "Folder of igbt_devspec.ini, igbt_condition.ini and igbt_devparam.bin "
        "(default: the program's folder)");
}

nlohmann::json numberJson(double value) {
    if (!std::isfinite(value)) return nullptr;
    return value;
}

nlohmann::json deviceKeyJson(const DeviceIndexEntry& device) {
    return {{"series", device.series}, {"typeNumber", device.typeNumber}};
}

std::string dumpJson(const nlohmann::json& value) {
    // nlohmann writes doubles as the shortest text that reads back exactly.
    return value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

void printJson(const nlohmann::json& value) {
    printJson(value, std::cout);
}

void printJson(const nlohmann::json& value, std::ostream& out) {
    out << dumpJson(value) << '\n' << std::flush;
}

}  // namespace thermalyx::cli
