#include "engine/periodic_response.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

namespace thermalyx {
namespace {

using namespace test;

constexpr double kPi = std::numbers::pi;

// Grid times t_j = (T * j) / n, as the operating point forms them.
std::vector<double> gridTimes(int n, double period) {
    std::vector<double> time(n + 1);
    for (int j = 0; j <= n; ++j) {
        time[j] = period * j / n;
    }
    return time;
}

// Grid times of the load cycle: g * T * (1/600).
std::vector<double> cycleTimes(double period) {
    std::vector<double> time(601);
    for (int g = 0; g <= 600; ++g) {
        time[g] = g * period * 0.0016666666666666668;
    }
    return time;
}

std::vector<double> solve(const std::vector<double>& loss, const std::vector<double>& time,
                          double period, double mean, int harmonics, const FosterNetwork& network,
                          ResponseWindow window, SolverPath path) {
    const int n = static_cast<int>(loss.size()) - 1;
    std::vector<double> rise(loss.size(), std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(
        solvePeriodicResponse(loss, time, n, period, mean, harmonics, network, window, rise, path));
    return rise;
}

FosterNetwork network(std::initializer_list<FosterStage> stages) {
    FosterNetwork result{};
    std::copy(stages.begin(), stages.end(), result.begin());
    return result;
}

// The loss held over each interval [t_j, t_j+1), j = 0..n-1, as the solver
// sees it: the operating point leaves the first interval without loss.
std::vector<double> heldLoss(const std::vector<double>& loss, ResponseWindow window) {
    const int n = static_cast<int>(loss.size()) - 1;
    std::vector<double> held(loss.begin(), loss.begin() + n);
    if (window == ResponseWindow::OperatingPoint) {
        held[0] = 0.0;
    }
    return held;
}

double meanOf(const std::vector<double>& held) {
    double sum = 0.0;
    for (double q : held) sum += q;
    return sum / static_cast<double>(held.size());
}

// D_k = sum over the jumps of the held loss of jump_j * e^(-i 2 pi k j / n).
// The harmonic h of a staircase on the grid has the complex amplitude
// F_h = D_(h mod n) / (i 2 pi h); its real amplitude is |D| / (pi h).
std::vector<std::complex<double>> jumpSpectrum(const std::vector<double>& held) {
    const int n = static_cast<int>(held.size());
    std::vector<std::complex<double>> spectrum(n);
    for (int k = 0; k < n; ++k) {
        std::complex<double> sum = 0.0;
        for (int j = 0; j < n; ++j) {
            const double jump = held[j] - held[(j + n - 1) % n];
            sum += jump * std::polar(1.0, -2.0 * kPi * static_cast<double>(k) * j / n);
        }
        spectrum[k] = sum;
    }
    return spectrum;
}

// A bound on what the harmonics above H contribute to the rise at any time.
double truncationBound(const std::vector<double>& held, const FosterNetwork& stages, double period,
                       int harmonics) {
    const int n = static_cast<int>(held.size());
    const auto spectrum = jumpSpectrum(held);
    const double omega = 2.0 * kPi / period;
    const int last = 2'000'000;
    double bound = 0.0;
    for (int h = harmonics + 1; h <= last; ++h) {
        double gain = 0.0;
        for (const FosterStage& stage : stages) {
            const double x = h * stage.timeConstant * omega;
            gain += std::fabs(stage.resistance) / std::sqrt(1.0 + x * x);
        }
        bound += gain * std::abs(spectrum[h % n]) / (kPi * h);
    }
    // Beyond the last harmonic: |D| <= total variation, gain <= R / (h tau omega).
    double variation = 0.0;
    for (int j = 0; j < n; ++j) variation += std::fabs(held[j] - held[(j + n - 1) % n]);
    for (const FosterStage& stage : stages) {
        bound += std::fabs(stage.resistance) * variation /
                 (kPi * stage.timeConstant * omega * static_cast<double>(last));
    }
    return bound;
}

// Brute force: every stage integrated exactly over each interval (the loss is
// constant there), period after period until the state repeats. Returns the
// rise at t_0..t_n.
std::vector<double> timeSteppedRise(const std::vector<double>& held, const FosterNetwork& stages,
                                    double period) {
    const int n = static_cast<int>(held.size());
    const double dt = period / n;
    std::vector<double> total(n + 1, 0.0);
    for (const FosterStage& stage : stages) {
        if (stage.resistance == 0.0) continue;
        const double decay = std::exp(-dt / stage.timeConstant);
        std::vector<double> theta(n + 1, 0.0);
        double start = 0.0;
        for (int periods = 0; periods < 1'000'000; ++periods) {
            theta[0] = start;
            for (int j = 0; j < n; ++j) {
                const double target = stage.resistance * held[j];
                theta[j + 1] = target + (theta[j] - target) * decay;
            }
            const bool settled = std::fabs(theta[n] - start) <= 1e-14 * (1.0 + std::fabs(start));
            start = theta[n];
            if (settled) break;
        }
        for (int j = 0; j <= n; ++j) total[j] += theta[j];
    }
    return total;
}

struct PhysicsCase {
    const char* name;
    ResponseWindow window;
    int n;
    double period;
    int harmonics;
    FosterNetwork stages;
};

void PrintTo(const PhysicsCase& c, std::ostream* os) {
    *os << c.name;
}

class PhysicsCheckTest : public ::testing::TestWithParam<PhysicsCase> {};

// The periodic response of a Foster network to a repeating loss, against a
// time-stepped integration of the same network run until it settles. The
// reference carries the solver's deliberate choices: the operating point's
// first interval carries no loss, and sample j is reported at t_(j-1) (sample
// 0 at t_(n-1)). What is left is the truncation at H harmonics, bounded from
// the staircase's own spectrum.
TEST_P(PhysicsCheckTest, MatchesTimeSteppedIntegration) {
    const PhysicsCase& c = GetParam();
    const int n = c.n;
    std::vector<double> loss(n + 1);
    if (c.window == ResponseWindow::OperatingPoint) {
        // An IGBT-like loss: a distorted half wave on a small floor.
        for (int j = 0; j <= n; ++j) {
            const double angle = 2.0 * kPi * j / n;
            loss[j] = 4.0 + 90.0 * std::max(0.0, std::sin(angle - 0.4)) +
                      25.0 * std::max(0.0, std::sin(2.0 * angle));
        }
    } else {
        // A load cycle: five modes of constant loss.
        const double modeLoss[5] = {40.0, 180.0, 75.0, 0.0, 120.0};
        const int modeEnd[5] = {90, 210, 330, 455, 600};
        int mode = 0;
        for (int g = 0; g <= n; ++g) {
            while (g > modeEnd[mode]) ++mode;
            loss[g] = modeLoss[mode];
        }
    }
    const std::vector<double> time =
        c.window == ResponseWindow::OperatingPoint ? gridTimes(n, c.period) : cycleTimes(c.period);
    const std::vector<double> held = heldLoss(loss, c.window);
    const double mean = meanOf(held);
    const std::vector<double> reference = timeSteppedRise(held, c.stages, c.period);
    const double tolerance = truncationBound(held, c.stages, c.period, c.harmonics) + 1e-9;

    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const std::vector<double> rise =
            solve(loss, time, c.period, mean, c.harmonics, c.stages, c.window, path);
        double worst = 0.0;
        for (int j = 0; j <= n; ++j) {
            const double expected = reference[j == 0 ? n - 1 : j - 1];
            worst = std::max(worst, std::fabs(rise[j] - expected));
        }
        EXPECT_LE(worst, tolerance) << c.name;
        // The bound must be tight enough to mean something: well below the
        // ripple, and below what reporting each sample at its own time would
        // change.
        double ripple = 0.0;
        double shift = 0.0;
        for (int j = 0; j <= n; ++j) {
            ripple = std::max(ripple, std::fabs(reference[j] - reference[0]));
            if (j >= 1) shift = std::max(shift, std::fabs(reference[j] - reference[j - 1]));
        }
        EXPECT_LT(tolerance, 0.05 * ripple) << c.name;
        EXPECT_LT(tolerance, 0.5 * shift) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Networks, PhysicsCheckTest,
    ::testing::Values(
        PhysicsCase{"junction", ResponseWindow::OperatingPoint, 200, 0.02, 51,
                    FosterNetwork{{{0.011, 0.001}, {0.055, 0.01}, {0.099, 0.1}, {0.055, 1.0}}}},
        PhysicsCase{"slow output", ResponseWindow::OperatingPoint, 333, 0.1, 51,
                    FosterNetwork{{{0.02, 0.004}, {0.06, 0.01}, {0.1, 0.1}, {0.04, 1.0}}}},
        PhysicsCase{"cycle", ResponseWindow::LoadCycle, 600, 20.0, 255,
                    FosterNetwork{{{0.012, 2.0}, {0.035, 15.0}, {0.06, 60.0}, {0.043, 240.0}}}}),
    [](const ::testing::TestParamInfo<PhysicsCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(PeriodicResponseTest, ConstantLossDipsOncePerPeriodAfterTheEmptyFirstInterval) {
    const int n = 200;
    const double period = 0.02;
    const std::vector<double> loss(n + 1, 50.0);
    const FosterNetwork stages = network({{0.2, 0.001}});
    const std::vector<double> rise = solve(loss, gridTimes(n, period), period, 50.0, 51, stages,
                                           ResponseWindow::OperatingPoint, SolverPath::Literal);
    // The steady part is Pm * R; the interval from t_0 to t_1 has no loss, so
    // the rise dips at t_1, which sample 2 reports (51 harmonics smear the dip
    // over a few samples).
    const auto lowest = std::min_element(rise.begin(), rise.end()) - rise.begin();
    EXPECT_GE(lowest, 1);
    EXPECT_LE(lowest, 4);
    EXPECT_LT(rise[lowest], 10.0 - 0.5);
    double mean = 0.0;
    for (double r : rise) mean += r;
    mean /= rise.size();
    EXPECT_NEAR(mean, 10.0, 0.2);
    // Far from the dip the rise sits near Pm * R.
    for (int j = n / 4; j <= 3 * n / 4; ++j) {
        EXPECT_NEAR(rise[j], 10.0, 0.1) << j;
    }
}

TEST(PeriodicResponseTest, NetworkWithoutResistanceGivesNoRise) {
    const int n = 120;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = 30.0 + 20.0 * std::sin(0.3 * j);
    const FosterNetwork stages = network({{0.0, 0.001}, {0.0, 0.01}, {0.0, 0.1}, {0.0, 1.0}});
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const std::vector<double> rise = solve(loss, gridTimes(n, 0.05), 0.05, 30.0, 51, stages,
                                               ResponseWindow::OperatingPoint, path);
        for (double r : rise) EXPECT_EQ(r, 0.0);
    }
}

TEST(PeriodicResponseTest, StageWithoutResistanceIsSkippedWhateverItsTimeConstant) {
    const int n = 100;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = 10.0 + (j % 7);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FosterNetwork with = network({{0.1, 0.01}, {0.0, nan}, {0.0, -5.0}, {0.3, 0.2}});
    const FosterNetwork without = network({{0.1, 0.01}, {0.3, 0.2}});
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const auto a = solve(loss, gridTimes(n, 0.1), 0.1, 12.0, 51, with,
                             ResponseWindow::OperatingPoint, path);
        const auto b = solve(loss, gridTimes(n, 0.1), 0.1, 12.0, 51, without,
                             ResponseWindow::OperatingPoint, path);
        EXPECT_EQ(a, b);
    }
}

TEST(PeriodicResponseTest, ZeroTimeConstantPassesEveryHarmonicUnattenuated) {
    // With tau = 0 the rise is R times the loss's truncated Fourier series,
    // formed here from the staircase's jumps, at the previous sample's time.
    const int n = 90;
    const double period = 0.25;
    const int harmonics = 51;
    const double resistance = 0.4;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = 20.0 + 15.0 * std::cos(0.21 * j) + (j % 5);
    const auto held = heldLoss(loss, ResponseWindow::OperatingPoint);
    const double mean = meanOf(held);
    const auto spectrum = jumpSpectrum(held);
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const auto rise = solve(loss, gridTimes(n, period), period, mean, harmonics,
                                network({{resistance, 0.0}}), ResponseWindow::OperatingPoint, path);
        for (int j = 0; j <= n; ++j) {
            const double t = period * (j - 1) / n;
            double series = mean;
            for (int h = 1; h <= harmonics; ++h) {
                const std::complex<double> amplitude =
                    spectrum[h % n] / std::complex<double>(0.0, 2.0 * kPi * h);
                series += 2.0 * (amplitude * std::polar(1.0, 2.0 * kPi * h * t / period)).real();
            }
            EXPECT_NEAR(rise[j], resistance * series, 1e-9) << j;
        }
    }
}

TEST(PeriodicResponseTest, HugeTimeConstantGivesTheSteadyRiseWithoutRipple) {
    const int n = 200;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = 100.0 * std::max(0.0, std::sin(2.0 * kPi * j / n));
    const FosterNetwork stages = network({{0.5, 1e9}});
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const auto rise = solve(loss, gridTimes(n, 0.02), 0.02, 31.8, 51, stages,
                                ResponseWindow::OperatingPoint, path);
        for (double r : rise) EXPECT_NEAR(r, 0.5 * 31.8, 1e-6);
    }
}

TEST(PeriodicResponseTest, NoHarmonicsLeaveOnlyTheSteadyRise) {
    const int n = 50;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = j;
    const FosterNetwork stages = network({{0.1, 0.001}, {0.2, 0.01}, {0.0, 0.1}, {0.4, 1.0}});
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        const auto rise = solve(loss, gridTimes(n, 1.0), 1.0, 7.0, 0, stages,
                                ResponseWindow::OperatingPoint, path);
        for (double r : rise) EXPECT_EQ(r, 7.0 * 0.1 + 7.0 * 0.2 + 7.0 * 0.4);
    }
}

