// The text report of one steady-state calculation.
#pragma once

#include <string>

#include "engine/records.h"
#include "library/device_library.h"
#include "library/report_file.h"
#include "results/report_sections.h"

namespace thermalyx {

// The report's bytes: header, device, conditions, heat sink, losses and
// temperatures (64 lines). The device is looked up by the condition's series and
// type number; false with a reason when the library does not hold it.
bool buildSteadyReport(const DeviceLibrary& library, const OperatingCondition& condition,
                       const SteadyResult& result, const ReportTime& time, std::string& text,
                       std::string& reason);

// Builds the report and writes it to path, replacing an existing file only when
// the whole report was written. False with the reason when it was not written.
bool writeSteadyReport(const std::string& path, const DeviceLibrary& library,
                       const OperatingCondition& condition, const SteadyResult& result,
                       std::string& reason, const ReportWriteOptions& options = {});

}  // namespace thermalyx
