// Writes the three device data files: igbt_devspec.ini (texts),
// igbt_condition.ini (input limits) and igbt_devparam.bin (44 parameters per
// device), all listing the devices in the same order, since the program pairs
// them by position.
#pragma once

#include <string>
#include <vector>

#include "library/device_records.h"

namespace thermalyx {

// One device as the three files hold it.
struct LibraryDevice {
    DeviceSpecRecord spec;
    DeviceSearchRecord search;
    ConditionLimits limits;
    DeviceParamRecord params;
};

// The device-spec file (igbt_devspec.ini): one section "[series@typeNumber]" per device with
// "Device Image", "Circuit composition", "AC Voltage", "OutputCurrent" and
// "Product Info #1" .. "#7", in this order. CR LF line ends.
std::string specFileText(const std::vector<LibraryDevice>& devices);

// The limits file: one section per device with the 21 limit keys in order;
// every value written as the shortest text that reads back to the same double.
std::string limitsFileText(const std::vector<LibraryDevice>& devices);

// The parameter file: per device the key, a zero byte, "STRF" and the 44
// values as little-endian IEEE doubles; no header, no gap.
std::string paramFileBytes(const std::vector<LibraryDevice>& devices);

// Writes the three files into folder (created if missing). Each file is
// written beside its final name and then renamed over it, so a failed run
// leaves the old file. False with a message naming the file on failure.
bool writeLibraryFiles(const std::string& folder, const std::vector<LibraryDevice>& devices,
                       std::string& error);

}  // namespace thermalyx
