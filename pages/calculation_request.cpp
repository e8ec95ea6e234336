#include "pages/calculation_request.h"

#include <type_traits>
#include <utility>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"

namespace thermalyx {
namespace {

// The network numbers a request computes with, and whether they are complete.
struct Network {
    StageValues rth{};
    StageValues tth{};
    bool complete = true;
};

// The network from its source. Texts and estimates are judged here; the page's
// numbers were judged when they were entered, only completeness is left.
std::string resolveNetwork(const HeatsinkSource& source, Network& network) {
    return std::visit(
        [&network](const auto& given) -> std::string {
            using Given = std::decay_t<decltype(given)>;
            if constexpr (std::is_same_v<Given, PageHeatsink>) {
                network = {given.rth, given.tth, given.complete};
                return {};
            } else if constexpr (std::is_same_v<Given, NetworkTexts>) {
                return checkHeatsinkTexts(given.rth, given.tth, network.rth, network.tth);
            } else {
                HeatsinkEstimate estimate;
                std::string message = computeHeatsinkEstimate(given.capacity, given.rthFactor,
                                                              given.tthFactor, estimate);
                // The engine takes the unrounded estimate, as the page hands it over.
                network.rth = estimate.rth;
                network.tth = estimate.tth;
                return message;
            }
        },
        source);
}

template <typename Outcome>
bool stop(Outcome& outcome, RequestStage stage, std::string_view message = {}) {
    outcome.stage = stage;
    outcome.message = std::string(message);
    return false;
}

// The checks both calculations start with: the heat sink when it is given as
// texts or an estimate, Ta, the device and the modulation.
template <typename Request, typename Outcome>
bool checkFront(const DeviceLibrary& library, const Request& request, Network& network,
                Outcome& outcome) {
    const HeatsinkSource& source = request.heatsink;
    const bool heatsinkFirst = !std::holds_alternative<PageHeatsink>(source);
    if (heatsinkFirst) {
        if (std::string message = resolveNetwork(source, network); !message.empty())
            return stop(outcome, RequestStage::Heatsink, message);
    }
    if (std::string message = checkAmbientText(request.ambientText); !message.empty())
        return stop(outcome, RequestStage::Ambient, message);

    std::vector<const DeviceIndexEntry*> found;
    if (!library.findDevices(found, DeviceQueryKind::BySeriesAndType, request.series,
                             request.typeNumber))
        return stop(outcome, RequestStage::Device);
    outcome.device = found.front();

    if (request.modulation != kModulationTwoArms && request.modulation != kModulationThreeArms)
        return stop(outcome, RequestStage::Modulation);
    if (!heatsinkFirst) resolveNetwork(source, network);
    return true;
}

// The engine's model from the network and Ta. An incomplete network (an edit
// left a field invalid) is refused like one the engine can't compute with.
template <typename Outcome>
bool checkModel(const Network& network, const std::string& ambientText, Outcome& outcome) {
    if (!network.complete) return stop(outcome, RequestStage::Model, kLimitExceededMessage);
    outcome.heatsink = buildHeatsinkModel(network.rth, network.tth, ambientText);
    if (std::string message = checkHeatsinkModel(outcome.heatsink); !message.empty())
        return stop(outcome, RequestStage::Model, message);
    return true;
}

// The conditions carry the network for the report only.
HeatsinkModel networkCopy(const Network& network) {
    HeatsinkModel copy;
    copy.rth = network.rth;
    copy.tth = network.tth;
    return copy;
}

// The road both calculations take: the front checks, the inputs only this kind
// of request holds, the engine's model, the engine. inputs and calculate
// return false where the request stops (inputs having said why).
template <typename Outcome, typename Request, typename Inputs, typename Calculate>
Outcome runRequest(const DeviceLibrary& library, const Request& request, const Inputs& inputs,
                   const Calculate& calculate) {
    Outcome outcome;
    Network network;
    if (!checkFront(library, request, network, outcome)) return outcome;
    const DeviceIndexEntry& device = *outcome.device;
    if (!inputs(device, network, outcome)) return outcome;
    if (!checkModel(network, request.ambientText, outcome)) return outcome;
    if (!calculate(device, network, outcome))
        stop(outcome, RequestStage::Engine, kLimitExceededMessage);
    return outcome;
}

}  // namespace

GivenConditionTexts givenTexts(const ConditionTexts& texts) {
    GivenConditionTexts given;
    const auto from = conditionFields(texts);
    const auto into = conditionFields(given);
    for (std::size_t i = 0; i < from.size(); ++i) *into[i] = *from[i];
    return given;
}

ConditionTexts completeConditionTexts(const GivenConditionTexts& given,
                                      const ConditionLimits& limits) {
    ConditionTexts texts = defaultConditionTexts(limits);
    const auto from = conditionFields(given);
    const auto into = conditionFields(texts);
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (*from[i]) *into[i] = **from[i];
    }
    return texts;
}

