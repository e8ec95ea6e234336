// What every device of an analysis shares: one operating point, given as the
// texts of a steady request whose series and type number are filled per device.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/records.h"
#include "pages/calculation_request.h"

namespace thermalyx {

// The part of a steady run an analysis reads: which of the two is hotter.
enum class LimitedBy { Igbt, Fwd, CurrentLimit };

// "igbt", "fwd", "currentLimit".
std::string_view limitedByText(LimitedBy part);

// The hotter of IGBT and FWD junctions (the IGBT on a tie).
double hotterJunction(const TemperatureResult& t);
LimitedBy hotterPart(const TemperatureResult& t);

// The checks no device can pass differently, in the pipeline's order: the heat
// sink given as texts or as an estimate, Ta, the modulation, and each given
// operating text as a number. Returns the message, empty when they pass.
std::string checkSharedInputs(const SteadyRequest& point);

// The engine's heat-sink model a request computes with when its heat sink is
// given as texts or an estimate (the page's numbers as they stand), with Ta.
// Meaningful once checkSharedInputs has passed.
HeatsinkModel sharedHeatsinkModel(const SteadyRequest& point);

// The value of a product-information text, none when it is not a number.
std::optional<double> productNumber(std::string_view text);

}  // namespace thermalyx
