#include "cli/cli_common.h"

#include <cmath>
#include <ostream>

namespace thermalyx::cli {

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

void printJson(const nlohmann::json& value, CommandIo& io) {
    if (io.compactJson) {
        io.out << value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n'
               << std::flush;
    } else {
        printJson(value, io.out);
    }
}

void printJson(const nlohmann::json& value, std::ostream& out) {
    out << dumpJson(value) << '\n' << std::flush;
}

}  // namespace thermalyx::cli
