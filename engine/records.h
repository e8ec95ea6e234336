// The records the engine takes and gives: the heat sink, an operating point
// or load-cycle mode, and the results of a steady run and of a load cycle.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace thermalyx {

// Case-to-fin stage fractions and time constants: the same for every device.
inline constexpr std::array<double, 4> kCaseFinFraction = {0.0043340618863, 0.0214133614933,
                                                           0.0220158477691, 0.0035400341563};
inline constexpr std::array<double, 4> kCaseFinTimeConstant = {0.001, 0.01, 0.1, 1.0};

// The heat-sink thermal model handed to the engine beside the condition.
struct HeatsinkModel {
    std::array<double, 4> caseFinFraction{};
    std::array<double, 4> caseFinTimeConstant{};
    std::array<double, 4> rth{};      // fin-to-ambient stages Rth1..Rth4, K/W
    std::array<double, 4> tth{};      // fin-to-ambient time constants Tth1..Tth4, s
    double ambientTemperature = 0.0;  // Ta, deg C
};

inline constexpr int kModulationTwoArms = 1;
inline constexpr int kModulationThreeArms = 2;

// One operating point; also the layout of a load-cycle row.
struct OperatingCondition {
    std::string series;
    std::string typeNumber;
    int modulation = 0;             // 1 "2 arms", 2 "3 arms"
    double outputFrequency = 0.0;   // Hz
    double outputCurrentRms = 0.0;  // A rms
    double carrierFrequency = 0.0;  // kHz
    double powerFactor = 0.0;       // -1..1
    double modulationRate = 0.0;
    double dcVoltage = 0.0;       // V
    double duration = 0.0;        // s (load cycle)
    double frequencyStart = 0.0;  // Hz (load cycle)
    double frequencyEnd = 0.0;    // Hz (load cycle)
    double rgOn = 0.0;            // ohm
    double rgOff = 0.0;           // ohm
    int tjMode = 0;               // load cycle: 1 "average", otherwise "maximum"
    bool dcLock = false;
    HeatsinkModel heatsink;  // rth and tth copied for the report; the engine ignores it
};

using LoadCycleMode = OperatingCondition;

// Losses of a steady run, W.
struct LossResult {
    double igbtSaturationLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double fwdRecoveryLoss = 0.0;
};

// Temperatures of a steady run, deg C (the delta values in K).
struct TemperatureResult {
    double igbtDeltaTjcMax = 0.0;
    double igbtDeltaTjcMin = 0.0;
    double igbtDeltaTjcAve = 0.0;
    double fwdDeltaTjcMax = 0.0;
    double fwdDeltaTjcMin = 0.0;
    double fwdDeltaTjcAve = 0.0;
    double tcMax = 0.0;
    double tcAve = 0.0;
    double tfMax = 0.0;
    double tfAve = 0.0;
    double igbtTjMax = 0.0;
    double fwdTjMax = 0.0;
    double ambientTemperature = 0.0;
};

// One step k = 0..N of the output period.
struct PeriodSample {
    double offAngle = 0.0;
    double igbtConductionPower = 0.0;
    double igbtLoss = 0.0;
    double fwdConductionPower = 0.0;
    double fwdLoss = 0.0;
    double time = 0.0;
    double fwdRecoveryEnergy = 0.0;
    double tc = 0.0;
    double deltaTcf = 0.0;
    double tf = 0.0;
    double deltaTfa = 0.0;
    double igbtTj = 0.0;
    double igbtDeltaTjc = 0.0;
    double fwdTj = 0.0;
    double fwdDeltaTjc = 0.0;
    double pairLoss = 0.0;
    double heatsinkLoss = 0.0;
};

// The result of a steady run: figures and the waveform (N + 2 entries, the last spare).
struct SteadyResult {
    LossResult loss;
    TemperatureResult temperature;
    std::vector<PeriodSample> waveform;
};

inline constexpr int kMaxModes = 25;
inline constexpr int kCycleIntervals = 600;

// One mode j = 1..count; entry 0 of the array is not used.
struct ModeResult {
    double startTime = 0.0;
    double endTime = 0.0;
    int firstSample = 0;
    int lastSample = 0;
    double frequencyStart = 0.0;
    double frequencyEnd = 0.0;
    double igbtLoss = 0.0;
    double fwdLoss = 0.0;
    double igbtDeltaTjcStart = 0.0;
    double igbtDeltaTjcEnd = 0.0;
    double fwdDeltaTjcStart = 0.0;
    double fwdDeltaTjcEnd = 0.0;
    double igbtDeltaTjcSlope = 0.0;
    double igbtDeltaTjcIntercept = 0.0;
    double fwdDeltaTjcSlope = 0.0;
    double fwdDeltaTjcIntercept = 0.0;
    double igbtSaturationLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double fwdRecoveryLoss = 0.0;
};

// One grid point g = 0..600 of the cycle; entry 601 stays zero.
struct CycleSample {
    double time = 0.0;
    double pairLoss = 0.0;
    double heatsinkLoss = 0.0;
    double tc = 0.0;
    double deltaTcf = 0.0;
    double tf = 0.0;
    double deltaTfa = 0.0;
    double igbtTj = 0.0;
    double fwdTj = 0.0;
    double frequency = 0.0;
    double modeTime = 0.0;
    double igbtLoss = 0.0;
    double fwdLoss = 0.0;
};

struct LoadCycleResult {
    double tcMax = 0.0;
    double tcAve = 0.0;
    double tfMax = 0.0;
    double tfAve = 0.0;
    double ambientTemperature = 0.0;
    double igbtTjMax = 0.0;
    double fwdTjMax = 0.0;
    double igbtDeltaTjcMax = 0.0;
    double fwdDeltaTjcMax = 0.0;
    std::vector<CycleSample> samples;  // 602 entries
    std::vector<ModeResult> modes;     // count + 2 entries
    int modeCount = 0;
};

}  // namespace thermalyx
