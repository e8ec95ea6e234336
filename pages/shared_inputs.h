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

// Starts a request from what the pages share and the calculating page's
// modulation; the rest of the request is left as it is.
inline void startRequest(RequestFront& request, const SharedInputs& inputs, int modulation) {
    request = RequestFront{inputs.ambientText, inputs.series, inputs.typeNumber, modulation,
                           inputs.heatsink};
}

}  // namespace thermalyx
