// The text report of a lifetime assessment: the model and every assumption,
// the warnings, and per chip the lives and the table of cycles.
#pragma once

#include <string>

#include "analysis/lifetime.h"
#include "library/device_library.h"
#include "results/report_file.h"
#include "results/report_sections.h"

namespace thermalyx {

std::string buildLifetimeReport(const DeviceIndexEntry& device, const LifetimeResult& result,
                                const ReportTime& time);

// Writes the report to path, replacing an existing file only when the whole
// report was written. False with the reason when it was not written.
bool writeLifetimeReport(const std::string& path, const DeviceIndexEntry& device,
                         const LifetimeResult& result, std::string& reason,
                         const ReportWriteOptions& options = {});

// "1.234e-06": four significant digits, for figures spanning many decades.
std::string formatScientific(double value);

// Which chip fails first: "IGBT", "FWD", or empty when neither takes damage.
std::string limitingChip(const LifetimeResult& result);

}  // namespace thermalyx
