#include "engine/operating_point.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include "engine/device_characteristics.h"
#include "engine/engine_constants.h"
#include "engine/modulation_geometry.h"
#include "engine/operating_inputs.h"
#include "engine/periodic_response.h"

namespace thermalyx {

namespace {

using engine::kTwoPi;

// The figures of one run before any limiting.
struct RunFigures {
    LossResult loss;
    double igbtMeanLoss = 0.0;
    double fwdMeanLoss = 0.0;
};

// What step k switches: the shares of the step in which the IGBT and the
// diode conduct, and the IGBT's switching energies.
struct StepSwitching {
    double igbtShare = 0.0;
    double fwdShare = 0.0;
    double eon = 0.0;
    double eoff = 0.0;
};

class OperatingPointRun {
public:
    OperatingPointRun(const OperatingCondition& condition, const ConditionLimits& limits,
                      const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                      double outputFrequency, int harmonics)
        : condition_(condition),
          heatsink_(heatsink),
          device_(params, limits, condition.dcVoltage, condition.rgOn, condition.rgOff, heatsink),
          fo_(outputFrequency),
          harmonics_(harmonics),
          m_(condition.modulationRate),
          irms_(condition.outputCurrentRms) {}

    // The whole period: steps, losses, rises and, for a steady run, the
    // temperatures. The caller has checked the inputs.
    bool run(bool steady, SolverPath path) {
        discretise();
        if (condition_.dcLock) {
            lockedLosses();
        } else {
            switchedLosses();
        }
        moveFwdLoss();
        for (int k = 1; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            sample.pairLoss = sample.igbtLoss + sample.fwdLoss;
            sample.heatsinkLoss = 6.0 * sample.pairLoss;
        }
        if (!temperatureRises(path)) {
            return false;
        }
        if (steady) {
            const double ta = heatsink_.ambientTemperature;
            for (int k = 0; k <= n_; ++k) {
                PeriodSample& sample = waveform_[k];
                sample.tf = ta + sample.deltaTfa;
                sample.tc = sample.tf + sample.deltaTcf;
                sample.igbtTj = sample.tc + sample.igbtDeltaTjc;
                sample.fwdTj = sample.tc + sample.fwdDeltaTjc;
            }
        }
        return true;
    }

    const RunFigures& figures() const { return figures_; }
    std::vector<PeriodSample>& waveform() { return waveform_; }

    double maxOfField(double PeriodSample::*field) const { return extremeOfField(field, true); }
    double minOfField(double PeriodSample::*field) const { return extremeOfField(field, false); }
    double meanOfField(double PeriodSample::*field) const {
        double sum = 0.0;
        for (int k = 0; k <= n_; ++k) {
            sum += waveform_[k].*field;
        }
        return sum / (n_ + 1);
    }

private:
    double extremeOfField(double PeriodSample::*field, bool greatest) const {
        double best = waveform_[0].*field;
        for (int k = 1; k <= n_; ++k) {
            const double value = waveform_[k].*field;
            if (greatest ? value > best : value < best) {
                best = value;
            }
        }
        return best;
    }

    void discretise() {
        PeriodDiscretisation period;
        discretisePeriod(condition_.carrierFrequency, fo_, period);
        grouping_ = period.groupingFactor;
        n_ = period.steps;
        waveform_.assign(static_cast<std::size_t>(n_) + 2, PeriodSample{});
        for (int k = 0; k <= n_; ++k) {
            waveform_[k].time = (1.0 / fo_) * k / n_;
        }
    }

    double phaseCurrent(double theta) const {
        return std::sqrt(2.0) * irms_ * std::sin(theta - phi_);
    }

