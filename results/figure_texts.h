// What both result windows' figures share: a figure's place in its window's
// list and the texts of the figures.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "library/number_text.h"

namespace thermalyx {

template <typename Figure>
constexpr std::size_t figureIndex(Figure figure) {
    return static_cast<std::size_t>(figure);
}

// The figures' texts: each value "%.2f", in the figures' order, then the
// ambient figure, the last, as the text the calculation was started with.
template <std::size_t Count>
std::array<std::string, Count> figureTexts(const std::array<double, Count - 1>& values,
                                           std::string_view ambientText) {
    std::array<std::string, Count> texts;
    for (std::size_t i = 0; i < values.size(); ++i) {
        texts[i] = formatFixed(values[i], 2);
    }
    texts[Count - 1] = std::string(ambientText);
    return texts;
}

}  // namespace thermalyx
