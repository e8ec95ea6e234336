#include "results/load_cycle_figures.h"

#include <algorithm>

#include "library/number_text.h"

namespace thermalyx {

LoadCycleFigureTexts loadCycleFigureTexts(const LoadCycleResult& result,
                                          std::string_view ambientText) {
    return figureTexts<kLoadCycleFigureCount>(
        {result.igbtTjMax, result.fwdTjMax, result.tcMax, result.tcAve, result.tfMax, result.tfAve},
        ambientText);
}

std::vector<ModeListRow> loadCycleModeList(const LoadCycleResult& result,
                                           const std::vector<ModeTableRow>& rows) {
    std::vector<ModeListRow> list;
    list.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ModeListRow row;
        row.number = formatInt(static_cast<long long>(r) + 1);
        row.duration = rows[r].duration;
        // Entry 0 of the modes is unused: list row r belongs to mode r + 1.
        const std::size_t mode = r + 1;
        if (mode <= static_cast<std::size_t>(std::max(result.modeCount, 0)) &&
            mode < result.modes.size()) {
            row.igbtLoss = formatFixed(result.modes[mode].igbtLoss, 2);
            row.fwdLoss = formatFixed(result.modes[mode].fwdLoss, 2);
        }
        list.push_back(std::move(row));
    }
    return list;
}

}  // namespace thermalyx