SteadyOutcome runSteadyRequest(const DeviceLibrary& library, const SteadyRequest& request,
                               SolverPath path) {
    const auto inputs = [&](const DeviceIndexEntry& device, const Network& network,
                            SteadyOutcome& outcome) {
        OperatingCondition& condition = outcome.condition;
        condition.series = device.series;
        condition.typeNumber = device.typeNumber;
        condition.modulation = request.modulation;
        const ConditionTexts texts = completeConditionTexts(request.texts, *device.limits);
        if (std::string message = checkConditionTexts(texts, *device.limits, condition);
            !message.empty()) {
            return stop(outcome, RequestStage::Inputs, message);
        }
        condition.dcLock = request.dcLock;
        condition.heatsink = networkCopy(network);
        return true;
    };
    const auto calculate = [&](const DeviceIndexEntry& device, const Network&,
                               SteadyOutcome& outcome) {
        return calculateOperatingPoint(outcome.condition, *device.limits, *device.params,
                                       outcome.heatsink, outcome.result, path);
    };
    return runRequest<SteadyOutcome>(library, request, inputs, calculate);
}

LoadCycleOutcome runLoadCycleRequest(const DeviceLibrary& library, const LoadCycleRequest& request,
                                     SolverPath path) {
    const auto inputs = [&](const DeviceIndexEntry& device, const Network&,
                            LoadCycleOutcome& outcome) {
        if (request.rows.size() > static_cast<std::size_t>(kMaxModes))
            return stop(outcome, RequestStage::TableSize, kTableFullMessage);
        // Rows entered for another device are judged by this device's limits.
        std::vector<LoadCycleMode>& modes = outcome.modes;
        modes.resize(request.rows.size());
        for (std::size_t i = 0; i < modes.size(); ++i) {
            LoadCycleMode& mode = modes[i];
            mode.series = device.series;
            mode.typeNumber = device.typeNumber;
            mode.modulation = request.modulation;
            mode.tjMode = request.tjMode;
            if (std::string message = checkModeRow(request.rows[i], *device.limits, mode);
                !message.empty()) {
                return stop(outcome, RequestStage::Inputs, message);
            }
        }
        if (std::string message = checkModeTable(modes); !message.empty())
            return stop(outcome, RequestStage::Inputs, message);
        return true;
    };
    const auto calculate = [&](const DeviceIndexEntry& device, const Network& network,
                               LoadCycleOutcome& outcome) {
        for (LoadCycleMode& mode : outcome.modes) mode.heatsink = networkCopy(network);
        return simulateLoadCycle(outcome.modes, *device.limits, *device.params, outcome.heatsink,
                                 outcome.result, path);
    };
    return runRequest<LoadCycleOutcome>(library, request, inputs, calculate);
}

int chosenModulation(bool twoArms, bool threeArms) {
    if (twoArms) return kModulationTwoArms;
    return threeArms ? kModulationThreeArms : 0;
}

PageAnswer pageAnswer(RequestStage stage, const std::string& message,
                      const DeviceIndexEntry* device) {
    PageAnswer answer;
    // A refused Ta ends the command before the device is looked up.
    answer.deviceUsed = stage != RequestStage::Ambient && device != nullptr;
    if (stage != RequestStage::None) answer.message = message;
    answer.showResult = stage == RequestStage::None;
    return answer;
}

bool steadyCalculateEnabled(bool deviceApplied, bool modelReady) {
    return deviceApplied && modelReady;
}

bool loadCycleCalculateEnabled(bool deviceApplied, bool modelReady, std::size_t rowCount) {
    return deviceApplied && modelReady && rowCount >= 1;
}

}  // namespace thermalyx
