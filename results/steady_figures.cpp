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

    SteadyFigureTexts texts;
    const auto set = [&texts](SteadyFigure figure, double value) {
        texts[figureIndex(figure)] = formatFixed(value, 2);
    };
    set(SteadyFigure::IgbtSaturationLoss, loss.igbtSaturationLoss);
    set(SteadyFigure::IgbtTurnOnLoss, loss.igbtTurnOnLoss);
    set(SteadyFigure::IgbtTurnOffLoss, loss.igbtTurnOffLoss);
    set(SteadyFigure::IgbtPart, igbtPart);
    set(SteadyFigure::FwdSaturationLoss, loss.fwdSaturationLoss);
    set(SteadyFigure::FwdRecoveryLoss, loss.fwdRecoveryLoss);
    set(SteadyFigure::FwdPart, fwdPart);
    set(SteadyFigure::TotalLoss, total);
    set(SteadyFigure::IgbtDeltaTjcMax, t.igbtDeltaTjcMax);
    set(SteadyFigure::IgbtDeltaTjcAve, t.igbtDeltaTjcAve);
    set(SteadyFigure::IgbtTjMax, t.igbtTjMax);
    set(SteadyFigure::FwdDeltaTjcMax, t.fwdDeltaTjcMax);
    set(SteadyFigure::FwdDeltaTjcAve, t.fwdDeltaTjcAve);
    set(SteadyFigure::FwdTjMax, t.fwdTjMax);
    set(SteadyFigure::TcMax, t.tcMax);
    set(SteadyFigure::TcAve, t.tcAve);
    set(SteadyFigure::TfMax, t.tfMax);
    set(SteadyFigure::TfAve, t.tfAve);
    texts[figureIndex(SteadyFigure::Ambient)] = std::string(ambientText);
    return texts;
}

std::string ambientFigureText(std::string_view taText) {
    return formatFixed(readNumber(taText), 1);
}

}  // namespace thermalyx
