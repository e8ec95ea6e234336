#include "engine/operating_point.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

#include "engine/device_characteristics.h"
#include "engine/engine_constants.h"
#include "engine/periodic_response.h"

namespace thermalyx {

namespace {

using engine::kHalfPi;
using engine::kPi;
using engine::kPiOverSix;
using engine::kThreeOverPi;
using engine::kTwoPi;

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Everything the engine reads, apart from the output frequency, which the two
// overloads take from different fields.
bool conditionComputable(const OperatingCondition& condition, double outputFrequency,
                         const ConditionLimits& limits, const DeviceParamRecord& params,
                         const HeatsinkModel& heatsink) {
    const double inputs[] = {outputFrequency,
                             condition.outputCurrentRms,
                             condition.carrierFrequency,
                             condition.powerFactor,
                             condition.modulationRate,
                             condition.dcVoltage,
                             condition.rgOn,
                             condition.rgOff,
                             limits.dcVoltageDefault,
                             limits.gateResistanceDefault,
                             heatsink.ambientTemperature};
    if (!allFinite(inputs)) {
        return false;
    }
    // values[0] has no meaning for the engine and no effect on any result.
    if (!allFinite(std::span<const double>(params.values).subspan(1)) ||
        !allFinite(heatsink.caseFinFraction) || !allFinite(heatsink.caseFinTimeConstant) ||
        !allFinite(heatsink.rth) || !allFinite(heatsink.tth)) {
        return false;
    }
    if (condition.modulation != kModulationTwoArms &&
        condition.modulation != kModulationThreeArms) {
        return false;
    }
    if (!(condition.powerFactor >= -1.0 && condition.powerFactor <= 1.0)) {
        return false;
    }
    if (!(limits.dcVoltageDefault > 0.0) || !(limits.gateResistanceDefault > 0.0)) {
        return false;
    }
    PeriodDiscretisation period;
    return discretisePeriod(condition.carrierFrequency, outputFrequency, period);
}

// The phase angle by which the current lags the voltage: the arc cosine of pf,
// formed as an arc tangent.
double lagAngle(double pf) {
    if (pf == 0.0) {
        return kHalfPi;
    }
    const double square = pf * pf;
    // A power factor so small that its square is 0 lies a quarter period away.
    const double tangent =
        square == 0.0 ? std::numeric_limits<double>::infinity() : std::sqrt(1.0 / square - 1.0);
    return pf > 0.0 ? std::atan(tangent) : kPi - std::atan(tangent);
}

// The carrier of fine sample i (1-based): 1 at the peak of the rising quarter.
double carrierAt(int i) {
    return i % 4 == 2 ? 1.0 : 0.0;
}

// The figures of one run before any limiting.
struct RunFigures {
    double igbtSaturationLoss = 0.0;
    double igbtTurnOnLoss = 0.0;
    double igbtTurnOffLoss = 0.0;
    double fwdSaturationLoss = 0.0;
    double fwdRecoveryLoss = 0.0;
    double igbtMeanLoss = 0.0;
    double fwdMeanLoss = 0.0;
};

// One switching interval of the carrier: where the reference crosses it.
struct Crossing {
    double angle = 0.0;
    double current = 0.0;
    bool clamped = false;
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

    double maxOfField(double PeriodSample::*field) const {
        double best = waveform_[0].*field;
        for (int k = 1; k <= n_; ++k) {
            if (waveform_[k].*field > best) {
                best = waveform_[k].*field;
            }
        }
        return best;
    }
    double minOfField(double PeriodSample::*field) const {
        double best = waveform_[0].*field;
        for (int k = 1; k <= n_; ++k) {
            if (waveform_[k].*field < best) {
                best = waveform_[k].*field;
            }
        }
        return best;
    }
    double meanOfField(double PeriodSample::*field) const {
        double sum = 0.0;
        for (int k = 0; k <= n_; ++k) {
            sum += waveform_[k].*field;
        }
        return sum / (n_ + 1);
    }

private:
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

    // θ_i of fine sample i = 1..4N.
    double fineAngle(int i) const { return kTwoPi * (i - 1) / (4 * n_); }

    double phaseCurrent(double theta) const {
        return std::sqrt(2.0) * irms_ * std::sin(theta - phi_);
    }

    // The modulation reference over one fine interval, at its two ends.
    struct Reference {
        double ra = 0.0;
        double rb = 0.0;
        bool clamped = false;
    };

