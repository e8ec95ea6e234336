#include "analysis/lifetime_model.h"

#include <algorithm>
#include <cmath>

namespace thermalyx {

std::string_view lifetimeModelName(LifetimeModel model) {
    return model == LifetimeModel::Lesit ? "lesit" : "cips2008";
}

double limitedHeatingTime(double ton) {
    return std::clamp(ton, kCips2008.tonMin, kCips2008.tonMax);
}

std::optional<double> cyclesToFailure(const LifetimeParameters& parameters,
                                      const ModelCycle& cycle) {
    if (!(cycle.range > 0.0)) return std::nullopt;
    if (parameters.model == LifetimeModel::Lesit) {
        const LesitCoefficients& c = kLesit;
        const double tm = cycle.tjMean + kKelvinOffset;
        return c.a * std::pow(cycle.range, c.alpha) *
               std::exp(c.activationEnergy / (c.boltzmann * tm));
    }
    const Cips2008Coefficients& c = kCips2008;
    const double tjMin = cycle.tjMin + kKelvinOffset;
    const double voltage = parameters.voltageClass / 100.0;
    return c.k * std::pow(cycle.range, c.beta1) * std::exp(c.beta2 / tjMin) *
           std::pow(limitedHeatingTime(cycle.ton), c.beta3) *
           std::pow(parameters.bondCurrent, c.beta4) * std::pow(voltage, c.beta5) *
           std::pow(parameters.bondDiameter, c.beta6);
}

bool rangeWithinValidity(LifetimeModel model, double range) {
    if (model == LifetimeModel::Lesit) return true;
    return range >= kCips2008.rangeMin && range <= kCips2008.rangeMax;
}

}  // namespace thermalyx
