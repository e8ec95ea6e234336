// The heat-sink page's picture: the thermal path from the chips to the air and
// the transient model of the heat sink.
#pragma once

#include <QImage>

namespace thermalyx {

inline constexpr QSize kThermalModelPictureSize{280, 350};

QImage thermalModelPicture();

}  // namespace thermalyx
