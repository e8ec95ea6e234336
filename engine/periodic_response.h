// The steady periodic temperature rise of a four-stage Foster network under a
// sampled loss waveform that repeats with a known period, found harmonic by
// harmonic.
#pragma once

#include <span>
#include <vector>

#include "engine/device_characteristics.h"
#include "engine/solver_path.h"

namespace thermalyx {

// Which sums the solver forms. An operating point leaves samples 0 and n out of
// the loss coefficients and rebuilds at angle (j - 1)*2h*pi/n; a load cycle
// (always n = 600) leaves only the last grid point out and rebuilds at
// (g - 1)*2h*(pi/600).
enum class ResponseWindow { OperatingPoint, LoadCycle };

// One waveform to solve: the losses P_0..P_n, the caller's mean of them, the
// network, and where the rises for j = 0..n go.
struct ResponseTask {
    std::span<const double> loss;
    double meanLoss = 0.0;
    const FosterNetwork* network = nullptr;
    std::span<double> rise;
};

// Solves the responses of waveforms that share one set of sample times.
//
// The literal path evaluates every sine and cosine as the sums are written.
// The fast path uses that every angle lies on the grid 2*pi*q/n (q = h*j): it
// tabulates the sine and cosine of the n residues and of the whole turns once,
// forms each harmonic's row of values from them, and turns the sums of all
// waveforms into multiply-adds over that row.
class PeriodicResponseSolver {
public:
    // time holds t_0..t_n; period is T (omega = 2*pi/T). The fast path needs the
    // times on the grid t_j = j*T/n; when they are not, it evaluates literally.
    PeriodicResponseSolver(std::span<const double> time, int n, double period, int harmonics,
                           ResponseWindow window, SolverPath path);

    // False when the arguments can't be solved: n < 1, fewer than n + 1 times,
    // a time or 2*pi/T not finite, T not above 0, fewer than 0 harmonics, or a
    // load cycle with n other than 600.
    bool valid() const { return valid_; }

    // Whether the fast tables are in use (false on the literal path or off-grid times).
    bool usesTables() const { return useTables_; }

    // Writes every task's rise. False, with nothing written, when the solver is
    // not valid or a task's spans are shorter than n + 1 or it has no network.
    bool solve(std::span<const ResponseTask> tasks);
    bool solve(std::span<const double> loss, double meanLoss, const FosterNetwork& network,
               std::span<double> rise);

private:
    void buildTables();
    void literalSolve(const ResponseTask& task) const;
    template <int K>
    void tableSolve(const ResponseTask* tasks) const;
    void gridRow(int h, double* __restrict sinRow, double* __restrict cosRow) const;
    double steadyRise(const ResponseTask& task) const;
    void harmonicResponse(const ResponseTask& task, int h, double a, double b, double& c,
                          double& s) const;

    std::span<const double> time_;
    int n_ = 0;
    double omega_ = 0.0;
    int harmonics_ = 0;
    ResponseWindow window_ = ResponseWindow::OperatingPoint;
    bool valid_ = false;
    bool useTables_ = false;

    // Fast path: sin and cos of 2*pi*r/n for r = 0..n-1 and of w whole turns of
    // the stored 2*pi for w = 0..H.
    std::vector<double> sinRest_, cosRest_, sinTurns_, cosTurns_;
};

// One waveform: loss and time hold samples 0..n, the rise goes to rise[0..n].
// Returns false and writes nothing for arguments it can't solve.
bool solvePeriodicResponse(std::span<const double> loss, std::span<const double> time, int n,
                           double period, double meanLoss, int harmonics,
                           const FosterNetwork& network, ResponseWindow window,
                           std::span<double> rise, SolverPath path = SolverPath::Fast);

}  // namespace thermalyx
