// The text report of one load-cycle calculation.
#pragma once

#include <string>
#include <vector>

#include "engine/records.h"
#include "library/device_library.h"
#include "library/report_file.h"
#include "results/report_sections.h"

namespace thermalyx {

// The report's bytes: header, device and heat sink (both from the first mode
// row), the conditions and losses of every mode 1..modeCount, and the cycle's
// temperatures (4 + 14 + 12 + 25 per mode + 8 lines). False with a reason when
// the library does not hold the device or the result does not match the rows.
bool buildLoadCycleReport(const DeviceLibrary& library, const std::vector<LoadCycleMode>& modes,
                          const LoadCycleResult& result, const ReportTime& time, std::string& text,
                          std::string& reason);

// Builds the report and writes it to path, replacing an existing file only when
// the whole report was written. False with the reason when it was not written.
bool writeLoadCycleReport(const std::string& path, const DeviceLibrary& library,
                          const std::vector<LoadCycleMode>& modes, const LoadCycleResult& result,
                          std::string& reason, const ReportWriteOptions& options = {});

}  // namespace thermalyx
