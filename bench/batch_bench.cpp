// thermalyx-cli batch in-process: 10,000 steady lines of the sample line
// (default inputs, varied currents), answers thrown away. Reports the peak
// resident memory of the process as a counter. Run e.g.
//   build/release/bin/batch_bench --benchmark_repetitions=3
#include <sys/resource.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include <benchmark/benchmark.h>

#include "cli/batch.h"

namespace {

class Discard : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::string steadyLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += R"({"id":)" + std::to_string(i) +
                 R"(,"args":["steady","--series","QH-Series","--type","2NQ400E-060",)"
                 R"("--capacity","30","--output-current",")" +
                 std::to_string(20 + i % 180) + "\"]}\n";
    }
    return lines;
}

void BM_BatchSteady10000(benchmark::State& state) {
    const std::string input = steadyLines(10000);
    for (auto _ : state) {
        std::istringstream in(input);
        Discard sink;
        std::ostream out(&sink);
        thermalyx::cli::BatchOptions options;
        options.jobs = static_cast<int>(state.range(0));
        const int status = thermalyx::cli::runBatchCommand(options, in, out);
        if (status != 0) state.SkipWithError("a line failed");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakRssMiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_BatchSteady10000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
