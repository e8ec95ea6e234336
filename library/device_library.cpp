#include "library/device_library.h"

#include <array>
#include <iostream>
#include <utility>

#include "library/data_folder.h"
#include "library/ini_file.h"
#include "library/param_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace thermalyx {
namespace {

// The keys of a device-spec section after the three search keys.
constexpr std::array<const char*, 7> kProductInfoKeys = {
    "Product Info #1", "Product Info #2", "Product Info #3", "Product Info #4",
    "Product Info #5", "Product Info #6", "Product Info #7",
};

// One record a section, keyed by the section's name; readValues fills in the
// rest. False at the first key or value that does not read.
template <typename Record, typename ReadValues>
bool readKeyedSections(const IniFile& ini, std::vector<Record>& records,
                       const ReadValues& readValues) {
    for (const std::string& name : ini.sectionNames()) {
        Record& record = records.emplace_back();
        if (!splitDeviceKey(name, record.series, record.typeNumber)) return false;
        if (!readValues(name, record)) return false;
    }
    return true;
}

// The values of keys, in order, into valueAt(0), valueAt(1), ...; false at the
// first that does not read.
template <std::size_t N, typename ValueAt>
bool readProfileValues(const IniFile& ini, const std::string& section,
                       const std::array<const char*, N>& keys, const ValueAt& valueAt) {
    for (std::size_t i = 0; i < N; ++i) {
        if (!readProfileValue(ini, section, keys[i], valueAt(i))) return false;
    }
    return true;
}

}  // namespace

DeviceLibrary::DeviceLibrary() : errorStream_(&std::cout) {
    defaultDataFolder(programFolder);
}

DeviceLibrary::DeviceLibrary(std::string folder)
    : programFolder(std::move(folder)), errorStream_(&std::cout) {}

void DeviceLibrary::clear() {
    seriesList.clear();
    deviceIndex.clear();
    searchRecords.clear();
    specRecords.clear();
    limitRecords.clear();
    paramRecords.clear();
    deviceCount = 0;
    acVoltageList.clear();
    outputCurrentList.clear();
    circuitCompositionList.clear();
}

bool DeviceLibrary::load() {
    clear();
    if (!readSpecFile() || !readLimitsFile() ||
        !readParamFile(programFolder + kParamFileName, paramRecords)) {
        // Whatever was read stays unreachable: the library is empty again.
        clear();
        return false;
    }
    // Pairing is by position only: a shorter limits or parameter file leaves
    // the remaining devices with zero values.
    if (limitRecords.size() < specRecords.size()) limitRecords.resize(specRecords.size());
    if (paramRecords.size() < specRecords.size()) paramRecords.resize(specRecords.size());
    buildIndex();
    buildValueLists();
    return true;
}

bool DeviceLibrary::readIniFile(const char* fileName, IniFile& ini) const {
    int errorCode = 0;
    // A file that reads but has no section reports no system error.
    if (!IniFile::read(programFolder + fileName, ini, errorCode) || ini.sectionNames().empty()) {
        *errorStream_ << "Error= " << errorCode << '\n' << std::flush;
        return false;
    }
    return true;
}

bool DeviceLibrary::readSpecFile() {
    IniFile ini;
    const auto readSpec = [&](const std::string& name, DeviceSpecRecord& spec) {
        DeviceSearchRecord& search = searchRecords.emplace_back();
        search.series = spec.series;
        search.typeNumber = spec.typeNumber;
        return readProfileValue(ini, name, "Device Image", spec.deviceImage) &&
               readProfileValue(ini, name, "Circuit composition", search.circuitComposition) &&
               readProfileValue(ini, name, "AC Voltage", search.acVoltage) &&
               readProfileValue(ini, name, "OutputCurrent", search.outputCurrent) &&
               readProfileValues(ini, name, kProductInfoKeys, [&](std::size_t i) -> std::string& {
                   return spec.productInfo[i];
               });
    };
    return readIniFile(kSpecFileName, ini) && readKeyedSections(ini, specRecords, readSpec);
}

bool DeviceLibrary::readLimitsFile() {
    IniFile ini;
    const auto readLimits = [&](const std::string& name, ConditionLimits& limits) {
        return readProfileValues(ini, name, kLimitKeys, [&](std::size_t i) -> double& {
            return limitValue(limits, static_cast<int>(i));
        });
    };
    return readIniFile(kLimitsFileName, ini) && readKeyedSections(ini, limitRecords, readLimits);
}

void DeviceLibrary::buildIndex() {
    seriesList.clear();
    deviceIndex.clear();
    // The record arrays are complete: the references below stay valid.
    std::string_view previousSeries;
    // An empty series name ends the list for its readers: later runs stay out.
    bool seriesListOpen = true;
    for (std::size_t i = 0; i < specRecords.size() && !specRecords[i].typeNumber.empty(); ++i) {
        const DeviceSpecRecord& spec = specRecords[i];
        if (spec.series != previousSeries) {
            if (spec.series.empty()) seriesListOpen = false;
            if (seriesListOpen) seriesList.push_back(spec.series);
            previousSeries = spec.series;
        }
        DeviceIndexEntry& entry = deviceIndex.emplace_back();
        entry.series = spec.series;
        entry.typeNumber = spec.typeNumber;
        entry.search = &searchRecords[i];
        entry.spec = &specRecords[i];
        entry.limits = &limitRecords[i];
        entry.params = &paramRecords[i];
    }
    deviceCount = static_cast<int>(deviceIndex.size());
}

void DeviceLibrary::buildValueLists() {
    for (const DeviceIndexEntry& entry : deviceIndex) {
        addDistinct(acVoltageList, entry.search->acVoltage);
        addDistinct(outputCurrentList, entry.search->outputCurrent);
        addDistinct(circuitCompositionList, entry.search->circuitComposition);
    }
}

bool splitDeviceKey(std::string_view key, std::string& series, std::string& typeNumber) {
    if (key.empty()) return false;
    const std::size_t at = key.find('@');
    if (at == std::string_view::npos) return false;
    series.assign(key.substr(0, at));
    typeNumber.assign(key.substr(at + 1));
    return true;
}

void addDistinct(std::vector<std::string>& list, std::string_view text) {
    // The list ends at its first empty text, so an empty text adds nothing.
    if (text.empty()) return;
    for (const std::string& held : list) {
        if (held == text) return;
    }
    list.emplace_back(text);
}

bool programFolder(std::string& folder) {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    char drive[_MAX_DRIVE] = {};
    char directory[_MAX_DIR] = {};
    if (_splitpath_s(path, drive, sizeof drive, directory, sizeof directory, nullptr, 0, nullptr,
                     0) != 0) {
        return false;
    }
    folder = std::string(drive) + directory;
    return true;
#else
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return false;
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            break;
        }
        path.resize(path.size() * 2);  // the path may have been cut: try again
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    folder = path.substr(0, slash + 1);
    return true;
#endif
}

}  // namespace thermalyx
