// The nineteen figures of the steady-state result window, as texts.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/records.h"
#include "results/figure_texts.h"

namespace thermalyx {

enum class SteadyFigure : int {
    IgbtSaturationLoss,
    IgbtTurnOnLoss,
    IgbtTurnOffLoss,
    IgbtPart,
    FwdSaturationLoss,
    FwdRecoveryLoss,
    FwdPart,
    TotalLoss,
    IgbtDeltaTjcMax,
    IgbtDeltaTjcAve,
    IgbtTjMax,
    FwdDeltaTjcMax,
    FwdDeltaTjcAve,
    FwdTjMax,
    TcMax,
    TcAve,
    TfMax,
    TfAve,
    Ambient,
};

inline constexpr int kSteadyFigureCount = 19;

using SteadyFigureTexts = std::array<std::string, kSteadyFigureCount>;

// Every figure "%.2f", the part and total losses summed in the window's order
// (IGBT: turn-off + turn-on + saturation; FWD: recovery + saturation; total:
// recovery + FWD saturation + turn-off + turn-on + IGBT saturation). The
// ambient figure is the text the calculation was started with.
SteadyFigureTexts steadyFigureTexts(const SteadyResult& result, std::string_view ambientText);

// The ambient figure for an accepted Ta field text: its value, "%.1f".
std::string ambientFigureText(std::string_view taText);

}  // namespace thermalyx
