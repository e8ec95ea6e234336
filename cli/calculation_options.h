// What the calculating subcommands take alike: the heat sink, given as the
// network's eight texts or as an estimate from an inverter capacity, and the
// inverter's arms.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/calculation_request.h"

namespace CLI {
class App;
}

namespace thermalyx::cli {

struct HeatsinkOptions {
    std::optional<std::string> rth;  // "A,B,C,D"
    std::optional<std::string> tth;  // "A,B,C,D"
    std::optional<std::string> capacity;
    std::optional<std::string> rthFactor;  // "1.0" when not given
    std::optional<std::string> tthFactor;  // "1.0" when not given
};

// Adds --rth, --tth, --capacity, --rth-factor and --tth-factor to a subcommand.
void addHeatsinkOptions(CLI::App& command, HeatsinkOptions& options);

// The heat sink the options give. Returns the usage error (not exactly one of
// the two forms, not four values each), empty on success; the texts and the
// estimate themselves are judged by the calculation request.
std::string heatsinkSourceOf(const HeatsinkOptions& options, HeatsinkSource& source);

// The modulation of "--arms 2" and "--arms 3"; 0 for any other text.
int armsModulation(std::string_view arms);

}  // namespace thermalyx::cli
