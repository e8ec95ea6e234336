#include "library/library_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "library/device_library.h"
#include "library/little_endian.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string sectionHeader(const std::string& series, const std::string& typeNumber) {
    return "[" + series + "@" + typeNumber + "]" + kLineEnd;
}

void appendEntry(std::string& text, const std::string& key, const std::string& value) {
    text += key;
    text += '=';
    text += value;
    text += kLineEnd;
}

}  // namespace

std::string specFileText(const std::vector<LibraryDevice>& devices) {
    std::string text;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const DeviceSpecRecord& spec = devices[i].spec;
        const DeviceSearchRecord& search = devices[i].search;
        if (i > 0) text += kLineEnd;
        text += sectionHeader(spec.series, spec.typeNumber);
        appendEntry(text, "Device Image", spec.deviceImage);
        appendEntry(text, "Circuit composition", search.circuitComposition);
        appendEntry(text, "AC Voltage", search.acVoltage);
        appendEntry(text, "OutputCurrent", search.outputCurrent);
        for (int k = 0; k < 7; ++k)
            appendEntry(text, "Product Info #" + std::to_string(k + 1), spec.productInfo[k]);
    }
    return text;
}

std::string limitsFileText(const std::vector<LibraryDevice>& devices) {
    std::string text;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const ConditionLimits& limits = devices[i].limits;
        if (i > 0) text += kLineEnd;
        text += sectionHeader(limits.series, limits.typeNumber);
        for (int k = 0; k < kLimitCount; ++k)
            appendEntry(text, kLimitKeys[k], formatShortest(limitValue(limits, k)));
    }
    return text;
}

std::string paramFileBytes(const std::vector<LibraryDevice>& devices) {
    std::string bytes;
    for (const LibraryDevice& device : devices) {
        const DeviceParamRecord& params = device.params;
        bytes += params.series;
        bytes += '@';
        bytes += params.typeNumber;
        bytes += '\0';
        bytes += "STRF";
        for (double value : params.values) appendLittleEndianDouble(bytes, value);
    }
    return bytes;
}

bool writeLibraryFiles(const std::string& folder, const std::vector<LibraryDevice>& devices,
                       std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    fs::create_directories(dir, ec);
    if (ec) {
        error = dir.string() + ": cannot create the folder: " + ec.message();
        return false;
    }
    const std::pair<const char*, std::string> files[] = {
        {kSpecFileName, specFileText(devices)},
        {kLimitsFileName, limitsFileText(devices)},
        {kParamFileName, paramFileBytes(devices)},
    };
    for (const auto& [name, content] : files) {
        const fs::path target = dir / name;
        const fs::path temporary = dir / (std::string(name) + ".new");
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            if (!out) {
                error = temporary.string() + ": cannot create the file: " + std::strerror(errno);
                return false;
            }
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            out.close();
            if (!out) {
                error = temporary.string() + ": cannot write the file";
                fs::remove(temporary, ec);
                return false;
            }
        }
        fs::rename(temporary, target, ec);
        if (ec) {
            error = target.string() + ": cannot replace the file: " + ec.message();
            fs::remove(temporary, ec);
            return false;
        }
    }
    return true;
}

}  // namespace thermalyx
