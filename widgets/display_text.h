// The one conversion of library texts (bytes) into texts shown on screen.
#pragma once

#include <QString>
#include <string_view>

namespace thermalyx {

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1 (every byte one character).
QString displayText(std::string_view bytes);

}  // namespace thermalyx
