// Device libraries built in the tests themselves: the three data files written
// from device records into a folder, or the loaded records set up in memory.
//
//     test::TempFolder dir;
//     test::writeDataFolder(dir, {test::sampleDevice("SER@T1"), ...});
//     DeviceLibrary library(dir.folder());
//
// Each file can also be built as text and changed before it is written
// (specIni, limitsIni, paramBin), or written alone (dir.write).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/device_library.h"
#include "library/device_records.h"
#include "tests/support/temp_folder.h"

namespace thermalyx::test {

// One device of a data folder: its key and the values of its section in each file.
struct FixtureDevice {
    std::string key;  // "series@typeNumber"
    std::string deviceImage = "PKG-A";
    std::string circuitComposition = "6in1";
    std::string acVoltage = "200V";
    std::string outputCurrent = "50A";
    std::array<std::string, 7> productInfo{"600", "50", "1.7", "250", "10", "PKG-A", "2024/01"};
    // In the order of kLimitKeys.
    std::array<double, kLimitCount> limits{};
    std::array<double, kParamCount> params{};
};

// A device with distinct, plausible limits and parameters (parameter i is
// base + i / 8, so devices built with different bases differ everywhere).
FixtureDevice sampleDevice(std::string key, double base = 1.0);

// The device-spec file, CR LF line ends, sections in the given order.
std::string specIni(const std::vector<FixtureDevice>& devices);
// The limits file, values as the shortest decimal text that reads back exactly.
std::string limitsIni(const std::vector<FixtureDevice>& devices);
// One record of the parameter file: key, zero, marker, 44 little-endian doubles.
std::string paramRecord(std::string_view key, const std::array<double, kParamCount>& values,
                        std::string_view marker = "STRF");
std::string paramBin(const std::vector<FixtureDevice>& devices);
// Writes all three files of the devices into dir.
void writeDataFolder(const TempFolder& dir, const std::vector<FixtureDevice>& devices);

// A device of an in-memory library: the index and the spec and search records
// are all a report needs. Unlike a data folder, it may hold a key twice.
struct MemoryDevice {
    std::string series;
    std::string typeNumber;
    std::string circuitComposition = "6in1";
    std::array<std::string, 7> productInfo{"600",    "50", "1.50", "219", "10", "NP-A (62x108 mm)",
                                           "2025/10"};
};

std::unique_ptr<DeviceLibrary> makeLibrary(const std::vector<MemoryDevice>& devices);

}  // namespace thermalyx::test
