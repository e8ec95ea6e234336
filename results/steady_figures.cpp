#include "results/steady_figures.h"

#include "library/number_text.h"

namespace thermalyx {

SteadyFigureTexts steadyFigureTexts(const SteadyResult& result, std::string_view ambientText) {
    const LossResult& loss = result.loss;
    const TemperatureResult& t = result.temperature;
    const double igbtPart = loss.igbtTurnOffLoss + loss.igbtTurnOnLoss + loss.igbtSaturationLoss;
    const double fwdPart = loss.fwdRecoveryLoss + loss.fwdSaturationLoss;
    const double total = loss.fwdRecoveryLoss + loss.fwdSaturationLoss + loss.igbtTurnOffLoss +
                         loss.igbtTurnOnLoss + loss.igbtSaturationLoss;

    return figureTexts<kSteadyFigureCount>(
        {loss.igbtSaturationLoss, loss.igbtTurnOnLoss, loss.igbtTurnOffLoss, igbtPart,
         loss.fwdSaturationLoss, loss.fwdRecoveryLoss, fwdPart, total, t.igbtDeltaTjcMax,
         t.igbtDeltaTjcAve, t.igbtTjMax, t.fwdDeltaTjcMax, t.fwdDeltaTjcAve, t.fwdTjMax, t.tcMax,
         t.tcAve, t.tfMax, t.tfAve},
        ambientText);
}

std::string ambientFigureText(std::string_view taText) {
    return formatFixed(readNumber(taText), 1);
}

}  // namespace thermalyx
