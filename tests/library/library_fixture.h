// Test data folders for the device library, built in the tests themselves:
// a temporary folder and the three data files written from device records.
//
//     thermalyx::fixture::TempDir dir;
//     std::vector<thermalyx::fixture::FixtureDevice> devices{
//         thermalyx::fixture::sampleDevice("SER@T1"), ...};
//     thermalyx::fixture::writeDataFolder(dir, devices);
//     thermalyx::DeviceLibrary library(dir.folder());
//     ASSERT_TRUE(library.load());
//
// Each file can also be built as text and changed before it is written
// (specIni, limitsIni, paramBin), or written alone (dir.write).
#pragma once

#include <stdlib.h>

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "library/device_library.h"
#include "library/device_records.h"
#include "library/number_text.h"

namespace thermalyx::fixture {

// A folder under the system's temporary folder, removed with its contents at
// the end of the scope.
class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "thermalyx-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as DeviceLibrary takes it: ending with the separator.
    std::string folder() const { return path_.string() + "/"; }
    // Full path of a file in the folder.
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // Writes bytes to a file in the folder, replacing it; returns its path.
    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string target = file(name);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + target);
        return target;
    }

private:
    std::filesystem::path path_;
};

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
inline FixtureDevice sampleDevice(std::string key, double base = 1.0) {
    FixtureDevice device;
    device.key = std::move(key);
    device.limits = {400, 0.1, 50, 100, 0,   50, 20,  1,   10, 1, -1,
                     0.8, 1,   0,  1,   800, 0,  300, 100, 1,  10};
    for (int i = 0; i < kParamCount; ++i) {
        device.params[static_cast<std::size_t>(i)] = base + i / 8.0;
    }
    return device;
}

// The device-spec file, CR LF line ends, sections in the given order.
inline std::string specIni(const std::vector<FixtureDevice>& devices) {
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

// The limits file, values as the shortest decimal text that reads back exactly.
inline std::string limitsIni(const std::vector<FixtureDevice>& devices) {
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

// One record of the parameter file: key, zero, marker, 44 little-endian doubles.
inline std::string paramRecord(std::string_view key, const std::array<double, kParamCount>& values,
                               std::string_view marker = "STRF") {
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

inline std::string paramBin(const std::vector<FixtureDevice>& devices) {
    std::string bytes;
    for (const FixtureDevice& d : devices) bytes += paramRecord(d.key, d.params);
    return bytes;
}

// Writes all three files of the devices into dir.
inline void writeDataFolder(const TempDir& dir, const std::vector<FixtureDevice>& devices) {
    dir.write(kSpecFileName, specIni(devices));
    dir.write(kLimitsFileName, limitsIni(devices));
    dir.write(kParamFileName, paramBin(devices));
}

}  // namespace thermalyx::fixture