TEST(PeriodicResponseTest, ArgumentsItCannotSolveWriteNothing) {
    const FosterNetwork stages = network({{0.1, 0.01}});
    const std::vector<double> loss(11, 1.0);
    const std::vector<double> time = gridTimes(10, 1.0);
    std::vector<double> rise(11, -7.0);
    const auto untouched = [&] {
        return std::all_of(rise.begin(), rise.end(), [](double r) { return r == -7.0; });
    };
    const auto op = ResponseWindow::OperatingPoint;
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 0, 1.0, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 11, 1.0, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, 0.0, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, -1.0, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, std::numeric_limits<double>::infinity(), 1.0,
                                       5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, 1e-320, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, 1.0, 1.0, -1, stages, op, rise));
    // The load cycle's angles are fixed to 600 intervals.
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, 1.0, 1.0, 5, stages,
                                       ResponseWindow::LoadCycle, rise));
    std::vector<double> shortRise(10);
    EXPECT_FALSE(solvePeriodicResponse(loss, time, 10, 1.0, 1.0, 5, stages, op, shortRise));
    std::vector<double> badTime = time;
    badTime[3] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(solvePeriodicResponse(loss, badTime, 10, 1.0, 1.0, 5, stages, op, rise));
    EXPECT_TRUE(untouched());
    EXPECT_TRUE(solvePeriodicResponse(loss, time, 10, 1.0, 1.0, 5, stages, op, rise));
    EXPECT_FALSE(untouched());
}

