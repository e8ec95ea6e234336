#include "cli/library_commands.h"

#include <memory>
#include <string>

#include "cli/cli_common.h"

namespace thermalyx::cli {

nlohmann::json deviceJson(const DeviceIndexEntry& device) {
    nlohmann::json limits = nlohmann::json::object();
    for (int i = 0; i < kLimitCount; ++i) {
        limits[kLimitFieldNames[static_cast<std::size_t>(i)]] =
            numberJson(limitValue(*device.limits, i));
    }
    nlohmann::json params = nlohmann::json::array();
    for (double value : device.params->values) params.push_back(numberJson(value));
    return {
        {"series", device.series},
        {"typeNumber", device.typeNumber},
        {"deviceImage", device.spec->deviceImage},
        {"circuitComposition", device.search->circuitComposition},
        {"acVoltage", device.search->acVoltage},
        {"outputCurrent", device.search->outputCurrent},
        {"productInfo", device.spec->productInfo},
        {"limits", std::move(limits)},
        {"params", std::move(params)},
    };
}

nlohmann::json libraryJson(const DeviceLibrary& library, bool loaded) {
    nlohmann::json devices = nlohmann::json::array();
    for (int i = 0; i < library.deviceCount; ++i) {
        devices.push_back(deviceJson(library.deviceIndex[static_cast<std::size_t>(i)]));
    }
    return {
        {"loaded", loaded},
        {"deviceCount", library.deviceCount},
        {"seriesList", library.seriesList},
        {"acVoltageList", library.acVoltageList},
        {"outputCurrentList", library.outputCurrentList},
        {"circuitCompositionList", library.circuitCompositionList},
        {"devices", std::move(devices)},
    };
}

nlohmann::json findJson(bool found, const std::vector<const DeviceIndexEntry*>& devices) {
    nlohmann::json list = nlohmann::json::array();
    for (const DeviceIndexEntry* device : devices) list.push_back(deviceKeyJson(*device));
    return {{"found", found}, {"devices", std::move(list)}};
}

namespace {

struct FindOptions {
    std::string dataFolder;
    int kind = 0;
    std::string a;
    std::string b;
};

}  // namespace

void registerLibraryCommands(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto dataFolder = std::make_shared<std::string>();
    CLI::App* library = app.add_subcommand("library", "Print the device library as JSON");
    addDataOption(*library, *dataFolder);
    library->callback([dataFolder, &io, &exitStatus] {
        const OpenedLibrary lib = io.libraries.open(*dataFolder);
        io.err << lib.loadErrors << std::flush;
        printJson(libraryJson(*lib.library, lib.loaded), io);
        exitStatus = lib.loaded ? kExitOk : kExitLibraryNotLoaded;
    });

    auto options = std::make_shared<FindOptions>();
    CLI::App* find = app.add_subcommand(
        "find", "Query the device library (findDevices) and print the result as JSON");
    addDataOption(*find, options->dataFolder);
    find->add_option("--kind", options->kind,
                     "Query kind: 0 BySeries, 1 ByTypeNumber, 2 BySeriesAndType, "
                     "3 ByVoltageAndCurrent, 4 BySeriesAndCircuit")
        ->required();
    find->add_option("--a", options->a, "First text (series, type number or AC voltage)")
        ->required();
    find->add_option("--b", options->b,
                     "Second text (type number, output current or circuit composition)");
    find->callback([options, &io, &exitStatus] {
        const OpenedLibrary lib = io.libraries.open(options->dataFolder);
        io.err << lib.loadErrors << std::flush;
        std::vector<const DeviceIndexEntry*> devices;
        const bool found = lib.library->findDevices(devices, options->kind, options->a, options->b);
        printJson(findJson(found, devices), io);
        exitStatus = lib.loaded ? kExitOk : kExitLibraryNotLoaded;
    });
}

}  // namespace thermalyx::cli
