#include "analysis/device_ranking.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace thermalyx {
namespace {

// Product information #1 is VCES (V), #2 is IC (A).
constexpr std::size_t kVcesInfo = 0;
constexpr std::size_t kIcInfo = 1;

// Ascending, with NaN after every number, so the sort's order stays strict.
bool lessNanLast(double a, double b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

// Rated currents ascending; a device without one after those with one.
bool lessRating(const std::optional<double>& a, const std::optional<double>& b) {
    if (!a) return false;
    if (!b) return true;
    return lessNanLast(*a, *b);
}

bool keep(const std::optional<std::string>& filter, const std::string& field) {
    return !filter || *filter == field;
}

RankedDevice rankOne(const DeviceLibrary& library, const DeviceIndexEntry& device,
                     const RankingRequest& request) {
    RankedDevice ranked;
    ranked.series = device.series;
    ranked.typeNumber = device.typeNumber;
    ranked.ratedVoltage = productNumber(device.spec->productInfo[kVcesInfo]);
    ranked.ratedCurrent = productNumber(device.spec->productInfo[kIcInfo]);

    SteadyRequest steady = request.point;
    steady.series = device.series;
    steady.typeNumber = device.typeNumber;
    const SteadyOutcome outcome = runSteadyRequest(library, steady);
    if (!outcome.ok()) {
        ranked.message = outcome.message;
        return ranked;
    }
    ranked.ok = true;
    ranked.loss = outcome.result.loss;
    ranked.temperature = outcome.result.temperature;
    const LossResult& l = ranked.loss;
    ranked.totalLoss = l.igbtSaturationLoss + l.igbtTurnOnLoss + l.igbtTurnOffLoss +
                       l.fwdSaturationLoss + l.fwdRecoveryLoss;
    ranked.tjMax = hotterJunction(ranked.temperature);
    ranked.limitedBy = hotterPart(ranked.temperature);
    ranked.margin = request.tjLimit - ranked.tjMax;
    if (request.withMaxCurrent) {
        ranked.maxCurrent = findMaxCurrent(library, device, steady, request.tjLimit);
    }
    return ranked;
}

}  // namespace

std::string_view rankingOrderText(RankingOrder order) {
    constexpr std::array<std::string_view, 3> kTexts = {"fit", "tj", "loss"};
    return kTexts.at(static_cast<std::size_t>(order));
}

bool parseRankingOrder(std::string_view text, RankingOrder& order) {
    for (RankingOrder o : {RankingOrder::Fit, RankingOrder::Tj, RankingOrder::Loss}) {
        if (text == rankingOrderText(o)) {
            order = o;
            return true;
        }
    }
    return false;
}

std::vector<const DeviceIndexEntry*> filteredDevices(const DeviceLibrary& library,
                                                     const RankingRequest& request) {
    std::vector<const DeviceIndexEntry*> kept;
    for (const DeviceIndexEntry& device : library.deviceIndex) {
        const DeviceSearchRecord& s = *device.search;
        if (keep(request.acVoltage, s.acVoltage) && keep(request.series, s.series) &&
            keep(request.circuitComposition, s.circuitComposition)) {
            kept.push_back(&device);
        }
    }
    return kept;
}

void orderRanking(std::vector<RankedDevice>& devices, RankingOrder order, double tjLimit) {
    // 0: within the limit, 1: over it (or no finite Tj), 2: rejected.
    const auto group = [&](const RankedDevice& d) {
        if (!d.ok) return 2;
        if (order == RankingOrder::Fit && !(d.tjMax <= tjLimit)) return 1;
        return 0;
    };
    const auto before = [&](const RankedDevice& a, const RankedDevice& b) {
        const int ga = group(a), gb = group(b);
        if (ga != gb) return ga < gb;
        if (ga == 2) return false;
        switch (order) {
            case RankingOrder::Fit:
                if (ga == 1) return lessNanLast(-a.margin, -b.margin);
                if (lessRating(a.ratedCurrent, b.ratedCurrent)) return true;
                if (lessRating(b.ratedCurrent, a.ratedCurrent)) return false;
                return lessNanLast(a.tjMax, b.tjMax);
            case RankingOrder::Tj:
                return lessNanLast(a.tjMax, b.tjMax);
            case RankingOrder::Loss:
                return lessNanLast(a.totalLoss, b.totalLoss);
        }
        return false;
    };
    std::stable_sort(devices.begin(), devices.end(), before);
}

std::optional<Ranking> rankDevices(const DeviceLibrary& library, const RankingRequest& request,
                                   const ParallelOptions& options) {
    Ranking ranking;
    ranking.message = checkSharedInputs(request.point);
    if (!ranking.message.empty()) return ranking;

    const std::vector<const DeviceIndexEntry*> devices = filteredDevices(library, request);
    ranking.devices.resize(devices.size());
    const auto rank = [&](std::size_t i) {
        ranking.devices[i] = rankOne(library, *devices[i], request);
    };
    if (!parallelFor(devices.size(), rank, options)) return std::nullopt;
    orderRanking(ranking.devices, request.order, request.tjLimit);
    return ranking;
}

}  // namespace thermalyx
