// The engine's running times: a steady run at N = 200 and near N = 600, and a
// 25-mode load cycle whose modes all ramp, each with the fast and the literal
// periodic solver. Goals: a steady run under 0.5 ms, the cycle under 10 ms.
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "tests/engine/engine_test_support.h"

namespace {

using namespace thermalyx;
using namespace thermalyx::testing_support;

// range(0): carrier frequency in Hz; range(1): output frequency in mHz.
void steadyRun(benchmark::State& state, SolverPath path) {
    OperatingCondition condition = sampleCondition();
    condition.carrierFrequency = static_cast<double>(state.range(0)) / 1000.0;
    condition.outputFrequency = static_cast<double>(state.range(1)) / 1000.0;
    const DeviceParamRecord params = sampleParams();
    const ConditionLimits limits = sampleLimits();
    const HeatsinkModel heatsink = sampleHeatsink();
    SteadyResult result;
    for (auto _ : state) {
        const bool ok = calculateOperatingPoint(condition, limits, params, heatsink, result, path);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(result.temperature.igbtTjMax);
    }
    state.counters["N"] = static_cast<double>(result.waveform.size() - 2);
}

void BM_SteadyFast(benchmark::State& state) {
    steadyRun(state, SolverPath::Fast);
}
void BM_SteadyLiteral(benchmark::State& state) {
    steadyRun(state, SolverPath::Literal);
}

// 10 kHz at 50 Hz: N = 200; 5.99 kHz at 10 Hz: N = 599.
BENCHMARK(BM_SteadyFast)->Args({10000, 50000})->Args({5990, 10000})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SteadyLiteral)
    ->Args({10000, 50000})
    ->Args({5990, 10000})
    ->Unit(benchmark::kMicrosecond);

// 25 modes, every one ramping; carrier 10 kHz, so the runs have between about
// 170 and 590 steps.
std::vector<LoadCycleMode> rampingCycle() {
    std::vector<LoadCycleMode> rows;
    for (int j = 0; j < kMaxModes; ++j) {
        LoadCycleMode row = sampleCondition();
        row.duration = 0.5 + 0.2 * j;
        row.frequencyStart = 17.0 + 1.5 * j;
        row.frequencyEnd = 60.0 - 1.2 * j;
        row.outputCurrentRms = 30.0 + 3.0 * j;
        row.modulation = j % 2 == 0 ? kModulationTwoArms : kModulationThreeArms;
        row.tjMode = j % 3 == 0 ? 1 : 2;
        rows.push_back(row);
    }
    return rows;
}

void loadCycle(benchmark::State& state, SolverPath path) {
    const std::vector<LoadCycleMode> rows = rampingCycle();
    const DeviceParamRecord params = sampleParams();
    const ConditionLimits limits = sampleLimits();
    const HeatsinkModel heatsink = sampleHeatsink();
    LoadCycleResult result;
    for (auto _ : state) {
        const bool ok = simulateLoadCycle(rows, limits, params, heatsink, result, path);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(result.igbtTjMax);
    }
}

void BM_LoadCycle25RampingFast(benchmark::State& state) {
    loadCycle(state, SolverPath::Fast);
}
void BM_LoadCycle25RampingLiteral(benchmark::State& state) {
    loadCycle(state, SolverPath::Literal);
}

BENCHMARK(BM_LoadCycle25RampingFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCycle25RampingLiteral)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
