// From a load-cycle request and the lifetime model's texts to a lifetime: the
// cycle's own checks and run, then the model's parameters, the modes' ripple
// and the assessment. The command line and the desktop dialog both call it.
#pragma once

#include <optional>
#include <string>

#include "analysis/lifetime.h"
#include "analysis/lifetime_model.h"
#include "pages/calculation_request.h"

namespace thermalyx {

// The model's parameters as given; one left out takes its default (the voltage
// class: the device's VCES).
struct LifetimeTexts {
    LifetimeModel model = LifetimeModel::Cips2008;
    std::optional<std::string> bondCurrent;   // A
    std::optional<std::string> voltageClass;  // V, e.g. "1200"
    std::optional<std::string> bondDiameter;  // um
    std::optional<std::string> minRange;      // K
    bool ripple = false;
};

inline constexpr std::string_view kDefaultBondCurrentText = "10";
inline constexpr std::string_view kDefaultBondDiameterText = "300";
inline constexpr std::string_view kDefaultMinRangeText = "0";

// Judges the texts for a device; empty on success with options filled,
// otherwise the message to show. The voltage class falls back on the device's
// VCES text, needed only by the CIPS 2008 model.
std::string checkLifetimeTexts(const LifetimeTexts& texts, const DeviceSpecRecord& spec,
                               LifetimeOptions& options);

enum class LifetimeStage {
    None,        // the lifetime was assessed
    Cycle,       // the load cycle's own checks or run stopped (see cycle.stage)
    Parameters,  // a model parameter or the filter was rejected
    Ripple,      // the engine refused a mode's steady run
};

struct LifetimeOutcome {
    LifetimeStage stage = LifetimeStage::None;
    std::string message;
    LoadCycleOutcome cycle;
    LifetimeResult result;

    bool ok() const { return stage == LifetimeStage::None; }
};

LifetimeOutcome runLifetimeRequest(const DeviceLibrary& library, const LoadCycleRequest& request,
                                   const LifetimeTexts& texts, SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
