#include "results/report_sections.h"

#include <ctime>
#include <vector>

#include "library/number_text.h"

namespace thermalyx {
namespace {

// "%0Nd": at least width characters, zero-padded after the sign.
std::string zeroPadded(int value, int width) {
    std::string digits = formatInt(value < 0 ? -static_cast<long long>(value) : value);
    const int room = width - (value < 0 ? 1 : 0);
    if (static_cast<int>(digits.size()) < room) {
        digits.insert(0, static_cast<std::size_t>(room) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// A field of digits only, of the given width, read as a whole number.
bool readDigits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
    const std::string_view field = text.substr(pos, width);
    for (char c : field) {
        if (c < '0' || c > '9') return false;
    }
    value = static_cast<int>(readNumber(field));
    return true;
}

}  // namespace

ReportTime currentReportTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ReportTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec;
    return time;
}

bool parseReportTime(std::string_view text, ReportTime& time) {
    // YYYY/MM/DD HH:MM:SS
    if (text.size() != 19 || text[4] != '/' || text[7] != '/' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return false;
    }
    ReportTime t;
    if (!readDigits(text, 0, 4, t.year) || !readDigits(text, 5, 2, t.month) ||
        !readDigits(text, 8, 2, t.day) || !readDigits(text, 11, 2, t.hour) ||
        !readDigits(text, 14, 2, t.minute) || !readDigits(text, 17, 2, t.second)) {
        return false;
    }
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 60) {
        return false;
    }
    time = t;
    return true;
}

namespace report {

void appendLine(std::string& out, std::string_view label, std::string_view value) {
    out += label;
    out += ':';
    out += value;
    out += kReportLineEnd;
}

void appendEmptyLine(std::string& out) {
    out += kReportLineEnd;
}

void appendTitle(std::string& out, std::string_view title) {
    out += title;
    out += kReportLineEnd;
}

void appendHeader(std::string& out, const ReportTime& time) {
    appendTitle(out, "IGBT/FWD power loss simulation for PWM inverter/converter systems");
    const std::string stamp = zeroPadded(time.year, 4) + "/" + zeroPadded(time.month, 2) + "/" +
                              zeroPadded(time.day, 2) + " " + zeroPadded(time.hour, 2) + ":" +
                              zeroPadded(time.minute, 2) + ":" + zeroPadded(time.second, 2);
    appendLine(out, "Output date                  ", stamp);
    appendEmptyLine(out);
    appendEmptyLine(out);
}

void appendDevice(std::string& out, const DeviceSpecRecord& spec,
                  const DeviceSearchRecord& search) {
    appendTitle(out, "[Condition input]");
    appendEmptyLine(out);
    appendLine(out, "Type number\t\t\t", spec.typeNumber);
    appendLine(out, "Series\t\t\t\t", spec.series);
    appendEmptyLine(out);
    appendLine(out, "Circuit composition\t\t", search.circuitComposition);
    appendLine(out, "VCES(V)\t\t\t\t", spec.productInfo[0]);
    appendLine(out, "IC(A)\t\t\t\t", spec.productInfo[1]);
    appendLine(out, "VCE(sat)(V)\t\t\t", spec.productInfo[2]);
    appendLine(out, "PC(W)\t\t\t\t", spec.productInfo[3]);
    appendLine(out, "Standard rg(ohm)\t\t", spec.productInfo[4]);
    appendLine(out, "Package\t\t\t\t", spec.productInfo[5]);
    appendLine(out, "Update\t\t\t\t", spec.productInfo[6]);
    appendEmptyLine(out);
}

void appendArms(std::string& out, int modulation) {
    // The record holds the modulation method; the report names its arm count.
    appendLine(out, "Select arms(Arms)\t\t", formatInt(modulation == kModulationTwoArms ? 2 : 3));
}

void appendElectrical(std::string& out, const OperatingCondition& c) {
    appendLine(out, "Output current(Arms)\t\t", formatFixed(c.outputCurrentRms, 1));
    appendLine(out, "Carrier frequency(KHz)\t\t", formatFixed(c.carrierFrequency, 1));
    appendLine(out, "Power factor\t\t\t", formatFixed(c.powerFactor, 1));
    appendLine(out, "Modulation rate\t\t\t", formatFixed(c.modulationRate, 1));
    appendLine(out, "DC link voltage(Vol)\t\t", formatFixed(c.dcVoltage, 1));
    appendLine(out, "Gate resistance(on)(ohm)\t", formatFixed(c.rgOn, 1));
    appendLine(out, "Gate resistance(off)(ohm)\t", formatFixed(c.rgOff, 1));
}

void appendHeatsink(std::string& out, const HeatsinkModel& heatsink) {
    appendTitle(out, "[Heat sink]");
    for (std::size_t i = 0; i < heatsink.rth.size(); ++i) {
        appendLine(out, "Rth" + formatInt(static_cast<long long>(i) + 1) + "(K/W)\t\t\t",
                   formatFixed(heatsink.rth[i], 4));
    }
    for (std::size_t i = 0; i < heatsink.tth.size(); ++i) {
        appendLine(out, "Tth" + formatInt(static_cast<long long>(i) + 1) + "(s)\t\t\t\t",
                   formatFixed(heatsink.tth[i], 1));
    }
    appendTitle(out, "Thermal resistance");
    // The steady-state resistance of the unrounded stages, first to fourth.
    const double sum = heatsink.rth[0] + heatsink.rth[1] + heatsink.rth[2] + heatsink.rth[3];
    appendLine(out, "(steady state)(K/W)\t\t", formatFixed(sum, 4));
    appendEmptyLine(out);
}

void appendLossLines(std::string& out, const LossResult& loss, double igbtPart, double total) {
    const auto line = [&out](std::string_view label, double watts) {
        appendLine(out, label, formatFixed(watts, 2));
    };
    appendTitle(out, ">IGBT power loss");
    line("Saturation loss(W)\t\t", loss.igbtSaturationLoss);
    line("turn on loss(W)\t\t\t", loss.igbtTurnOnLoss);
    line("turn off loss(W)\t\t", loss.igbtTurnOffLoss);
    line("IGBT part(W)\t\t\t", igbtPart);
    appendTitle(out, ">FWD power loss");
    line("Saturation loss(W)\t\t", loss.fwdSaturationLoss);
    line("Recovery loss(W)\t\t", loss.fwdRecoveryLoss);
    line("FWD part(W)\t\t\t", loss.fwdSaturationLoss + loss.fwdRecoveryLoss);
    appendTitle(out, ">Total power losses");
    line("IGBT+FWD(W)\t\t\t", total);
}

void appendTemperatureLines(std::string& out, const TemperatureResult& t, bool averages) {
    const auto line = [&out](std::string_view label, double degrees) {
        appendLine(out, label, formatFixed(degrees, 2));
    };
    const auto average = [&line, averages](std::string_view label, double degrees) {
        if (averages) line(label, degrees);
    };
    line("IGBT Delta Tj-c max(deg.)\t", t.igbtDeltaTjcMax);
    average("IGBT Delta Tj-c ave(deg.)\t", t.igbtDeltaTjcAve);
    line("IGBT Tj max(deg.)\t\t", t.igbtTjMax);
    line("FWD Delta Tj-c max(deg.)\t", t.fwdDeltaTjcMax);
    average("FWD Delta Tj-c ave(deg.)\t", t.fwdDeltaTjcAve);
    line("FWD Tj max(deg.)\t\t", t.fwdTjMax);
    line("Tc max(deg.)\t\t\t", t.tcMax);
    average("Tc ave(deg.)\t\t\t", t.tcAve);
    line("Tf max(deg.)\t\t\t", t.tfMax);
    average("Tf ave(deg.)\t\t\t", t.tfAve);
    line("Ta(deg.)\t\t\t", t.ambientTemperature);
}

bool writeBuiltReport(const std::string& path, const ReportWriteOptions& options,
                      std::string& reason,
                      const std::function<bool(const ReportTime& time, std::string& text)>& build) {
    std::string text;
    if (!build(options.time ? *options.time : currentReportTime(), text)) return false;
    ReportFileSystem& files = options.files ? *options.files : systemReportFileSystem();
    return writeReportFile(path, text, files, reason);
}

const DeviceIndexEntry* findReportDevice(const DeviceLibrary& library, std::string_view series,
                                         std::string_view typeNumber) {
    std::vector<const DeviceIndexEntry*> found;
    if (!library.findDevices(found, DeviceQueryKind::BySeriesAndType, series, typeNumber)) {
        return nullptr;
    }
    const DeviceIndexEntry* entry = found.front();
    return entry->spec != nullptr && entry->search != nullptr ? entry : nullptr;
}

}  // namespace report
}  // namespace thermalyx
