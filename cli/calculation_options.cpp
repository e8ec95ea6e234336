#include "cli/calculation_options.h"

#include <algorithm>
#include <array>
#include <vector>

#include <CLI/CLI.hpp>

#include "analysis/sweep.h"
#include "cli/modes_file.h"
#include "pages/input_rules.h"

namespace thermalyx::cli {
namespace {

bool splitStages(std::string_view text, StageTexts& stages) {
    const std::vector<std::string> fields = splitFields(text);
    if (fields.size() != stages.size()) return false;
    std::copy(fields.begin(), fields.end(), stages.begin());
    return true;
}

// Exactly one of the two forms, complete.
std::string checkForm(const HeatsinkOptions& h) {
    const bool network = h.rth || h.tth;
    const bool estimate = h.capacity || h.rthFactor || h.tthFactor;
    if (network && estimate)
        return "give the heat sink either as --rth and --tth or as --capacity, not both";
    if (!network && !estimate)
        return "give the heat sink as --rth A,B,C,D --tth A,B,C,D or as --capacity P";
    if (network && !(h.rth && h.tth)) return "--rth and --tth go together";
    if (estimate && !h.capacity) return "--rth-factor and --tth-factor need --capacity";
    return {};
}

// The operating options in field order. An analysis cannot do without the
// inputs it requires; it takes the others, when left out, from each device.
struct OperatingOption {
    std::string_view label;
    std::string_view unit;
    bool requiredByAnalyses;
};
constexpr std::array<OperatingOption, 8> kOperatingOptions = {{
    {"Output frequency", "Hz", true},
    {"Output current", "A rms", false},
    {"Carrier frequency", "kHz", false},
    {"Power factor", "-1 to 1", true},
    {"Modulation rate", "", true},
    {"DC link voltage", "V", true},
    {"Gate resistance on", "ohm", false},
    {"Gate resistance off", "ohm", false},
}};

// "--output-frequency" for the first field, and so on.
std::string optionName(std::size_t field) {
    return "--" + std::string(sweepInputName(kSweepInputs[field]));
}

std::string optionHelp(std::size_t field, OperatingOptionsFor use) {
    const OperatingOption& option = kOperatingOptions[field];
    const bool everyDevice = use == OperatingOptionsFor::EveryDevice;
    // Only the gate resistances have a default of their own in every device.
    const bool deviceDefault = everyDevice && (kSweepInputs[field] == SweepInput::RgOn ||
                                               kSweepInputs[field] == SweepInput::RgOff);
    std::string help(option.label);
    if (!option.unit.empty()) {
        help += " (";
        help += option.unit;
        if (deviceDefault) help += "; default: each device's";
        help += ')';
    }
    if (everyDevice && option.requiredByAnalyses) help += ", required";
    return help;
}

}  // namespace

void addOperatingOptions(CLI::App& command, GivenConditionTexts& texts, bool& dcLock,
                         OperatingOptionsFor use) {
    const auto fields = conditionFields(texts);
    for (std::size_t i = 0; i < fields.size(); ++i)
        command.add_option(optionName(i), *fields[i], optionHelp(i, use));
    command.add_flag("--dc-lock", dcLock, "DC LOCK: the current flows as direct current");
}

std::string missingAnalysisInput(const GivenConditionTexts& texts) {
    const auto fields = conditionFields(texts);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (kOperatingOptions[i].requiredByAnalyses && !*fields[i])
            return optionName(i) + " is required";
    }
    return {};
}

void addHeatsinkOptions(CLI::App& command, HeatsinkOptions& h) {
    command.add_option("--rth", h.rth, "Heat-sink stages Rth1,Rth2,Rth3,Rth4 (K/W), as texts");
    command.add_option("--tth", h.tth,
                       "Heat-sink time constants Tth1,Tth2,Tth3,Tth4 (s), as texts");
    command.add_option("--capacity", h.capacity,
                       "Estimate the heat sink for this inverter capacity (kW)");
    command.add_option("--rth-factor", h.rthFactor,
                       "Rth correction factor of the estimate (default 1.0)");
    command.add_option("--tth-factor", h.tthFactor,
                       "Tth correction factor of the estimate (default 1.0)");
}

std::string heatsinkSourceOf(const HeatsinkOptions& h, HeatsinkSource& source) {
    if (std::string error = checkForm(h); !error.empty()) return error;
    if (h.capacity) {
        CapacityEstimate estimate;
        estimate.capacity = *h.capacity;
        if (h.rthFactor) estimate.rthFactor = *h.rthFactor;
        if (h.tthFactor) estimate.tthFactor = *h.tthFactor;
        source = std::move(estimate);
        return {};
    }
    NetworkTexts network;
    if (!splitStages(*h.rth, network.rth)) return "--rth takes four comma-separated values";
    if (!splitStages(*h.tth, network.tth)) return "--tth takes four comma-separated values";
    source = std::move(network);
    return {};
}

int armsModulation(std::string_view arms) {
    if (arms == "2") return kModulationTwoArms;
    if (arms == "3") return kModulationThreeArms;
    return 0;
}

}  // namespace thermalyx::cli