    // Two-arm modulation: each arm in turn is held at a rail for 60 degrees.
    // The value of the sector's line at angle theta; sectors 2 and 5 are held.
    double twoArmLine(int sector, double theta) const {
        const double m = m_;
        const double root3 = std::sqrt(3.0);
        switch (sector) {
            case 1:
                return root3 * std::sin(theta + kPiOverSix) * m - 1;
            case 3:
                return root3 * std::sin(theta - kPiOverSix) * m - 1;
            case 4:
                return root3 * std::sin(theta + kPiOverSix) * m + 1;
            case 6:
                return root3 * std::sin(theta - kPiOverSix) * m + 1;
            case 2:
                return 1.0;
            default:
                return -1.0;
        }
    }

    static int sectorOf(double theta) {
        return std::clamp(static_cast<int>(theta * kThreeOverPi + 1), 1, 6);
    }

    // The references of carrier period k over its rising interval 4k - 3 and
    // its falling interval 4k - 2. Both intervals share the angle θ_(4k-2);
    // its sine is formed once.
    void periodReferences(int k, Reference& rising, Reference& falling) const {
        const int i = 4 * k - 3;
        const double theta1 = fineAngle(i);
        const double theta2 = fineAngle(i + 1);
        const double theta3 = fineAngle(i + 2);
        if (condition_.modulation == kModulationThreeArms) {
            const double m = m_;
            const double middle = m * std::sin(theta2);
            rising = {m * std::sin(theta1), middle, false};
            falling = {middle, m * std::sin(theta3), false};
            // "3 arms" limits only values beyond the rails.
            for (Reference* r : {&rising, &falling}) {
                for (double* v : {&r->ra, &r->rb}) {
                    if (*v > 1.0) {
                        *v = 1.0;
                        r->clamped = true;
                    } else if (*v < -1.0) {
                        *v = -1.0;
                        r->clamped = true;
                    }
                }
            }
            return;
        }
        // The sector of an interval's start decides for both its ends.
        const int risingSector = sectorOf(theta1);
        const int fallingSector = sectorOf(theta2);
        rising.ra = twoArmLine(risingSector, theta1);
        rising.rb = twoArmLine(risingSector, theta2);
        falling.ra = fallingSector == risingSector ? rising.rb : twoArmLine(fallingSector, theta2);
        falling.rb = twoArmLine(fallingSector, theta3);
        rising.clamped = risingSector == 2 || risingSector == 5;
        falling.clamped = fallingSector == 2 || fallingSector == 5;
        // "2 arms" limits values at the rails too.
        for (Reference* r : {&rising, &falling}) {
            for (double* v : {&r->ra, &r->rb}) {
                if (*v >= 1.0) {
                    *v = 1.0;
                    r->clamped = true;
                } else if (*v <= -1.0) {
                    *v = -1.0;
                    r->clamped = true;
                }
            }
        }
    }

    // Where the carrier line and the reference line over interval i meet; not
    // limited to the interval. Parallel lines meet nowhere: taken at θ_i.
    Crossing crossing(int i, const Reference& reference) const {
        Crossing result;
        result.clamped = reference.clamped;
        const double ra = reference.ra;
        const double rb = reference.rb;
        const double thetaA = fineAngle(i);
        const double thetaB = fineAngle(i + 1);
        const double ca = carrierAt(i);
        const double cb = carrierAt(i + 1);
        const double dTheta = thetaB - thetaA;
        const double j = (cb - ca) / dTheta;
        const double k = (rb - ra) / dTheta;
        result.angle = k == j ? thetaA : ((ca - j * thetaA) - (ra - k * thetaA)) / (k - j);
        result.current = phaseCurrent(result.angle);
        return result;
    }

