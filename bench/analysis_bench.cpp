// Running times of the analyses over the product line, on every processor:
// a library of 504 devices (the sample line under 21 sets of new names) ranked
// at one operating point, and the current capability of the 24 sample devices
// at 10 carrier frequencies. Goals on a 2-core machine: the ranking under
// 0.15 s, the curves under 2 s. The argument is the number of workers (0: one
// per processor). Needs the sample line's data files beside the program.
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "analysis/current_capability.h"
#include "analysis/device_ranking.h"
#include "library/device_library.h"
#include "library/library_writer.h"

namespace {

using namespace thermalyx;

constexpr int kCopies = 21;

std::unique_ptr<DeviceLibrary> sampleLine() {
    auto library = std::make_unique<DeviceLibrary>();
    if (!library->load()) throw std::runtime_error("the sample line is not beside the program");
    return library;
}

// The sample line's records, each copy under type numbers of its own.
std::vector<LibraryDevice> repeatedLine(const DeviceLibrary& sample) {
    std::vector<LibraryDevice> devices;
    for (int copy = 0; copy < kCopies; ++copy) {
        for (const DeviceIndexEntry& entry : sample.deviceIndex) {
            LibraryDevice d{*entry.spec, *entry.search, *entry.limits, *entry.params};
            std::string typeNumber = entry.typeNumber;
            typeNumber += '-';
            typeNumber += std::to_string(copy);
            d.spec.typeNumber = d.search.typeNumber = d.limits.typeNumber = typeNumber;
            d.params.typeNumber = typeNumber;
            devices.push_back(std::move(d));
        }
    }
    return devices;
}

// The large library, written to a temporary folder and read back as the
// program reads its own.
class LargeLibrary {
public:
    LargeLibrary() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "thermalyx-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
        std::string error;
        if (!writeLibraryFiles(folder_.string(), repeatedLine(*sampleLine()), error))
            throw std::runtime_error(error);
        library = std::make_unique<DeviceLibrary>(folder_.string() + "/");
        if (!library->load()) throw std::runtime_error("the large library did not load");
    }
    ~LargeLibrary() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    LargeLibrary(const LargeLibrary&) = delete;
    LargeLibrary& operator=(const LargeLibrary&) = delete;

    std::unique_ptr<DeviceLibrary> library;

private:
    std::filesystem::path folder_;
};

SteadyRequest operatingPoint() {
    SteadyRequest point;
    point.ambientText = "40";
    point.modulation = kModulationTwoArms;
    // The gate resistances are left to each device's default.
    point.texts = givenTexts({"50", "30", "8", "0.85", "1", "300", "", ""});
    point.texts.rgOn.reset();
    point.texts.rgOff.reset();
    point.heatsink = NetworkTexts{{"0.01", "0.05", "0.3", "0.2"}, {"1", "10", "50", "200"}};
    return point;
}

void BM_Rank504Devices(benchmark::State& state) {
    static const LargeLibrary large;
    RankingRequest request;
    request.point = operatingPoint();
    const ParallelOptions options = parallelJobs(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::optional<Ranking> ranking = rankDevices(*large.library, request, options);
        benchmark::DoNotOptimize(ranking->devices.front().tjMax);
    }
    state.counters["devices"] = static_cast<double>(large.library->deviceIndex.size());
}

void BM_CapabilityCurves24x10(benchmark::State& state) {
    const std::unique_ptr<DeviceLibrary> library = sampleLine();
    std::vector<const DeviceIndexEntry*> devices;
    for (const DeviceIndexEntry& d : library->deviceIndex) devices.push_back(&d);
    const std::vector<std::string> carriers = {"1", "2", "3", "4", "5", "6", "8", "10", "12", "15"};
    const ParallelOptions options = parallelJobs(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::optional<CapabilityAnswer> answer = capabilityCurves(
            *library, devices, operatingPoint(), carriers, kDefaultTjLimit, options);
        benchmark::DoNotOptimize(answer->curves.front().points.front().capability.tjMax);
    }
}

BENCHMARK(BM_Rank504Devices)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CapabilityCurves24x10)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
