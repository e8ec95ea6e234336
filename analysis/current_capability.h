// The largest output current a device carries within a junction-temperature
// limit at an operating point, and its derating over carrier frequencies.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/parallel_runner.h"
#include "analysis/point_inputs.h"
#include "library/device_library.h"
#include "pages/calculation_request.h"

namespace thermalyx {

inline constexpr double kDefaultTjLimit = 150.0;

// The answer for one device at one operating point. With a current, tjMax is
// the hotter junction at that current and limitedBy what stops a larger one:
// the hotter part one step above, or the device's current limit. Without one,
// reason says why.
struct CurrentCapability {
    std::optional<double> current;  // A rms, the value of currentText
    std::string currentText;        // "%.1f"
    double tjMax = 0.0;
    LimitedBy limitedBy = LimitedBy::Igbt;
    std::string reason;
};

// Searches the output-current texts "%.1f" of k / 10 that the device's limits
// accept, with every other input of point (series and type number included)
// fixed. Tj rises with the current, so a bisection on k finds the answer.
CurrentCapability findMaxCurrent(const DeviceLibrary& library, const DeviceIndexEntry& device,
                                 const SteadyRequest& point, double tjLimit);

struct CapabilityPoint {
    std::string carrierFrequency;  // the text given
    CurrentCapability capability;
};

struct CapabilityCurve {
    std::string series;
    std::string typeNumber;
    std::vector<CapabilityPoint> points;  // in the order of the carrier texts
};

// message: an input no device could accept (then curves is empty).
struct CapabilityAnswer {
    std::string message;
    std::vector<CapabilityCurve> curves;  // in the order of the devices given
};

// Maximum current against carrier frequency for each device, the point's own
// output current and carrier frequency replaced. Nothing when stopped early.
std::optional<CapabilityAnswer> capabilityCurves(
    const DeviceLibrary& library, const std::vector<const DeviceIndexEntry*>& devices,
    const SteadyRequest& point, const std::vector<std::string>& carrierTexts, double tjLimit,
    const ParallelOptions& options = {});

}  // namespace thermalyx
