// Random damage for the tests that feed broken files to a reader: a fixed
// linear congruential sequence, so every run damages the files alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace thermalyx::test {

class DamageSequence {
public:
    explicit DamageSequence(std::uint32_t seed) : state_(seed) {}

    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

    // The three texts with one of them given 1 to 4 edits, each at a random
    // place: a byte replaced by replacement(), the text cut there, or
    // splice(text, place). A text left empty gets filler.
    template <class Replacement, class Splice>
    std::array<std::string, 3> damageOne(const std::array<std::string, 3>& texts,
                                         Replacement replacement, Splice splice, char filler) {
        std::array<std::string, 3> damaged = texts;
        std::string& t = damaged[next() % 3];
        for (int edits = 1 + static_cast<int>(next() % 4); edits > 0; --edits) {
            const std::size_t at = next() % t.size();
            switch (next() % 3) {
                case 0:
                    t[at] = replacement();
                    break;
                case 1:
                    t.resize(at);
                    break;
                default:
                    splice(t, at);
                    break;
            }
            if (t.empty()) t.push_back(filler);
        }
        return damaged;
    }

private:
    std::uint32_t state_;
};

}  // namespace thermalyx::test