    // The pulse-width modulated period: switching instants, energies and
    // conduction of every carrier period.
    void switchedLosses() {
        phi_ = lagAngle(condition_.powerFactor);
        const ModulationGeometry geometry(condition_.modulation, m_, n_);
        const double m = grouping_;
        std::vector<StepSwitching> steps(static_cast<std::size_t>(n_) + 1);
        for (int k = 1; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            // Rising carrier: the IGBT turns off; falling carrier: it turns on,
            // and the opposite diode recovers.
            ModulationReference rising;
            ModulationReference falling;
            geometry.periodReferences(k, rising, falling);
            const CarrierCrossing off = geometry.crossing(4 * k - 3, rising);
            const CarrierCrossing on = geometry.crossing(4 * k - 2, falling);
            const double offCurrent = phaseCurrent(off.angle);
            const double onCurrent = phaseCurrent(on.angle);
            sample.offAngle = on.angle - off.angle;
            steps[k].eoff =
                off.clamped || offCurrent < 0 ? 0.0 : m * device_.turnOffEnergy(offCurrent);
            const bool turnsOn = !(on.clamped || onCurrent < 0);
            steps[k].eon = turnsOn ? m * device_.turnOnEnergy(onCurrent) : 0.0;
            sample.fwdRecoveryEnergy = turnsOn ? m * device_.recoveryEnergy(onCurrent) : 0.0;
            const double ic = phaseCurrent(geometry.fineAngle(4 * k));
            sample.igbtConductionPower = ic < 0 ? 0.0 : device_.igbtSaturationVoltage(ic) * ic;
            const double iF = phaseCurrent(geometry.fineAngle(4 * k - 2));
            sample.fwdConductionPower =
                iF < 0 || on.clamped ? 0.0 : device_.fwdForwardVoltage(iF) * iF;
        }
        const double delta = kTwoPi / n_;
        for (int k = 0; k <= n_; ++k) {
            steps[k].fwdShare = waveform_[k].offAngle / delta;
            steps[k].igbtShare = 1 - steps[k].fwdShare;
        }
        accumulateLosses(steps);
    }

    // "DC LOCK": the current Irms flowing as direct current at a fixed
    // duty. A rate at or beyond ±1 holds one switch on for good; the duties are
    // kept within 0..1 so that no conduction loss turns negative.
    void lockedLosses() {
        const double m = grouping_;
        const double rate = m_;
        const bool switching = std::fabs(rate) < 1.0;
        // The characteristics never see a negative current; none flows forward.
        const bool forward = irms_ >= 0.0;
        StepSwitching step;
        step.igbtShare = 1.0;  // the duties are in the conduction powers
        step.fwdShare = 1.0;
        step.eon = switching && forward ? m * device_.turnOnEnergy(irms_) : 0.0;
        step.eoff = switching && forward ? m * device_.turnOffEnergy(irms_) : 0.0;
        const double recovery = switching && forward ? m * device_.recoveryEnergy(irms_) : 0.0;
        const double igbtDuty = std::clamp((rate + 1) * 0.5, 0.0, 1.0);
        const double fwdDuty = std::clamp(0.5 - 0.5 * rate, 0.0, 1.0);
        const double igbtPower =
            forward ? igbtDuty * device_.igbtSaturationVoltage(irms_) * irms_ : 0.0;
        const double fwdPower = forward ? fwdDuty * device_.fwdForwardVoltage(irms_) * irms_ : 0.0;
        for (int k = 0; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            sample.igbtConductionPower = igbtPower;
            sample.fwdConductionPower = fwdPower;
            sample.fwdRecoveryEnergy = recovery;
        }
        accumulateLosses(std::vector<StepSwitching>(static_cast<std::size_t>(n_) + 1, step));
    }

    // The step losses over steps 0..N and the figures, summed in step order.
    void accumulateLosses(const std::vector<StepSwitching>& steps) {
        const double n = n_;
        double saturationSum = 0.0, onSum = 0.0, offSum = 0.0, igbtSum = 0.0;
        double fwdSaturationSum = 0.0, recoverySum = 0.0, fwdSum = 0.0;
        for (int k = 0; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            const StepSwitching& step = steps[k];
            const double igbtConduction = step.igbtShare * sample.igbtConductionPower;
            const double fwdConduction = step.fwdShare * sample.fwdConductionPower;
            sample.igbtLoss = igbtConduction + (step.eon + step.eoff) * n * fo_;
            sample.fwdLoss = fwdConduction + n * fo_ * sample.fwdRecoveryEnergy;
            saturationSum += igbtConduction / n;
            onSum += step.eon;
            offSum += step.eoff;
            igbtSum += sample.igbtLoss / n;
            fwdSaturationSum += fwdConduction / n;
            recoverySum += sample.fwdRecoveryEnergy;
            fwdSum += sample.fwdLoss / n;
        }
        figures_.loss.igbtSaturationLoss = saturationSum;
        figures_.loss.igbtTurnOnLoss = fo_ * onSum;
        figures_.loss.igbtTurnOffLoss = fo_ * offSum;
        figures_.igbtMeanLoss = igbtSum;
        figures_.loss.fwdSaturationLoss = fwdSaturationSum;
        figures_.loss.fwdRecoveryLoss = fo_ * recoverySum;
        figures_.fwdMeanLoss = fwdSum;
    }

