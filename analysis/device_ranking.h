// The product line ranked at one operating point: every device kept by the
// filters runs the steady calculation, and the answer lists them with their
// losses, temperatures and distance to a junction-temperature limit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/current_capability.h"
#include "analysis/parallel_runner.h"
#include "engine/records.h"
#include "library/device_library.h"
#include "pages/calculation_request.h"

namespace thermalyx {

// fit: devices within the limit, smallest rated current first; tj: coolest
// first; loss: least total loss first. Rejected devices always come last.
enum class RankingOrder { Fit, Tj, Loss };

std::string_view rankingOrderText(RankingOrder order);  // "fit", "tj", "loss"
bool parseRankingOrder(std::string_view text, RankingOrder& order);

struct RankingRequest {
    SteadyRequest point;  // series and type number are set per device
    double tjLimit = kDefaultTjLimit;
    // Each given filter keeps the devices whose search-record field equals it.
    std::optional<std::string> acVoltage;
    std::optional<std::string> series;
    std::optional<std::string> circuitComposition;
    RankingOrder order = RankingOrder::Fit;
    bool withMaxCurrent = false;
};

struct RankedDevice {
    std::string series;
    std::string typeNumber;
    bool ok = false;
    std::string message;                 // the rule's message when rejected
    std::optional<double> ratedCurrent;  // IC (A) from the product information
    std::optional<double> ratedVoltage;  // VCES (V)
    // The figures below are set for an ok device only.
    LossResult loss;
    TemperatureResult temperature;
    double totalLoss = 0.0;  // one switch position: IGBT + FWD
    double tjMax = 0.0;
    double margin = 0.0;  // limit - tjMax
    LimitedBy limitedBy = LimitedBy::Igbt;
    std::optional<CurrentCapability> maxCurrent;  // when asked for
};

// message: an input no device could accept (then devices is empty).
struct Ranking {
    std::string message;
    std::vector<RankedDevice> devices;
};

// The devices kept by the filters, in library order.
std::vector<const DeviceIndexEntry*> filteredDevices(const DeviceLibrary& library,
                                                     const RankingRequest& request);

// Sorts devices (given in library order) into the order; ties keep their places.
void orderRanking(std::vector<RankedDevice>& devices, RankingOrder order, double tjLimit);

// Nothing when stopped early.
std::optional<Ranking> rankDevices(const DeviceLibrary& library, const RankingRequest& request,
                                   const ParallelOptions& options = {});

}  // namespace thermalyx
