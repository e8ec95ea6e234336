// The load-cycle result window's figures and mode list, as texts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_geometry.h"
#include "engine/records.h"
#include "results/figure_texts.h"

namespace thermalyx {

enum class LoadCycleFigure : int {
    IgbtTjMax,
    FwdTjMax,
    TcMax,
    TcAve,
    TfMax,
    TfAve,
    Ambient,
};

inline constexpr int kLoadCycleFigureCount = 7;

using LoadCycleFigureTexts = std::array<std::string, kLoadCycleFigureCount>;

// The six temperatures "%.2f"; the ambient figure is the text the calculation
// was started with ("%.1f" of the accepted Ta).
LoadCycleFigureTexts loadCycleFigureTexts(const LoadCycleResult& result,
                                          std::string_view ambientText);

// One row of the window's mode list.
struct ModeListRow {
    std::string number;    // "Mode No.": 1-based
    std::string duration;  // "Duration (s)": the mode table's text, unchanged
    std::string igbtLoss;  // "IGBT loss (W)": "%.2f"
    std::string fwdLoss;   // "FWD loss (W)": "%.2f"
};

// One list row per table row; row r shows the losses of mode r + 1. A row the
// result holds no mode for shows empty losses.
std::vector<ModeListRow> loadCycleModeList(const LoadCycleResult& result,
                                           const std::vector<ModeTableRow>& rows);

}  // namespace thermalyx
