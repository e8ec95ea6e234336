// The product library: the three data files read into memory, and the one
// query over it.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "library/device_records.h"

namespace thermalyx {

class IniFile;

inline constexpr const char* kSpecFileName = "igbt_devspec.ini";
inline constexpr const char* kLimitsFileName = "igbt_condition.ini";
inline constexpr const char* kParamFileName = "igbt_devparam.bin";

enum class DeviceQueryKind : int {
    BySeries = 0,
    ByTypeNumber = 1,
    BySeriesAndType = 2,
    ByVoltageAndCurrent = 3,
    BySeriesAndCircuit = 4,
};

class DeviceLibrary {
public:
    // The empty library, with programFolder filled by defaultDataFolder(): the
    // running executable's folder or the installed data folder beside it.
    DeviceLibrary();
    // The empty library reading its files from the given folder (which must end
    // with the path separator, or be empty for the current directory).
    explicit DeviceLibrary(std::string folder);

    // The index points into the record arrays: a library is never copied.
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;

    // Reads the three files and builds the index and the lists. Silent on
    // failure (apart from the "Error= %d" line), leaving the library empty.
    bool load();

    // Appends every matching device to result, in index order; true when result
    // is not empty afterwards. A kind outside 0..4 returns false.
    bool findDevices(std::vector<const DeviceIndexEntry*>& result, DeviceQueryKind kind,
                     std::string_view a, std::string_view b = {}) const;
    bool findDevices(std::vector<const DeviceIndexEntry*>& result, int kind, std::string_view a,
                     std::string_view b = {}) const;

    // Where the "Error= %d" line of a failed INI read goes (standard output by
    // default; the command-line tool points it at standard error).
    void setErrorStream(std::ostream& stream) { errorStream_ = &stream; }

    std::vector<std::string> seriesList;
    std::vector<DeviceIndexEntry> deviceIndex;
    std::vector<DeviceSearchRecord> searchRecords;
    std::vector<DeviceSpecRecord> specRecords;
    std::vector<ConditionLimits> limitRecords;
    std::vector<DeviceParamRecord> paramRecords;
    int deviceCount = 0;
    std::string programFolder;
    std::vector<std::string> acVoltageList;
    std::vector<std::string> outputCurrentList;
    std::vector<std::string> circuitCompositionList;

private:
    void clear();
    bool readIniFile(const char* fileName, IniFile& ini) const;
    bool readSpecFile();
    bool readLimitsFile();
    void buildIndex();
    void buildValueLists();

    std::ostream* errorStream_;
};

// Splits a device key at its first "@" into series and type number.
bool splitDeviceKey(std::string_view key, std::string& series, std::string& typeNumber);

// Adds text to a value list unless the list already holds it (exact comparison).
void addDistinct(std::vector<std::string>& list, std::string_view text);

// The folder of the running executable, ending with the path separator.
bool programFolder(std::string& folder);

}  // namespace thermalyx
