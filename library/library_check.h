// Checks the three device data files for what would make the program compute
// nonsense or show something else than the author meant: files that disagree
// on the devices (the program pairs them by position only), limits that let
// impossible inputs through, curves that are negative or fall with rising
// current, Foster fractions that do not add up, texts the program would cut.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace thermalyx {

struct LibraryFinding {
    // The device key the finding is about, or a file name when it is about a
    // whole file.
    std::string device;
    std::string message;

    // "DEVICE: MESSAGE"
    std::string text() const { return device + ": " + message; }
};

// Checks the contents of the three files. An empty view stands for a file
// that is missing or empty.
std::vector<LibraryFinding> checkLibraryFiles(std::string_view specBytes,
                                              std::string_view limitsBytes,
                                              std::string_view paramBytes);

// Reads the three files from folder (ending with the path separator or not)
// and checks them; also loads them as the program does and reports when that
// fails.
std::vector<LibraryFinding> checkLibrary(const std::string& folder);

}  // namespace thermalyx