// The fast path against the literal evaluation, over many random waveforms,
// networks, step counts and harmonic counts, for both windows.
TEST(PeriodicResponseTest, FastPathAgreesWithTheLiteralEvaluation) {
    std::mt19937_64 random(20240611);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    int compared = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const bool cycle = trial % 10 == 9;
        const int n = cycle ? 600 : 1 + static_cast<int>(random() % 600);
        const int harmonics = cycle ? 255 : static_cast<int>(random() % 53);
        const double period = std::exp(uniform(std::log(0.0025), std::log(cycle ? 5000.0 : 10.0)));
        std::vector<double> loss(n + 1);
        const int shape = static_cast<int>(random() % 3);
        for (int j = 0; j <= n; ++j) {
            const double angle = 2.0 * kPi * j / n;
            loss[j] = shape == 0   ? uniform(0.0, 300.0)
                      : shape == 1 ? 50.0 + 40.0 * std::sin(angle + 1.0) + uniform(-1.0, 1.0)
                                   : (j * 7 / std::max(1, n)) % 2 * uniform(0.0, 80.0);
        }
        FosterNetwork stages{};
        for (FosterStage& stage : stages) {
            stage.resistance = random() % 5 == 0 ? 0.0 : uniform(0.0, 0.5);
            stage.timeConstant = std::exp(uniform(std::log(1e-5), std::log(500.0)));
        }
        const double mean = uniform(0.0, 200.0);
        const ResponseWindow window =
            cycle ? ResponseWindow::LoadCycle : ResponseWindow::OperatingPoint;
        const std::vector<double> time = cycle ? cycleTimes(period) : gridTimes(n, period);
        PeriodicResponseSolver fast(time, n, period, harmonics, window, SolverPath::Fast);
        ASSERT_TRUE(fast.usesTables());
        const auto a = solve(loss, time, period, mean, harmonics, stages, window, SolverPath::Fast);
        const auto b =
            solve(loss, time, period, mean, harmonics, stages, window, SolverPath::Literal);
        for (int j = 0; j <= n; ++j) {
            ASSERT_TRUE(agrees(a[j], b[j])) << "trial " << trial << " n " << n << " H " << harmonics
                                            << " j " << j << ": " << a[j] << " vs " << b[j];
            ++compared;
        }
    }
    EXPECT_GT(compared, 40'000);
}

