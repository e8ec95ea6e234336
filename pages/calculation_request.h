// The one road from what the input pages (or the command line) hold to a result:
// the ambient temperature, the device, the modulation, the operating inputs and
// the heat-sink network are checked in a fixed order, and the engine runs once.
//
// Every caller goes through here: the condition page, the load-cycle page, the
// command line's calculations and every analysis that runs many calculations.
// The first failing check ends the request with the message to show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/records.h"
#include "engine/solver_path.h"
#include "library/device_library.h"
#include "pages/heatsink_rules.h"
#include "pages/input_rules.h"

namespace thermalyx {

// The network as the heat-sink page holds it: the numbers (unrounded after an
// estimate) and whether the last estimate or edit left all eight valid.
struct PageHeatsink {
    StageValues rth{};
    StageValues tth{};
    bool complete = false;
};

// The network given as its eight texts (command line --rth, --tth).
struct NetworkTexts {
    StageTexts rth;
    StageTexts tth;
};

// The network estimated from an inverter capacity (command line --capacity).
struct CapacityEstimate {
    std::string capacity;
    std::string rthFactor = "1.0";
    std::string tthFactor = "1.0";
};

// Where the heat sink comes from also fixes when it is checked: the page's
// network after the operating inputs (the pages' order), texts and estimates
// before the ambient temperature (the command line's order).
using HeatsinkSource = std::variant<PageHeatsink, NetworkTexts, CapacityEstimate>;

// The eight operating inputs as given; one left out takes the device's default
// text (defaultConditionTexts).
struct GivenConditionTexts {
    std::optional<std::string> outputFrequency;
    std::optional<std::string> outputCurrent;
    std::optional<std::string> carrierFrequency;
    std::optional<std::string> powerFactor;
    std::optional<std::string> modulationRate;
    std::optional<std::string> dcVoltage;
    std::optional<std::string> rgOn;
    std::optional<std::string> rgOff;
};

// All eight given.
GivenConditionTexts givenTexts(const ConditionTexts& texts);
// The texts the checks see: the given ones, the device's defaults for the rest.
ConditionTexts completeConditionTexts(const GivenConditionTexts& given,
                                      const ConditionLimits& limits);

// The check a request stopped at.
enum class RequestStage {
    None,        // every check passed and the engine ran
    Heatsink,    // the network's texts or estimate (command-line order)
    Ambient,     // the Ta text
    Device,      // no device with this series and type number
    Modulation,  // neither "2 arms" nor "3 arms" chosen
    TableSize,   // more than 25 modes
    Inputs,      // the operating inputs or mode rows
    Model,       // the network the page holds is incomplete or not finite
    Engine,      // the engine refused what the rules passed
};

// What every request starts from: the Ta text, the device, the modulation and
// the heat sink.
struct RequestFront {
    std::string ambientText;
    std::string series;
    std::string typeNumber;
    int modulation = kModulationTwoArms;  // kModulationTwoArms, kModulationThreeArms; 0: none
    HeatsinkSource heatsink;
};

struct SteadyRequest : RequestFront {
    GivenConditionTexts texts;
    bool dcLock = false;
};

struct LoadCycleRequest : RequestFront {
    std::vector<ModeRowTexts> rows;
    int tjMode = 0;  // 1 "average", otherwise "maximum"
};

// What a request gives back: on success (stage None) the device, the checked
// inputs and the engine's result; otherwise the stage it stopped at and the
// message to show (empty for Device and Modulation, which the pages pass over
// silently and the command line reports in its own words).
struct SteadyOutcome {
    RequestStage stage = RequestStage::None;
    std::string message;
    const DeviceIndexEntry* device = nullptr;  // set from the Device check on
    OperatingCondition condition;              // its heatsink carries the network for the report
    HeatsinkModel heatsink;
    SteadyResult result;

    bool ok() const { return stage == RequestStage::None; }
};

struct LoadCycleOutcome {
    RequestStage stage = RequestStage::None;
    std::string message;
    const DeviceIndexEntry* device = nullptr;
    std::vector<LoadCycleMode> modes;
    HeatsinkModel heatsink;
    LoadCycleResult result;

    bool ok() const { return stage == RequestStage::None; }
};

SteadyOutcome runSteadyRequest(const DeviceLibrary& library, const SteadyRequest& request,
                               SolverPath path = SolverPath::Fast);
LoadCycleOutcome runLoadCycleRequest(const DeviceLibrary& library, const LoadCycleRequest& request,
                                     SolverPath path = SolverPath::Fast);

// The modulation the page's two options give: kModulationTwoArms,
// kModulationThreeArms, or 0 when neither is chosen.
int chosenModulation(bool twoArms, bool threeArms);

// What a page does with an outcome, in this order: it reports the device as
// used, shows the input-error message (none when empty: a missing device or
// modulation ends the command silently), and opens the result window.
struct PageAnswer {
    bool deviceUsed = false;
    std::string message;
    bool showResult = false;
};
PageAnswer pageAnswer(RequestStage stage, const std::string& message,
                      const DeviceIndexEntry* device);

// Whether a calculate command may be pressed: a device applied and a complete
// model, and for the load cycle at least one mode row.
bool steadyCalculateEnabled(bool deviceApplied, bool modelReady);
bool loadCycleCalculateEnabled(bool deviceApplied, bool modelReady, std::size_t rowCount);

}  // namespace thermalyx
