// The lines of a report as the report tests read them back.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace thermalyx::test {

// The lines of a report, each without its CR LF; false when a line lacks it.
inline bool splitReportLines(const std::string& text, std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

// The number of lines of a report; a line without its CR LF fails the test.
inline std::size_t reportLineCount(const std::string& text) {
    std::vector<std::string> lines;
    EXPECT_TRUE(splitReportLines(text, lines));
    return lines.size();
}

// The text a report builder writes as build(inputs..., text, reason); a
// failure, with its reason, fails the test.
template <class Build, class... Inputs>
std::string builtReport(Build build, const Inputs&... inputs) {
    std::string text, reason;
    EXPECT_TRUE(build(inputs..., text, reason)) << reason;
    return text;
}

// The opening both reports write, up to the blank line after the device
// block, for a Z-Series 6in1 device of makeLibrary's product information.
inline std::string reportOpening(const std::string& date, const std::string& typeNumber) {
    return "IGBT/FWD power loss simulation for PWM inverter/converter systems\r\n"
           "Output date                  :" +
           date +
           "\r\n"
           "\r\n"
           "\r\n"
           "[Condition input]\r\n"
           "\r\n"
           "Type number\t\t\t:" +
           typeNumber +
           "\r\n"
           "Series\t\t\t\t:Z-Series\r\n"
           "\r\n"
           "Circuit composition\t\t:6in1\r\n"
           "VCES(V)\t\t\t\t:600\r\n"
           "IC(A)\t\t\t\t:50\r\n"
           "VCE(sat)(V)\t\t\t:1.50\r\n"
           "PC(W)\t\t\t\t:219\r\n"
           "Standard rg(ohm)\t\t:10\r\n"
           "Package\t\t\t\t:NP-A (62x108 mm)\r\n"
           "Update\t\t\t\t:2025/10\r\n"
           "\r\n";
}

}  // namespace thermalyx::test
