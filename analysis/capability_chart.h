// The derating chart of the current-capability analysis: the maximum current
// (A) against the carrier frequency (kHz), one curve per device, on the value
// axis of the result windows, and its legend.
#pragma once

#include <vector>

#include "analysis/current_capability.h"
#include "charts/chart_geometry.h"

namespace thermalyx {

// The pen of the n-th curve (the colours repeat after eight).
Pen capabilityPen(std::size_t index);

// The carrier axis runs from 0 to the largest carrier frequency given, the
// value axis from 0 to the largest current found. Each curve joins its points
// in order of frequency and breaks where a point has no current; every point
// found is marked with a small cross.
ChartGeometry capabilityChart(const std::vector<CapabilityCurve>& curves, FrameSize frame,
                              const TextWidth& textWidth);

// One entry a curve, "series typeNumber", stacked in rows of 16 pixels in a
// box whose top-left corner is (left, top) and width is width.
LegendGeometry capabilityLegend(const std::vector<CapabilityCurve>& curves, int left, int top,
                                int width);

}  // namespace thermalyx
