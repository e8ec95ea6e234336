#include "cli/calculation_options.h"

#include <algorithm>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/modes_file.h"

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

}  // namespace

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
