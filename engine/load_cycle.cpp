#include "engine/load_cycle.h"

#include <cmath>
#include <utility>

#include "engine/device_characteristics.h"
#include "engine/engine_constants.h"
#include "engine/operating_point.h"
#include "engine/periodic_response.h"

namespace thermalyx {

namespace {

using engine::kCycleGridIntervals;
using engine::kCycleHarmonics;
using engine::kOneOverSixHundred;

constexpr int kGridPoints = kCycleGridIntervals + 1;  // g = 0..600

// A start or end frequency of exactly 0 stands for 0.1 Hz.
double replaceZeroFrequency(double frequency) {
    return frequency == 0.0 ? 0.1 : frequency;
}

// A junction figure that would show as 0 or below is reported as 0.005.
double adjustReported(double value) {
    if (!(value > 0.0)) {
        return 0.005;
    }
    return value < 0.005 ? value + 0.005 : value;
}

// What a mode keeps of its run at the start frequency.
void takeStartRun(const ModeRunResult& start, ModeResult& mode) {
    mode.igbtLoss = start.igbtLoss;
    mode.fwdLoss = start.fwdLoss;
    mode.igbtDeltaTjcStart = start.igbtDeltaTjcStart;
    mode.fwdDeltaTjcStart = start.fwdDeltaTjcStart;
    mode.igbtSaturationLoss = start.igbtSaturationLoss;
    mode.igbtTurnOnLoss = start.igbtTurnOnLoss;
    mode.igbtTurnOffLoss = start.igbtTurnOffLoss;
    mode.fwdSaturationLoss = start.fwdSaturationLoss;
    mode.fwdRecoveryLoss = start.fwdRecoveryLoss;
}

}  // namespace

bool simulateLoadCycle(const std::vector<LoadCycleMode>& rows, const ConditionLimits& limits,
                       const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                       LoadCycleResult& result, SolverPath path) {
    const int count = static_cast<int>(rows.size());
    if (count < 1 || count > kMaxModes) {
        return false;
    }
    // The cycle's length. Every mode lasts a positive, finite time, so
    // the grid points of the modes never go back.
    double totalTime = 0.0;
    for (const LoadCycleMode& row : rows) {
        if (!std::isfinite(row.duration) || !(row.duration > 0.0)) {
            return false;
        }
        totalTime += row.duration;
    }
    if (!std::isfinite(kCycleGridIntervals * totalTime)) {
        return false;
    }

    std::vector<LoadCycleMode> modeRows = rows;
    LoadCycleResult cycle;
    cycle.samples.assign(kGridPoints + 1, CycleSample{});
    cycle.modes.assign(static_cast<std::size_t>(count) + 2, ModeResult{});
    cycle.modeCount = count;
    std::vector<CycleSample>& samples = cycle.samples;

    // The modes, their runs and their grid points.
    double igbtRiseMax = 0.0;
    double fwdRiseMax = 0.0;
    double endTime = 0.0;
    std::vector<PeriodSample> waveform;
    for (int j = 1; j <= count; ++j) {
        LoadCycleMode& row = modeRows[j - 1];
        ModeResult& mode = cycle.modes[j];
        const ModeResult& previous = cycle.modes[j - 1];
        mode.startTime = j == 1 ? 0.0 : previous.endTime;
        mode.firstSample = j == 1 ? 0 : previous.lastSample + 1;
        endTime += row.duration;
        mode.endTime = endTime;
        // The last mode always closes the cycle at grid point 600, whatever
        // the rounding of the quotient.
        mode.lastSample =
            j == count
                ? kCycleGridIntervals
                : static_cast<int>(std::floor(kCycleGridIntervals * mode.endTime / totalTime));
        row.frequencyStart = replaceZeroFrequency(row.frequencyStart);
        row.frequencyEnd = replaceZeroFrequency(row.frequencyEnd);
        mode.frequencyStart = row.frequencyStart;
        mode.frequencyEnd = row.frequencyEnd;
        const bool averageTj = row.tjMode == 1;

        const auto runMode = [&](bool useEndFrequency, ModeRunResult& run) {
            return calculateOperatingPoint(row, limits, params, heatsink, useEndFrequency,
                                           averageTj, run, waveform, path);
        };
        ModeRunResult start;
        if (!runMode(false, start)) return false;
        takeStartRun(start, mode);
        if (start.igbtDeltaTjcMax > igbtRiseMax) {
            igbtRiseMax = start.igbtDeltaTjcMax;
        }
        if (start.fwdDeltaTjcMax > fwdRiseMax) {
            fwdRiseMax = start.fwdDeltaTjcMax;
        }

        const bool ramps = mode.frequencyEnd != mode.frequencyStart;
        const int span = mode.lastSample - mode.firstSample;
        for (int g = mode.firstSample; g <= mode.lastSample; ++g) {
            CycleSample& sample = samples[g];
            sample.time = g * totalTime * kOneOverSixHundred;
            sample.modeTime = sample.time - mode.startTime;
            sample.igbtLoss = mode.igbtLoss;
            sample.fwdLoss = mode.fwdLoss;
            sample.pairLoss = sample.igbtLoss + sample.fwdLoss;
            sample.heatsinkLoss = 6 * sample.pairLoss;
            // A ramping mode that owns a single grid point takes its start
            // frequency there.
            sample.frequency = !ramps || span == 0 ? mode.frequencyStart
                                                   : mode.frequencyStart +
                                                         (mode.frequencyEnd - mode.frequencyStart) /
                                                             span * (g - mode.firstSample);
        }

        if (ramps) {
            ModeRunResult end;
            if (!runMode(true, end)) return false;
            mode.igbtDeltaTjcEnd = end.igbtDeltaTjcEnd;
            mode.fwdDeltaTjcEnd = end.fwdDeltaTjcEnd;
            // The rise follows a/f + b through the two frequencies. Two
            // frequencies so close that their reciprocals coincide give no
            // slope: the rise stays at its start value.
            const double reciprocalSpan = 1 / mode.frequencyStart - 1 / mode.frequencyEnd;
            if (reciprocalSpan != 0.0) {
                mode.igbtDeltaTjcSlope =
                    (mode.igbtDeltaTjcStart - mode.igbtDeltaTjcEnd) / reciprocalSpan;
                mode.fwdDeltaTjcSlope =
                    (mode.fwdDeltaTjcStart - mode.fwdDeltaTjcEnd) / reciprocalSpan;
            }
            mode.igbtDeltaTjcIntercept =
                mode.igbtDeltaTjcStart - mode.igbtDeltaTjcSlope / mode.frequencyStart;
            mode.fwdDeltaTjcIntercept =
                mode.fwdDeltaTjcStart - mode.fwdDeltaTjcSlope / mode.frequencyStart;
        }
        waveform.clear();
    }

    // Case to fin and fin to ambient over the whole cycle, each
    // mode's loss held over its grid points.
    const DeviceCharacteristics device(params, limits, rows[0].dcVoltage, rows[0].rgOn,
                                       rows[0].rgOff, heatsink);
    std::vector<double> time(kGridPoints), pairLoss(kGridPoints), heatsinkLoss(kGridPoints);
    std::vector<double> caseFinRise(kGridPoints), finAmbientRise(kGridPoints);
    double pairSum = 0.0;
    double heatsinkSum = 0.0;
    for (int g = 0; g < kGridPoints; ++g) {
        time[g] = samples[g].time;
        pairLoss[g] = samples[g].pairLoss;
        heatsinkLoss[g] = samples[g].heatsinkLoss;
        pairSum += pairLoss[g];
        heatsinkSum += heatsinkLoss[g];
    }
    const ResponseTask tasks[] = {
        {pairLoss, pairSum / kCycleGridIntervals, &device.caseFin, caseFinRise},
        {heatsinkLoss, heatsinkSum / kCycleGridIntervals, &device.finAmbient, finAmbientRise},
    };
    PeriodicResponseSolver solver(time, kCycleGridIntervals, totalTime, kCycleHarmonics,
                                  ResponseWindow::LoadCycle, path);
    if (!solver.solve(tasks)) {
        return false;
    }
    for (int g = 0; g < kGridPoints; ++g) {
        samples[g].deltaTcf = caseFinRise[g];
        samples[g].deltaTfa = finAmbientRise[g];
    }

    // Temperatures; the junction rise follows the 1/f law of its mode.
    const double ta = heatsink.ambientTemperature;
    for (int j = 1; j <= count; ++j) {
        const ModeResult& mode = cycle.modes[j];
        const bool ramps = mode.frequencyEnd != mode.frequencyStart;
        for (int g = mode.firstSample; g <= mode.lastSample; ++g) {
            CycleSample& sample = samples[g];
            sample.tf = ta + sample.deltaTfa;
            sample.tc = sample.tf + sample.deltaTcf;
            if (!ramps) {
                sample.igbtTj = sample.tc + mode.igbtDeltaTjcStart;
                sample.fwdTj = sample.tc + mode.fwdDeltaTjcStart;
            } else {
                sample.igbtTj = sample.tc + mode.igbtDeltaTjcSlope / sample.frequency +
                                mode.igbtDeltaTjcIntercept;
                sample.fwdTj = sample.tc + mode.fwdDeltaTjcSlope / sample.frequency +
                               mode.fwdDeltaTjcIntercept;
            }
        }
    }

    // At each mode change the junction rise starts from the previous
    // mode's final rise and settles with a time constant of 0.1 s. The cycle
    // wraps: mode 1 starts from the last grid point, read before the last
    // mode's own transition. A mode that owns no grid point changes nothing;
    // the mode after it starts from the last grid point before it.
    for (int j = 1; j <= count; ++j) {
        const ModeResult& mode = cycle.modes[j];
        const int from = j == 1 ? cycle.modes[count].lastSample : cycle.modes[j - 1].lastSample;
        const double igbtFrom = samples[from].igbtTj - samples[from].tc;
        const double fwdFrom = samples[from].fwdTj - samples[from].tc;
        for (int g = mode.firstSample; g <= mode.lastSample; ++g) {
            CycleSample& sample = samples[g];
            const double settle = std::exp(-10 * sample.modeTime);
            const double igbtRise = sample.igbtTj - sample.tc;
            if (igbtRise != 0.0 && igbtFrom != igbtRise) {
                sample.igbtTj = sample.tc + igbtRise - (igbtRise - igbtFrom) * settle;
            }
            const double fwdRise = sample.fwdTj - sample.tc;
            if (fwdRise != 0.0 && fwdFrom != fwdRise) {
                sample.fwdTj = sample.tc + fwdRise - (fwdRise - fwdFrom) * settle;
            }
        }
    }

    // Figures over the 601 grid points (means divide by 601).
    double igbtTjMax = samples[0].igbtTj;
    double fwdTjMax = samples[0].fwdTj;
    double tcMax = samples[0].tc;
    double tfMax = samples[0].tf;
    double tcSum = 0.0;
    double tfSum = 0.0;
    for (int g = 0; g < kGridPoints; ++g) {
        const CycleSample& sample = samples[g];
        if (sample.igbtTj > igbtTjMax) igbtTjMax = sample.igbtTj;
        if (sample.fwdTj > fwdTjMax) fwdTjMax = sample.fwdTj;
        if (sample.tc > tcMax) tcMax = sample.tc;
        if (sample.tf > tfMax) tfMax = sample.tf;
        tcSum += sample.tc;
        tfSum += sample.tf;
    }
    cycle.tcMax = tcMax;
    cycle.tcAve = tcSum / kGridPoints;
    cycle.tfMax = tfMax;
    cycle.tfAve = tfSum / kGridPoints;
    cycle.ambientTemperature = ta;
    cycle.igbtTjMax = adjustReported(igbtTjMax);
    cycle.fwdTjMax = adjustReported(fwdTjMax);
    cycle.igbtDeltaTjcMax = adjustReported(igbtRiseMax);
    cycle.fwdDeltaTjcMax = adjustReported(fwdRiseMax);

    result = std::move(cycle);
    return true;
}

}  // namespace thermalyx
