// Names of parameterised test cases taken from their descriptions.
#pragma once

#include <cctype>
#include <string>

namespace thermalyx::test {

// A case's description as a test name: every character but a letter or a
// digit becomes '_'.
inline std::string caseName(std::string description) {
    for (char& ch : description) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return description;
}

}  // namespace thermalyx::test
