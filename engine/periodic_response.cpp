#include "engine/periodic_response.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/engine_constants.h"

namespace thermalyx {

namespace {

using engine::kOneOverPi;
using engine::kPi;
using engine::kPiOverSixHundred;
using engine::kTwoPi;

// The true 2*pi as a sum of two doubles, to reduce multiples of the stored 2*pi.
constexpr double kTrueTwoPiHigh = 6.283185307179586;
constexpr double kTrueTwoPiLow = 2.4492935982947064e-16;

// A time may sit this far (as a fraction of the period) from j*T/n and still
// count as a grid time: the angle error it makes stays far below 1e-9.
constexpr double kGridTolerance = 1e-14;

// The fast path solves up to this many waveforms in one pass.
constexpr int kMaxBatch = 4;

// Two doubles in one register; loads and stores need no alignment. Compilers
// without the vector extension get the same arithmetic, lane by lane.
#if (defined(__GNUC__) || defined(__clang__)) && !defined(THERMALYX_SCALAR_PAIRS)
using Pair = double __attribute__((vector_size(16)));
#else
struct Pair {
    double lane[2];
    double operator[](int i) const { return lane[i]; }
    friend Pair operator+(Pair a, Pair b) { return {a.lane[0] + b.lane[0], a.lane[1] + b.lane[1]}; }
    friend Pair operator-(Pair a, Pair b) { return {a.lane[0] - b.lane[0], a.lane[1] - b.lane[1]}; }
    friend Pair operator*(Pair a, Pair b) { return {a.lane[0] * b.lane[0], a.lane[1] * b.lane[1]}; }
    Pair& operator+=(Pair b) { return *this = *this + b; }
};
#endif

inline Pair loadPair(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void storePair(double* p, Pair v) {
    std::memcpy(p, &v, sizeof v);
}

}  // namespace

PeriodicResponseSolver::PeriodicResponseSolver(std::span<const double> time, int n, double period,
                                               int harmonics, ResponseWindow window,
                                               SolverPath path)
    : time_(time), n_(n), harmonics_(harmonics), window_(window) {
    if (n < 1 || harmonics < 0 || time.size() < static_cast<std::size_t>(n) + 1 ||
        !std::isfinite(period) || !(period > 0.0)) {
        return;
    }
    if (window == ResponseWindow::LoadCycle && n != engine::kCycleGridIntervals) {
        return;
    }
    omega_ = kTwoPi / period;
    if (!std::isfinite(omega_)) {
        return;
    }
    for (int j = 0; j <= n; ++j) {
        if (!std::isfinite(time[j])) {
            return;
        }
    }
    valid_ = true;

    if (path == SolverPath::Fast) {
        // The tables stand for the angles h*omega*t_j = 2*pi*h*j/n, which hold
        // only for times on the grid.
        useTables_ = true;
        for (int j = 0; j <= n && useTables_; ++j) {
            const double expected = static_cast<double>(j) * period / n;
            useTables_ = std::fabs(time[j] - expected) <= kGridTolerance * period;
        }
        if (useTables_) {
            buildTables();
        }
    }
}

// The angle 2*pi*q/n, with 2*pi the stored constant and q = w*n + r, is
// w*(2*pi) + (2*pi)*r/n. The stored 2*pi falls short of the true one, so w
// whole turns leave a small angle, formed here exactly; every value built from
// these tables is within a few units in the last place of the true sine or
// cosine (the literal evaluation itself is off by up to about 1e-13).
void PeriodicResponseSolver::buildTables() {
    const int n = n_;
    sinRest_.resize(n);
    cosRest_.resize(n);
    for (int r = 0; r < n; ++r) {
        const double angle = kTwoPi * r / n;
        sinRest_[r] = std::sin(angle);
        cosRest_[r] = std::cos(angle);
    }
    const double shortfall = (kTwoPi - kTrueTwoPiHigh) - kTrueTwoPiLow;
    sinTurns_.resize(static_cast<std::size_t>(harmonics_) + 1);
    cosTurns_.resize(static_cast<std::size_t>(harmonics_) + 1);
    for (int w = 0; w <= harmonics_; ++w) {
        sinTurns_[w] = std::sin(w * shortfall);
        cosTurns_[w] = std::cos(w * shortfall);
    }
}

// sin and cos of 2*pi*h*j/n for j = 0..n. Entry j stands for q = h*j = w*n + r;
// while w stays the same the row steps through the residues without a turn.
void PeriodicResponseSolver::gridRow(int h, double* __restrict sinRow,
                                     double* __restrict cosRow) const {
    const int n = n_;
    const int stepTurns = h / n;
    const int stepRest = h % n;
    const double* __restrict sinRest = sinRest_.data();
    const double* __restrict cosRest = cosRest_.data();
    const double* __restrict sinTurns = sinTurns_.data();
    const double* __restrict cosTurns = cosTurns_.data();
    sinRow[0] = 0.0;
    cosRow[0] = 1.0;
    int w = 0;
    int r = 0;
    if (stepTurns > 0 || stepRest == 0) {
        // h at or beyond n (few steps): the turns change at every step.
        for (int j = 1; j <= n; ++j) {
            r += stepRest;
            const int wrap = r >= n ? 1 : 0;
            r -= wrap * n;
            w += stepTurns + wrap;
            sinRow[j] = sinTurns[w] * cosRest[r] + cosTurns[w] * sinRest[r];
            cosRow[j] = cosTurns[w] * cosRest[r] - sinTurns[w] * sinRest[r];
        }
        return;
    }
    int j = 1;
    while (j <= n) {
        // Steps that stay below n, then the step that wraps into the next turn.
        const int run = std::min((n - 1 - r) / stepRest, n - j + 1);
        const double sinW = sinTurns[w];
        const double cosW = cosTurns[w];
        for (int k = 0; k < run; ++k, ++j) {
            r += stepRest;
            sinRow[j] = sinW * cosRest[r] + cosW * sinRest[r];
            cosRow[j] = cosW * cosRest[r] - sinW * sinRest[r];
        }
        if (j > n) {
            break;
        }
        r += stepRest - n;
        ++w;
        sinRow[j] = sinTurns[w] * cosRest[r] + cosTurns[w] * sinRest[r];
        cosRow[j] = cosTurns[w] * cosRest[r] - sinTurns[w] * sinRest[r];
        ++j;
    }
}

// The mean alone carries the steady rise; a stage without resistance is
// skipped whatever its time constant.
double PeriodicResponseSolver::steadyRise(const ResponseTask& task) const {
    double dc = 0.0;
    for (const FosterStage& stage : *task.network) {
        if (stage.resistance != 0.0) {
            dc += task.meanLoss * stage.resistance;
        }
    }
    return dc;
}

// Each stage is a first-order low pass of harmonic h: the temperature
// coefficients C_h and S_h from the loss coefficients A_h and B_h, summed over
// the stages in order.
void PeriodicResponseSolver::harmonicResponse(const ResponseTask& task, int h, double a, double b,
                                              double& c, double& s) const {
    c = 0.0;
    s = 0.0;
    for (const FosterStage& stage : *task.network) {
        const double resistance = stage.resistance;
        if (resistance == 0.0) {
            continue;
        }
        const double x = h * stage.timeConstant * omega_;
        const double z = resistance / (x * x + 1.0);
        c += z * (a - x * b);
        s += z * (x * a + b);
    }
}

// Every sine and cosine as written. Each sample is held from its own time to
// the next one; the operating point leaves samples 0 and n out, the load cycle
// only its last grid point. Sample j is rebuilt at the angle of the sample
// before it.
void PeriodicResponseSolver::literalSolve(const ResponseTask& task) const {
    const int first = window_ == ResponseWindow::OperatingPoint ? 1 : 0;
    const bool cycle = window_ == ResponseWindow::LoadCycle;
    const std::span<const double> loss = task.loss;
    std::vector<double> c(static_cast<std::size_t>(harmonics_) + 1, 0.0);
    std::vector<double> s(c.size(), 0.0);
    for (int h = 1; h <= harmonics_; ++h) {
        double a = 0.0;
        double b = 0.0;
        for (int j = first; j <= n_ - 1; ++j) {
            a += loss[j] * (std::sin(h * omega_ * time_[j + 1]) - std::sin(h * omega_ * time_[j])) *
                 kOneOverPi / h;
            b += loss[j] * (std::cos(h * omega_ * time_[j + 1]) - std::cos(h * omega_ * time_[j])) *
                 (-1.0) * kOneOverPi / h;
        }
        harmonicResponse(task, h, a, b, c[h], s[h]);
    }
    const double dc = steadyRise(task);
    for (int j = 0; j <= n_; ++j) {
        double sum = 0.0;
        for (int h = 1; h <= harmonics_; ++h) {
            const double alpha =
                cycle ? ((j - 1) * 2 * h) * kPiOverSixHundred : ((j - 1) * 2 * h) * kPi / n_;
            sum += s[h] * std::sin(alpha) + c[h] * std::cos(alpha);
        }
        task.rise[j] = dc + sum;
    }
}

// The fast path for K waveforms at once, one harmonic at a time: the row of
// grid values, the loss coefficients of every waveform as dot products with
// the row's differences, the stage response, and the row's contribution to
// every rebuilt sample. The rebuilt sums still run over h in ascending order.
template <int K>
void PeriodicResponseSolver::tableSolve(const ResponseTask* tasks) const {
    const int n = n_;
    const std::size_t count = static_cast<std::size_t>(n) + 1;
    const int first = window_ == ResponseWindow::OperatingPoint ? 1 : 0;
    const int last = n - 1;

    // One row of sines and cosines and the running sums of every waveform.
    std::vector<double> buffer((2 + K) * count, 0.0);
    double* sinRow = buffer.data();
    double* cosRow = sinRow + count;
    double* out[K];
    const double* loss[K];
    for (int t = 0; t < K; ++t) {
        out[t] = cosRow + count * (1 + t);
        loss[t] = tasks[t].loss.data();
    }

    for (int h = 1; h <= harmonics_; ++h) {
        gridRow(h, sinRow, cosRow);

        Pair sumA[K] = {};
        Pair sumB[K] = {};
        int j = first;
        for (; j + 1 <= last; j += 2) {
            const Pair ds = loadPair(sinRow + j + 1) - loadPair(sinRow + j);
            const Pair dc = loadPair(cosRow + j + 1) - loadPair(cosRow + j);
            for (int t = 0; t < K; ++t) {
                const Pair p = loadPair(loss[t] + j);
                sumA[t] += p * ds;
                sumB[t] += p * dc;
            }
        }
        Pair sh[K];
        Pair ch[K];
        for (int t = 0; t < K; ++t) {
            double a = sumA[t][0] + sumA[t][1];
            double b = sumB[t][0] + sumB[t][1];
            if (j == last) {
                a += loss[t][j] * (sinRow[j + 1] - sinRow[j]);
                b += loss[t][j] * (cosRow[j + 1] - cosRow[j]);
            }
            double c = 0.0;
            double s = 0.0;
            harmonicResponse(tasks[t], h, a * kOneOverPi / h, -b * kOneOverPi / h, c, s);
            // Sample 0 sits at angle index -h: the mirror image of entry 1.
            out[t][0] += -s * sinRow[1] + c * cosRow[1];
            sh[t] = Pair{s, s};
            ch[t] = Pair{c, c};
        }

        // Sample j >= 1 at angle index h*(j - 1): entry j - 1 of the row.
        std::size_t k = 1;
        for (; k + 1 < count; k += 2) {
            const Pair sinJ = loadPair(sinRow + k - 1);
            const Pair cosJ = loadPair(cosRow + k - 1);
            for (int t = 0; t < K; ++t) {
                storePair(out[t] + k, loadPair(out[t] + k) + (sh[t] * sinJ + ch[t] * cosJ));
            }
        }
        for (; k < count; ++k) {
            for (int t = 0; t < K; ++t) {
                out[t][k] += sh[t][0] * sinRow[k - 1] + ch[t][0] * cosRow[k - 1];
            }
        }
    }

    for (int t = 0; t < K; ++t) {
        const double dc = steadyRise(tasks[t]);
        for (std::size_t j = 0; j < count; ++j) {
            tasks[t].rise[j] = dc + out[t][j];
        }
    }
}

bool PeriodicResponseSolver::solve(std::span<const ResponseTask> tasks) {
    if (!valid_) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(n_) + 1;
    for (const ResponseTask& task : tasks) {
        if (task.network == nullptr || task.loss.size() < count || task.rise.size() < count) {
            return false;
        }
    }
    if (!useTables_) {
        for (const ResponseTask& task : tasks) {
            literalSolve(task);
        }
        return true;
    }
    std::size_t done = 0;
    while (done < tasks.size()) {
        const std::size_t batch = std::min<std::size_t>(kMaxBatch, tasks.size() - done);
        const ResponseTask* group = tasks.data() + done;
        switch (batch) {
            case 1:
                tableSolve<1>(group);
                break;
            case 2:
                tableSolve<2>(group);
                break;
            case 3:
                tableSolve<3>(group);
                break;
            default:
                tableSolve<4>(group);
                break;
        }
        done += batch;
    }
    return true;
}

bool PeriodicResponseSolver::solve(std::span<const double> loss, double meanLoss,
                                   const FosterNetwork& network, std::span<double> rise) {
    const ResponseTask task{loss, meanLoss, &network, rise};
    return solve(std::span<const ResponseTask>(&task, 1));
}

bool solvePeriodicResponse(std::span<const double> loss, std::span<const double> time, int n,
                           double period, double meanLoss, int harmonics,
                           const FosterNetwork& network, ResponseWindow window,
                           std::span<double> rise, SolverPath path) {
    PeriodicResponseSolver solver(time, n, period, harmonics, window, path);
    return solver.solve(loss, meanLoss, network, rise);
}

}  // namespace thermalyx
