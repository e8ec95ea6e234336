// Losses and temperatures of one IGBT module at one inverter operating point.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/solver_path.h"
#include "library/device_records.h"

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

// A run made for one load-cycle mode.
struct ModeRunResult {
    double fwdDeltaTjcMax = 0.0;
    double igbtDeltaTjcMax = 0.0;
    double fwdRecoveryLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtSaturationLoss = 0.0;
    double fwdDeltaTjcEnd = 0.0;
    double igbtDeltaTjcEnd = 0.0;
    double fwdDeltaTjcStart = 0.0;
    double igbtDeltaTjcStart = 0.0;
    double fwdLoss = 0.0;
    double igbtLoss = 0.0;
};

// How one output period is cut into computed carrier periods.
struct PeriodDiscretisation {
    double carrierPeriods = 0.0;  // Nc, real carrier periods per output period
    int groupingFactor = 0;       // m, real carrier periods per computed one
    int steps = 0;                // N
};

// Nc, m and N for a carrier frequency (kHz) and an output frequency (Hz).
// False when they can't be formed: an input not finite, fo not above 0, a
// carrier below the output frequency, or an m beyond the int range.
bool discretisePeriod(double carrierFrequency, double outputFrequency, PeriodDiscretisation& out);

// The steady run. Returns false and fills nothing for inputs it can't compute.
bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             SteadyResult& result, SolverPath path = SolverPath::Fast);

// A load-cycle run at the row's start (useEndFrequency false) or end frequency.
bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             int modeNumber, bool useEndFrequency, bool averageTj,
                             ModeRunResult& result, std::vector<PeriodSample>& waveform,
                             SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