    // The pulse-width modulated period: switching instants, energies and
    // conduction of every carrier period, then the step losses and figures.
    void switchedLosses() {
        phi_ = lagAngle(condition_.powerFactor);
        const double m = grouping_;
        std::vector<double> eon(static_cast<std::size_t>(n_) + 1, 0.0);
        std::vector<double> eoff(static_cast<std::size_t>(n_) + 1, 0.0);
        for (int k = 1; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            // Rising carrier: the IGBT turns off; falling carrier: it turns on,
            // and the opposite diode recovers.
            Reference rising;
            Reference falling;
            periodReferences(k, rising, falling);
            const Crossing off = crossing(4 * k - 3, rising);
            const Crossing on = crossing(4 * k - 2, falling);
            sample.offAngle = on.angle - off.angle;
            eoff[k] = off.clamped || off.current < 0 ? 0.0 : m * device_.turnOffEnergy(off.current);
            if (on.clamped || on.current < 0) {
                eon[k] = 0.0;
                sample.fwdRecoveryEnergy = 0.0;
            } else {
                eon[k] = m * device_.turnOnEnergy(on.current);
                sample.fwdRecoveryEnergy = m * device_.recoveryEnergy(on.current);
            }
            const double ic = phaseCurrent(fineAngle(4 * k));
            sample.igbtConductionPower = ic < 0 ? 0.0 : device_.igbtSaturationVoltage(ic) * ic;
            const double iF = phaseCurrent(fineAngle(4 * k - 2));
            sample.fwdConductionPower =
                iF < 0 || on.clamped ? 0.0 : device_.fwdForwardVoltage(iF) * iF;
        }

        const double delta = kTwoPi / n_;
        const double n = n_;
        double saturationSum = 0.0, onSum = 0.0, offSum = 0.0, igbtSum = 0.0;
        double fwdSaturationSum = 0.0, recoverySum = 0.0, fwdSum = 0.0;
        for (int k = 0; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            const double duty = 1 - sample.offAngle / delta;
            sample.igbtLoss = duty * sample.igbtConductionPower + (eon[k] + eoff[k]) * n * fo_;
            sample.fwdLoss = sample.offAngle / delta * sample.fwdConductionPower +
                             n * fo_ * sample.fwdRecoveryEnergy;
            saturationSum += duty * sample.igbtConductionPower / n;
            onSum += eon[k];
            offSum += eoff[k];
            igbtSum += sample.igbtLoss / n;
            fwdSaturationSum += sample.offAngle / delta * sample.fwdConductionPower / n;
            recoverySum += sample.fwdRecoveryEnergy;
            fwdSum += sample.fwdLoss / n;
        }
        figures_.igbtSaturationLoss = saturationSum;
        figures_.igbtTurnOnLoss = fo_ * onSum;
        figures_.igbtTurnOffLoss = fo_ * offSum;
        figures_.igbtMeanLoss = igbtSum;
        figures_.fwdSaturationLoss = fwdSaturationSum;
        figures_.fwdRecoveryLoss = fo_ * recoverySum;
        figures_.fwdMeanLoss = fwdSum;
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
        const double eon = switching && forward ? m * device_.turnOnEnergy(irms_) : 0.0;
        const double eoff = switching && forward ? m * device_.turnOffEnergy(irms_) : 0.0;
        const double recovery = switching && forward ? m * device_.recoveryEnergy(irms_) : 0.0;
        const double igbtDuty = std::clamp((rate + 1) * 0.5, 0.0, 1.0);
        const double fwdDuty = std::clamp(0.5 - 0.5 * rate, 0.0, 1.0);
        const double igbtPower =
            forward ? igbtDuty * device_.igbtSaturationVoltage(irms_) * irms_ : 0.0;
        const double fwdPower = forward ? fwdDuty * device_.fwdForwardVoltage(irms_) * irms_ : 0.0;

        const double n = n_;
        double saturationSum = 0.0, onSum = 0.0, offSum = 0.0, igbtSum = 0.0;
        double fwdSaturationSum = 0.0, recoverySum = 0.0, fwdSum = 0.0;
        for (int k = 0; k <= n_; ++k) {
            PeriodSample& sample = waveform_[k];
            sample.igbtConductionPower = igbtPower;
            sample.igbtLoss = sample.igbtConductionPower + (eon + eoff) * n * fo_;
            sample.fwdConductionPower = fwdPower;
            sample.fwdRecoveryEnergy = recovery;
            sample.fwdLoss = sample.fwdConductionPower + n * fo_ * sample.fwdRecoveryEnergy;
            saturationSum += sample.igbtConductionPower / n;
            onSum += eon;
            offSum += eoff;
            igbtSum += sample.igbtLoss / n;
            fwdSaturationSum += sample.fwdConductionPower / n;
            recoverySum += sample.fwdRecoveryEnergy;
            fwdSum += sample.fwdLoss / n;
        }
        figures_.igbtSaturationLoss = saturationSum;
        figures_.igbtTurnOnLoss = fo_ * onSum;
        figures_.igbtTurnOffLoss = fo_ * offSum;
        figures_.igbtMeanLoss = igbtSum;
        figures_.fwdSaturationLoss = fwdSaturationSum;
        figures_.fwdRecoveryLoss = fo_ * recoverySum;
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

}  // namespace

bool discretisePeriod(double carrierFrequency, double outputFrequency, PeriodDiscretisation& out) {
    if (!std::isfinite(carrierFrequency) || !std::isfinite(outputFrequency) ||
        !(outputFrequency > 0.0)) {
        return false;
    }
    const double carrierPeriods = carrierFrequency * 1000 / outputFrequency;
    // Fewer than one carrier period per output period leaves no step.
    if (!std::isfinite(carrierPeriods) || !(carrierFrequency * 1000 >= outputFrequency)) {
        return false;
    }
    // The period 1/fo and its step times must be finite too.
    if (!std::isfinite(1.0 / outputFrequency)) {
        return false;
    }
    const double grouping = carrierPeriods * engine::kOneOverThreeHundred;
    if (!(grouping < static_cast<double>(std::numeric_limits<int>::max()))) {
        return false;
    }
    int m = static_cast<int>(grouping);
    if (m < 1) {
        m = 1;
    }
    const int steps = static_cast<int>(carrierPeriods / m);
    if (steps < 1) {
        return false;
    }
    out.carrierPeriods = carrierPeriods;
    out.groupingFactor = m;
    out.steps = steps;
    return true;
}

bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             SteadyResult& result, SolverPath path) {
    const double fo = condition.outputFrequency;
    if (!conditionComputable(condition, fo, limits, params, heatsink)) {
        return false;
    }
    OperatingPointRun run(condition, limits, params, heatsink, fo, engine::kSteadyHarmonics);
    if (!run.run(true, path)) {
        return false;
    }
    const RunFigures& figures = run.figures();

    LossResult loss;
    loss.igbtSaturationLoss = positiveOrZero(figures.igbtSaturationLoss);
    loss.igbtTurnOnLoss = positiveOrZero(figures.igbtTurnOnLoss);
    loss.igbtTurnOffLoss = figures.igbtTurnOffLoss < 0.01 ? 0.0 : figures.igbtTurnOffLoss;
    loss.fwdSaturationLoss = positiveOrZero(figures.fwdSaturationLoss);
    loss.fwdRecoveryLoss = positiveOrZero(figures.fwdRecoveryLoss);

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
    return true;
}

bool calculateOperatingPoint(const OperatingCondition& condition, const ConditionLimits& limits,
                             const DeviceParamRecord& params, const HeatsinkModel& heatsink,
                             int /*modeNumber*/, bool useEndFrequency, bool averageTj,
                             ModeRunResult& result, std::vector<PeriodSample>& waveform,
                             SolverPath path) {
    const double fo = useEndFrequency ? condition.frequencyEnd : condition.frequencyStart;
    if (!conditionComputable(condition, fo, limits, params, heatsink)) {
        return false;
    }
    OperatingPointRun run(condition, limits, params, heatsink, fo, engine::kModeRunHarmonics);
    if (!run.run(false, path)) {
        return false;
    }
    const RunFigures& figures = run.figures();

    ModeRunResult mode;
    mode.igbtDeltaTjcMax = run.maxOfField(&PeriodSample::igbtDeltaTjc);
    mode.fwdDeltaTjcMax = run.maxOfField(&PeriodSample::fwdDeltaTjc);
    // As in a steady run, a loss that rounding leaves a hair below 0 (a
    // vanishing current times a duty) is none: it would show as "-0.00".
    mode.igbtSaturationLoss = positiveOrZero(figures.igbtSaturationLoss);
    mode.igbtTurnOnLoss = positiveOrZero(figures.igbtTurnOnLoss);
    mode.igbtTurnOffLoss = positiveOrZero(figures.igbtTurnOffLoss);
    mode.fwdSaturationLoss = positiveOrZero(figures.fwdSaturationLoss);
    mode.fwdRecoveryLoss = positiveOrZero(figures.fwdRecoveryLoss);
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
    waveform = std::move(run.waveform());
    return true;
}

}  // namespace thermalyx
