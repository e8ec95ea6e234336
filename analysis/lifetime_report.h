// The text report of a lifetime assessment: the model and every assumption,
// the warnings, and per chip the lives and the table of cycles.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/lifetime.h"
#include "library/device_library.h"
#include "library/report_file.h"
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

// A life in load cycles (decimals 0) or hours (1); "unbounded" when empty.
std::string lifeText(const std::optional<double>& value, int decimals);

// One cycle as the report's table and the lifetime window show it: source,
// mode ("-" for counted cycles), range, Tj min, max and mean, ton, count,
// cycles to failure, damage and note.
inline constexpr int kLifetimeCycleColumns = 11;
std::array<std::string, kLifetimeCycleColumns> lifetimeCycleTexts(const LifetimeCycle& cycle);

// Which chip fails first: "IGBT", "FWD", or empty when neither takes damage.
std::string limitingChip(const LifetimeResult& result);

}  // namespace thermalyx
