// Power-cycling lifetime models: cycles to failure of one temperature cycle.
#pragma once

#include <optional>
#include <string_view>

namespace thermalyx {

enum class LifetimeModel { Cips2008, Lesit };

// "cips2008" or "lesit".
std::string_view lifetimeModelName(LifetimeModel model);

inline constexpr double kKelvinOffset = 273.15;

// Nf = K * dTj^beta1 * exp(beta2 / Tj,min) * ton^beta3 * I^beta4 * V^beta5 * D^beta6.
struct Cips2008Coefficients {
    double k = 9.30e14;
    double beta1 = -4.416;
    double beta2 = 1285.0;  // K
    double beta3 = -0.463;
    double beta4 = -0.716;
    double beta5 = -0.761;
    double beta6 = -0.5;
    // The ranges the model was fitted on.
    double tonMin = 1.0;      // s
    double tonMax = 15.0;     // s
    double rangeMin = 40.0;   // K
    double rangeMax = 130.0;  // K
};

// Nf = A * dTj^alpha * exp(Ea / (kB * Tm)).
struct LesitCoefficients {
    double a = 302500.0;
    double alpha = -5.039;
    double activationEnergy = 9.89e-20;  // J
    double boltzmann = 1.38e-23;         // J/K
};

// The model and what the CIPS 2008 model takes from the module's build.
struct LifetimeParameters {
    LifetimeModel model = LifetimeModel::Cips2008;
    double bondCurrent = 10.0;     // A per bond foot
    double voltageClass = 1200.0;  // V; the model takes it in hundreds of volts
    double bondDiameter = 300.0;   // um
};

inline constexpr Cips2008Coefficients kCips2008{};
inline constexpr LesitCoefficients kLesit{};

// One cycle as a model sees it (temperatures in deg C, ton in s).
struct ModelCycle {
    double range = 0.0;
    double tjMin = 0.0;
    double tjMean = 0.0;
    double ton = 0.0;
};

// The heating time the CIPS 2008 model uses: ton held within the model's range.
double limitedHeatingTime(double ton);

// Cycles to failure; empty (unbounded) for a cycle of no range.
std::optional<double> cyclesToFailure(const LifetimeParameters& parameters,
                                      const ModelCycle& cycle);

// Whether the range lies where the model was fitted; the LESIT model states no range.
bool rangeWithinValidity(LifetimeModel model, double range);

}  // namespace thermalyx
