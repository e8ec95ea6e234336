#include "tests/support/sample_library.h"

#include <bit>
#include <cstdint>

#include "library/number_text.h"

namespace thermalyx::test {

FixtureDevice sampleDevice(std::string key, double base) {
    FixtureDevice device;
    device.key = std::move(key);
    device.limits = {400, 0.1, 50, 100, 0,   50, 20,  1,   10, 1, -1,
                     0.8, 1,   0,  1,   800, 0,  300, 100, 1,  10};
    for (int i = 0; i < kParamCount; ++i) {
        device.params[static_cast<std::size_t>(i)] = base + i / 8.0;
    }
    return device;
}

std::string specIni(const std::vector<FixtureDevice>& devices) {
    std::string text;
    for (const FixtureDevice& d : devices) {
        text += "[" + d.key + "]\r\n";
        text += "Device Image=" + d.deviceImage + "\r\n";
        text += "Circuit composition=" + d.circuitComposition + "\r\n";
        text += "AC Voltage=" + d.acVoltage + "\r\n";
        text += "OutputCurrent=" + d.outputCurrent + "\r\n";
        for (std::size_t i = 0; i < d.productInfo.size(); ++i) {
            text += "Product Info #" + std::to_string(i + 1) + "=" + d.productInfo[i] + "\r\n";
        }
    }
    return text;
}

std::string limitsIni(const std::vector<FixtureDevice>& devices) {
    std::string text;
    for (const FixtureDevice& d : devices) {
        text += "[" + d.key + "]\r\n";
        for (int i = 0; i < kLimitCount; ++i) {
            text += std::string(kLimitKeys[static_cast<std::size_t>(i)]) + "=" +
                    formatShortest(d.limits[static_cast<std::size_t>(i)]) + "\r\n";
        }
    }
    return text;
}

std::string paramRecord(std::string_view key, const std::array<double, kParamCount>& values,
                        std::string_view marker) {
    std::string bytes(key);
    bytes += '\0';
    bytes += marker;
    for (double value : values) {
        std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) {
            bytes += static_cast<char>(bits & 0xFF);
            bits >>= 8;
        }
    }
    return bytes;
}

std::string paramBin(const std::vector<FixtureDevice>& devices) {
    std::string bytes;
    for (const FixtureDevice& d : devices) bytes += paramRecord(d.key, d.params);
    return bytes;
}

void writeDataFolder(const TempFolder& dir, const std::vector<FixtureDevice>& devices) {
    dir.write(kSpecFileName, specIni(devices));
    dir.write(kLimitsFileName, limitsIni(devices));
    dir.write(kParamFileName, paramBin(devices));
}

std::unique_ptr<DeviceLibrary> makeLibrary(const std::vector<MemoryDevice>& devices) {
    auto library = std::make_unique<DeviceLibrary>(std::string());
    // The records first: the index points into them, so they must not move afterwards.
    for (const MemoryDevice& d : devices) {
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

}  // namespace thermalyx::test
