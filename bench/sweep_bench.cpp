// The running time of a sweep: a 100 x 100 grid of output current (1 to 50 A)
// by carrier frequency (1 to 20 kHz) of one sample device, every point through
// the steady request, the points handed over in order. Goal on a 2-core
// machine: under 2 s. The argument is the number of workers (0: one per
// processor). Needs the sample line's data files beside the program.
#include <memory>
#include <stdexcept>

#include <benchmark/benchmark.h>

#include "analysis/sweep.h"
#include "library/device_library.h"

namespace {

using namespace thermalyx;

const DeviceLibrary& sampleLine() {
    static const std::unique_ptr<DeviceLibrary> library = [] {
        auto loaded = std::make_unique<DeviceLibrary>();
        if (!loaded->load()) throw std::runtime_error("the sample line is not beside the program");
        return loaded;
    }();
    return *library;
}

SweepRequest currentByCarrier() {
    SweepRequest request;
    request.base.ambientText = "40";
    request.base.series = "Q-Series";
    request.base.typeNumber = "6NQ50A-060";
    request.base.heatsink = CapacityEstimate{"3.7", "1.0", "1.0"};
    request.axes = {{SweepInput::OutputCurrent, "1", "50", 100},
                    {SweepInput::CarrierFrequency, "1", "20", 100}};
    return request;
}

void BM_SweepGrid(benchmark::State& state) {
    const DeviceLibrary& library = sampleLine();
    const SweepPlan plan = planSweep(library, currentByCarrier());
    if (!plan.ok()) throw std::runtime_error("the sweep was refused: " + plan.message);
    std::size_t ok = 0;
    for (auto _ : state) {
        ok = 0;
        runSweep(
            library, plan, [&](std::size_t, const SweepPoint& point) { ok += point.ok ? 1 : 0; },
            parallelJobs(static_cast<int>(state.range(0))));
        benchmark::DoNotOptimize(ok);
    }
    state.counters["points"] = static_cast<double>(plan.pointCount);
    state.counters["ok"] = static_cast<double>(ok);
}

BENCHMARK(BM_SweepGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