    // The diode of the other switch position sees the same events half
    // an output period later. For odd N the spare entry N + 1 takes part.
    void moveFwdLoss() {
        const int half = n_ % 2 == 0 ? n_ / 2 : (n_ + 1) / 2;
        for (int j = 0; j <= half; ++j) {
            std::swap(waveform_[j].fwdLoss, waveform_[j + half].fwdLoss);
        }
        waveform_[n_].fwdLoss = waveform_[0].fwdLoss;
    }

    // The four networks' periodic rises over steps 0..N.
    bool temperatureRises(SolverPath path) {
        const std::size_t count = static_cast<std::size_t>(n_) + 1;
        std::vector<double> columns(9 * count);
        auto column = [&](int index) {
            return std::span<double>(columns.data() + index * count, count);
        };
        const std::span<double> time = column(0);
        const std::span<double> igbtLoss = column(1), fwdLoss = column(2), pairLoss = column(3),
                                heatsinkLoss = column(4);
        const std::span<double> igbtRise = column(5), fwdRise = column(6), caseFinRise = column(7),
                                finAmbientRise = column(8);
        for (std::size_t k = 0; k < count; ++k) {
            const PeriodSample& sample = waveform_[k];
            time[k] = sample.time;
            igbtLoss[k] = sample.igbtLoss;
            fwdLoss[k] = sample.fwdLoss;
            pairLoss[k] = sample.pairLoss;
            heatsinkLoss[k] = sample.heatsinkLoss;
        }
        const double igbtMean = figures_.igbtMeanLoss;
        const double fwdMean = figures_.fwdMeanLoss;
        const ResponseTask tasks[] = {
            {igbtLoss, igbtMean, &device_.igbtJunctionCase, igbtRise},
            {fwdLoss, fwdMean, &device_.fwdJunctionCase, fwdRise},
            {pairLoss, igbtMean + fwdMean, &device_.caseFin, caseFinRise},
            {heatsinkLoss, 6.0 * (igbtMean + fwdMean), &device_.finAmbient, finAmbientRise},
        };
        PeriodicResponseSolver solver(time, n_, 1.0 / fo_, harmonics_,
                                      ResponseWindow::OperatingPoint, path);
        if (!solver.solve(tasks)) {
            return false;
        }
        for (std::size_t k = 0; k < count; ++k) {
            PeriodSample& sample = waveform_[k];
            sample.igbtDeltaTjc = igbtRise[k];
            sample.fwdDeltaTjc = fwdRise[k];
            sample.deltaTcf = caseFinRise[k];
            sample.deltaTfa = finAmbientRise[k];
        }
        return true;
    }

