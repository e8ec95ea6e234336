// The ranking and the capability curves as comma-separated tables, the same
// for the command line and the desktop program: one row a device (ranking) or
// a device's carrier frequency (curves), the fields that don't apply empty.
#pragma once

#include <string>
#include <vector>

#include "analysis/current_capability.h"
#include "analysis/device_ranking.h"

namespace thermalyx {

// "ok" or "rejected".
std::string_view rankingStatusText(const RankedDevice& device);

// series, typeNumber, status, ratedCurrent, ratedVoltage, the five losses, the
// thirteen temperature figures, totalLoss, tjMax, margin, limitedBy,
// maxCurrent, message; devices in the order given.
std::string rankingCsv(const std::vector<RankedDevice>& devices);

// series, typeNumber, carrierFrequency, current, tjMax, limitedBy, reason.
std::string capabilityCsv(const std::vector<CapabilityCurve>& curves);

}  // namespace thermalyx
