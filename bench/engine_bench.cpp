// The engine's running times: a steady run at N = 200 and near N = 600, and a
// 25-mode load cycle whose modes all ramp, each with the fast and the literal
// periodic solver. Goals: a steady run under 0.5 ms, the cycle under 10 ms.
#include <stdexcept>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/catalogue_fit.h"
#include "pages/heatsink_rules.h"

namespace {

using namespace thermalyx;

// The sample line's 6NZ100B-120 (100 A, 1200 V), fitted as build-library fits it.
const LibraryDevice& sampleDevice() {
    static const LibraryDevice device = [] {
        Catalogue catalogue;
        CatalogueError error;
        std::vector<LibraryDevice> devices;
        std::vector<DeviceFit> fits;
        if (!readCatalogue(THERMALYX_CATALOGUE_DIR, catalogue, error) ||
            !fitCatalogue(catalogue, devices, fits, error)) {
            throw std::runtime_error(error.text());
        }
        for (const LibraryDevice& d : devices) {
            if (d.params.typeNumber == "6NZ100B-120") return d;
        }
        throw std::runtime_error("6NZ100B-120 is not in the sample line");
    }();
    return device;
}

// What every run reads besides its condition: the device's records and a heat sink.
struct EngineInputs {
    DeviceParamRecord params = sampleDevice().params;
    ConditionLimits limits = sampleDevice().limits;
    HeatsinkModel heatsink =
        buildHeatsinkModel({0.012, 0.035, 0.06, 0.043}, {2.0, 15.0, 60.0, 240.0}, "40");
};

// Times run(), which returns whether it succeeded and fills a result; figure
// is a field of that result, kept alive after each run.
template <class Run>
void timeRuns(benchmark::State& state, Run run, const double& figure) {
    for (auto _ : state) {
        const bool ok = run();
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(figure);
    }
}

// Two arms at 50 Hz and 70 A rms, 10 kHz carrier, at the device's reference
// voltage and gate resistance.
OperatingCondition sampleCondition() {
    const ConditionLimits& limits = sampleDevice().limits;
    OperatingCondition condition;
    condition.series = limits.series;
    condition.typeNumber = limits.typeNumber;
    condition.modulation = kModulationTwoArms;
    condition.outputFrequency = 50.0;
    condition.outputCurrentRms = 70.0;
    condition.carrierFrequency = 10.0;
    condition.powerFactor = 0.85;
    condition.modulationRate = 1.0;
    condition.dcVoltage = limits.dcVoltageDefault;
    condition.rgOn = condition.rgOff = limits.gateResistanceDefault;
    return condition;
}

// range(0): carrier frequency in Hz; range(1): output frequency in mHz.
void steadyRun(benchmark::State& state, SolverPath path) {
    OperatingCondition condition = sampleCondition();
    condition.carrierFrequency = static_cast<double>(state.range(0)) / 1000.0;
    condition.outputFrequency = static_cast<double>(state.range(1)) / 1000.0;
    const EngineInputs in;
    SteadyResult result;
    timeRuns(
        state,
        [&] {
            return calculateOperatingPoint(condition, in.limits, in.params, in.heatsink, result,
                                           path);
        },
        result.temperature.igbtTjMax);
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
    const EngineInputs in;
    LoadCycleResult result;
    timeRuns(
        state,
        [&] { return simulateLoadCycle(rows, in.limits, in.params, in.heatsink, result, path); },
        result.igbtTjMax);
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
