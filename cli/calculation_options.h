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

// Who the operating options describe: the one device of a calculation, or
// every device of an analysis (which needs four of them and takes each
// device's gate resistances when they are left out).
enum class OperatingOptionsFor { OneDevice, EveryDevice };

// Adds --output-frequency ... --rg-off (in field order) and --dc-lock.
void addOperatingOptions(CLI::App& command, GivenConditionTexts& texts, bool& dcLock,
                         OperatingOptionsFor use);

// For every device: the first of the four inputs an analysis needs that was
// left out, as "--NAME is required"; empty when all four are given.
std::string missingAnalysisInput(const GivenConditionTexts& texts);

// The modulation of "--arms 2" and "--arms 3"; 0 for any other text.
int armsModulation(std::string_view arms);

}  // namespace thermalyx::cli
