// What the steady-state and the load-cycle report share: the header with its
// date and time, the device, the heat sink, the loss and temperature lines.
//
// Every line ends with CR LF; tabs align the values behind their labels. The
// lines are built as strings of any length, so no device text can overflow them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/records.h"
#include "library/device_library.h"
#include "library/report_file.h"

namespace thermalyx {

// The local date and time written in the report's header.
struct ReportTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The clock's local date and time now.
ReportTime currentReportTime();

// Reads "YYYY/MM/DD HH:MM:SS" (a real calendar date, hour 0..23, leap second
// allowed); false for anything else.
bool parseReportTime(std::string_view text, ReportTime& time);

// How a report is written: the header's time (the clock when empty) and the files.
struct ReportWriteOptions {
    std::optional<ReportTime> time;
    ReportFileSystem* files = nullptr;  // the system's files when null
};

inline constexpr std::string_view kReportLineEnd = "\r\n";

namespace report {

// A "label:value" line; the label carries its own tabs.
void appendLine(std::string& out, std::string_view label, std::string_view value);
void appendEmptyLine(std::string& out);
void appendTitle(std::string& out, std::string_view title);

void appendHeader(std::string& out, const ReportTime& time);
void appendDevice(std::string& out, const DeviceSpecRecord& spec, const DeviceSearchRecord& search);
void appendArms(std::string& out, int modulation);
// "Output current(Arms)" to "Gate resistance(off)(ohm)", one decimal each.
void appendElectrical(std::string& out, const OperatingCondition& condition);
void appendHeatsink(std::string& out, const HeatsinkModel& heatsink);
// Lines 2 to 12 of a loss block (">IGBT power loss" to "IGBT+FWD(W)"). The
// IGBT part and the total come summed in the order of the report at hand.
void appendLossLines(std::string& out, const LossResult& loss, double igbtPart, double total);
// The temperature lines, "IGBT Delta Tj-c max(deg.)" to "Ta(deg.)"; the "ave"
// lines only with averages.
void appendTemperatureLines(std::string& out, const TemperatureResult& t, bool averages);

// Builds a report with build(time, text), at the options' time or the clock's,
// and writes the text to path through the options' files (the system's when
// none). False, with reason set, when either step fails.
bool writeBuiltReport(const std::string& path, const ReportWriteOptions& options,
                      std::string& reason,
                      const std::function<bool(const ReportTime& time, std::string& text)>& build);

// The first device found by series and type, or nullptr.
const DeviceIndexEntry* findReportDevice(const DeviceLibrary& library, std::string_view series,
                                         std::string_view typeNumber);

}  // namespace report
}  // namespace thermalyx
