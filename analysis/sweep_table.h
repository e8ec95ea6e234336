// A sweep as a comma-separated table: the varied inputs by name, the status,
// the five losses and the thirteen temperature figures, and the message of a
// rejected point; one row a point, the fields that don't apply left empty.
#pragma once

#include <string>
#include <string_view>

#include "analysis/sweep.h"

namespace thermalyx {

// "ok" or "rejected".
std::string_view sweepStatusText(const SweepPoint& point);

// The header row and one point's row, each with its line end.
std::string sweepCsvHeader(const SweepPlan& plan);
std::string sweepCsvRow(const SweepPlan& plan, const SweepPoint& point);

}  // namespace thermalyx