TEST(PeriodicResponseTest, TimesOffTheGridAreEvaluatedLiterally) {
    const int n = 40;
    std::vector<double> time = gridTimes(n, 1.0);
    time[17] += 1e-6;
    std::vector<double> loss(n + 1);
    for (int j = 0; j <= n; ++j) loss[j] = 5.0 + j % 3;
    const FosterNetwork stages = network({{0.3, 0.05}, {0.1, 0.5}});
    PeriodicResponseSolver solver(time, n, 1.0, 21, ResponseWindow::OperatingPoint,
                                  SolverPath::Fast);
    EXPECT_FALSE(solver.usesTables());
    const auto a =
        solve(loss, time, 1.0, 5.9, 21, stages, ResponseWindow::OperatingPoint, SolverPath::Fast);
    const auto b = solve(loss, time, 1.0, 5.9, 21, stages, ResponseWindow::OperatingPoint,
                         SolverPath::Literal);
    EXPECT_EQ(a, b);
}

TEST(PeriodicResponseTest, SeveralWaveformsInOneCallMatchOneAtATime) {
    const int n = 150;
    const std::vector<double> time = gridTimes(n, 0.04);
    std::vector<std::vector<double>> losses(6, std::vector<double>(n + 1));
    for (int w = 0; w < 6; ++w) {
        for (int j = 0; j <= n; ++j) losses[w][j] = (w + 1) * 10.0 + std::sin(0.1 * j * (w + 1));
    }
    const FosterNetwork stages = network({{0.05, 0.001}, {0.1, 0.02}, {0.2, 0.3}});
    std::vector<std::vector<double>> together(6, std::vector<double>(n + 1));
    std::vector<ResponseTask> tasks;
    for (int w = 0; w < 6; ++w) {
        tasks.push_back({losses[w], 10.0 * w, &stages, together[w]});
    }
    for (SolverPath path : {SolverPath::Literal, SolverPath::Fast}) {
        PeriodicResponseSolver solver(time, n, 0.04, 51, ResponseWindow::OperatingPoint, path);
        ASSERT_TRUE(solver.solve(tasks));
        for (int w = 0; w < 6; ++w) {
            EXPECT_EQ(together[w], solve(losses[w], time, 0.04, 10.0 * w, 51, stages,
                                         ResponseWindow::OperatingPoint, path));
        }
    }
}

}  // namespace
}  // namespace thermalyx
