// What the other pages hold when a calculate command starts: the Ta text and
// the network of the heat-sink page, and the device the selection page's lists
// name. The main window gathers it; the calculating page passes it on.
#pragma once

#include <string>

#include "pages/calculation_request.h"

namespace thermalyx {

struct SharedInputs {
    std::string ambientText;
    std::string series;
    std::string typeNumber;
    PageHeatsink heatsink;
};

}  // namespace thermalyx