    const OperatingCondition& condition_;
    const HeatsinkModel& heatsink_;
    DeviceCharacteristics device_;
    double fo_;
    int harmonics_;
    double m_;  // modulation rate M
    double irms_;
    double phi_ = 0.0;
    int grouping_ = 1;
    int n_ = 0;
    std::vector<PeriodSample> waveform_;
    RunFigures figures_;
};

double positiveOrZero(double value) {
    return value > 0.0 ? value : 0.0;
}

// A loss that rounding leaves a hair below 0 (a vanishing current times a
// duty) is none: it would show as "-0.00".
LossResult runLosses(const LossResult& raw) {
    LossResult loss;
    loss.igbtSaturationLoss = positiveOrZero(raw.igbtSaturationLoss);
    loss.igbtTurnOnLoss = positiveOrZero(raw.igbtTurnOnLoss);
    loss.igbtTurnOffLoss = positiveOrZero(raw.igbtTurnOffLoss);
    loss.fwdSaturationLoss = positiveOrZero(raw.fwdSaturationLoss);
    loss.fwdRecoveryLoss = positiveOrZero(raw.fwdRecoveryLoss);
    return loss;
}

// Runs the operating point at the output frequency fo, a steady run or a
// load-cycle mode's, when its inputs allow it, and hands the run to use.
template <typename Use>
bool runOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                       const DeviceParamRecord& params, const HeatsinkModel& heatsink, double fo,
                       bool steady, SolverPath path, Use&& use) {
    if (!conditionComputable(condition, fo, limits, params, heatsink)) return false;
    OperatingPointRun run(condition, limits, params, heatsink, fo,
                          steady ? engine::kSteadyHarmonics : engine::kModeRunHarmonics);
    if (!run.run(steady, path)) return false;
    use(run);
    return true;
}

// The figures of a steady run, taken out of the run.
void steadyFigures(OperatingPointRun& run, const HeatsinkModel& heatsink, SteadyResult& result) {
    LossResult loss = runLosses(run.figures().loss);
    // The turn-off loss of a steady run counts from 0.01 W.
    if (run.figures().loss.igbtTurnOffLoss < 0.01) loss.igbtTurnOffLoss = 0.0;

    TemperatureResult temperature;
    temperature.igbtDeltaTjcMax = positiveOrZero(run.maxOfField(&PeriodSample::igbtDeltaTjc));
    temperature.igbtDeltaTjcMin = positiveOrZero(run.minOfField(&PeriodSample::igbtDeltaTjc));
    temperature.igbtDeltaTjcAve = positiveOrZero(run.meanOfField(&PeriodSample::igbtDeltaTjc));
    temperature.fwdDeltaTjcMax = positiveOrZero(run.maxOfField(&PeriodSample::fwdDeltaTjc));
    temperature.fwdDeltaTjcMin = positiveOrZero(run.minOfField(&PeriodSample::fwdDeltaTjc));
    temperature.fwdDeltaTjcAve = positiveOrZero(run.meanOfField(&PeriodSample::fwdDeltaTjc));
    temperature.tcMax = run.maxOfField(&PeriodSample::tc);
    temperature.tcAve = run.meanOfField(&PeriodSample::tc);
    temperature.tfMax = run.maxOfField(&PeriodSample::tf);
    temperature.tfAve = run.meanOfField(&PeriodSample::tf);
    temperature.igbtTjMax = run.maxOfField(&PeriodSample::igbtTj);
    temperature.fwdTjMax = run.maxOfField(&PeriodSample::fwdTj);
    temperature.ambientTemperature = heatsink.ambientTemperature;

    result.loss = loss;
    result.temperature = temperature;
    result.waveform = std::move(run.waveform());
}

// The figures of a load-cycle mode's run at its start or end frequency.
void modeFigures(const OperatingPointRun& run, bool useEndFrequency, bool averageTj,
                 ModeRunResult& result) {
    ModeRunResult mode;
    mode.igbtDeltaTjcMax = run.maxOfField(&PeriodSample::igbtDeltaTjc);
    mode.fwdDeltaTjcMax = run.maxOfField(&PeriodSample::fwdDeltaTjc);
    const LossResult loss = runLosses(run.figures().loss);
    mode.igbtSaturationLoss = loss.igbtSaturationLoss;
    mode.igbtTurnOnLoss = loss.igbtTurnOnLoss;
    mode.igbtTurnOffLoss = loss.igbtTurnOffLoss;
    mode.fwdSaturationLoss = loss.fwdSaturationLoss;
    mode.fwdRecoveryLoss = loss.fwdRecoveryLoss;
    mode.igbtLoss = mode.igbtTurnOffLoss + mode.igbtTurnOnLoss + mode.igbtSaturationLoss;
    mode.fwdLoss = mode.fwdSaturationLoss + mode.fwdRecoveryLoss;
    const double igbtRise =
        averageTj ? run.meanOfField(&PeriodSample::igbtDeltaTjc) : mode.igbtDeltaTjcMax;
    const double fwdRise =
        averageTj ? run.meanOfField(&PeriodSample::fwdDeltaTjc) : mode.fwdDeltaTjcMax;
    if (useEndFrequency) {
        mode.igbtDeltaTjcEnd = igbtRise;
        mode.fwdDeltaTjcEnd = fwdRise;
    } else {
        mode.igbtDeltaTjcStart = igbtRise;
        mode.fwdDeltaTjcStart = fwdRise;
    }

    result = mode;
}

}  // namespace

bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             SteadyResult& result, SolverPath path) {
    return runOperatingPoint(condition, limits, params, heatsink, condition.outputFrequency, true,
                             path,
                             [&](OperatingPointRun& run) { steadyFigures(run, heatsink, result); });
}

bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             bool useEndFrequency, bool averageTj, ModeRunResult& result,
                             std::vector<PeriodSample>& waveform, SolverPath path) {
    const double fo = useEndFrequency ? condition.frequencyEnd : condition.frequencyStart;
    return runOperatingPoint(condition, limits, params, heatsink, fo, false, path,
                             [&](OperatingPointRun& run) {
                                 modeFigures(run, useEndFrequency, averageTj, result);
                                 waveform = std::move(run.waveform());
                             });
}

}  // namespace thermalyx
