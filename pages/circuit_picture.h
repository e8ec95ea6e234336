// The condition page's picture: the three-phase inverter the inputs describe
// and its two modulation methods.
#pragma once

#include <QImage>

namespace thermalyx {

inline constexpr QSize kCircuitPictureSize{280, 350};

QImage circuitPicture();

}  // namespace thermalyx
