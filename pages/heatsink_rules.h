// The heat-sink network: its estimate from the inverter capacity, the rule that
// follows an edit of its eight fields, and the model handed to the engine.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/records.h"

namespace thermalyx {

inline constexpr int kHeatsinkStages = 4;
using StageValues = std::array<double, kHeatsinkStages>;
using StageTexts = std::array<std::string, kHeatsinkStages>;

// Share of the steady-state resistance carried by each stage of the estimated
// network, and the stage time constants before the Tth factor (s).
inline constexpr StageValues kEstimateRthShare = {0.0094613583903, 0.0523581825297, 0.9628950076153,
                                                  0.5138370294648};
inline constexpr StageValues kEstimateTthBase = {1.0, 10.0, 50.0, 200.0};
// The resistance of a heat sink falls with the power it is sized for.
inline constexpr double kEstimateCapacityExponent = -0.96571;

// The estimated network: unrounded numbers for the engine, "%.4f" texts for the
// fields, and Rth(f-a) as the sum of what the fields show.
struct HeatsinkEstimate {
    StageValues rth{};
    StageValues tth{};
    StageTexts rthTexts;
    StageTexts tthTexts;
    std::string rthSumText;
};

// Estimates the network for an inverter capacity P (kW) with the correction
// factors kR and kT (each above 0, at most 1). Returns the message to show, empty
// on success; on failure estimate is left unchanged.
std::string computeHeatsinkEstimate(std::string_view capacity, std::string_view rthFactor,
                                    std::string_view tthFactor, HeatsinkEstimate& estimate);

// What an edit of the eight network fields leaves behind.
struct TransientFieldState {
    StageValues rth{};  // all eight texts converted, valid or not
    StageValues tth{};
    int passingCount =
        0;  // fields passing in order Rth1..Rth4, Tth1..Tth4 before the first failure
    bool allValid = false;  // all eight passed: the model is ready
    std::string
        rthSumText;  // Rth(f-a): "%.4f" of Rth4 + Rth3 + Rth2 + Rth1, empty below four passes
};

TransientFieldState evaluateTransientFields(const StageTexts& rthTexts, const StageTexts& tthTexts);

// The model for the engine: the fixed case-to-fin stages, the network and Ta.
HeatsinkModel buildHeatsinkModel(const StageValues& heatsinkRth, const StageValues& heatsinkTth,
                                 std::string_view ambientText);

// The network given as eight texts (command line): each must pass as the edit
// rule passes it. Fills rth and tth on success.
std::string checkHeatsinkTexts(const StageTexts& rthTexts, const StageTexts& tthTexts,
                               StageValues& rth, StageValues& tth);

// Whether the engine can compute with this network: every value finite.
std::string checkHeatsinkModel(const HeatsinkModel& model);

}  // namespace thermalyx
