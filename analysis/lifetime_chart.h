// The lifetime window's bar chart: how a chip's damage per load cycle spreads
// over classes of junction temperature swing.
#pragma once

#include <string>
#include <vector>

#include "analysis/lifetime.h"
#include "charts/chart_geometry.h"

namespace thermalyx {

// Swings from `from` (included) to `to` (excluded), K, and each chip's share
// of its own damage per load cycle that they cause, percent.
struct DamageClass {
    double from = 0.0;
    double to = 0.0;
    double igbtShare = 0.0;
    double fwdShare = 0.0;
};

// Classes 10 K wide (wider when the largest swing would need more than 12)
// from 0 up to the class holding the largest swing; counted and ripple cycles
// alike. A chip without damage has every share 0.
std::vector<DamageClass> damageClasses(const LifetimeResult& result);

// The classes as a comma-separated table: from, to (K), igbtShare, fwdShare (%).
std::string damageClassesCsv(const std::vector<DamageClass>& classes);

// Two bars per class, IGBT (kIgbtPen's colour) then FWD (kFwdPen's), over a
// value axis of 10 % divisions up to the largest share; class bounds below, a
// key of the two colours at the top right. The frame should be about 420 x 260.
ChartGeometry damageChart(const std::vector<DamageClass>& classes, FrameSize frame,
                          const TextWidth& textWidth);

}  // namespace thermalyx
