#include "results/load_cycle_report.h"

#include "library/number_text.h"

namespace thermalyx {
namespace {

using namespace report;

void appendMode(std::string& out, int number, const LoadCycleMode& m) {
    appendTitle(out, "[Mode No." + formatInt(number) + "]");
    appendArms(out, m.modulation);
    appendLine(out, "Output frequency(start)(Hz)\t", formatFixed(m.frequencyStart, 1));
    appendLine(out, "Output frequency(end)(Hz)\t", formatFixed(m.frequencyEnd, 1));
    appendElectrical(out, m);
    appendEmptyLine(out);
}

void appendModeLosses(std::string& out, const ModeResult& r) {
    LossFigures f;
    f.igbtSaturation = r.igbtSaturationLoss;
    f.igbtTurnOn = r.igbtTurnOnLoss;
    f.igbtTurnOff = r.igbtTurnOffLoss;
    f.igbtPart = r.igbtTurnOffLoss + r.igbtSaturationLoss + r.igbtTurnOnLoss;
    f.fwdSaturation = r.fwdSaturationLoss;
    f.fwdRecovery = r.fwdRecoveryLoss;
    f.fwdPart = r.fwdSaturationLoss + r.fwdRecoveryLoss;
    f.total = r.igbtTurnOffLoss + r.fwdSaturationLoss + r.igbtSaturationLoss + r.fwdRecoveryLoss +
              r.igbtTurnOnLoss;
    appendTitle(out, "[Calculation result(Loss)]");
    appendLossLines(out, f);
    appendEmptyLine(out);
}

void appendCycleTemperatures(std::string& out, const LoadCycleResult& t) {
    appendTitle(out, "[Calculation result(Temperature)]");
    appendLine(out, "IGBT Delta Tj-c max(deg.)\t", formatFixed(t.igbtDeltaTjcMax, 2));
    appendLine(out, "IGBT Tj max(deg.)\t\t", formatFixed(t.igbtTjMax, 2));
    appendLine(out, "FWD Delta Tj-c max(deg.)\t", formatFixed(t.fwdDeltaTjcMax, 2));
    appendLine(out, "FWD Tj max(deg.)\t\t", formatFixed(t.fwdTjMax, 2));
    appendLine(out, "Tc max(deg.)\t\t\t", formatFixed(t.tcMax, 2));
    appendLine(out, "Tf max(deg.)\t\t\t", formatFixed(t.tfMax, 2));
    appendLine(out, "Ta(deg.)\t\t\t", formatFixed(t.ambientTemperature, 2));
}

}  // namespace

bool buildLoadCycleReport(const DeviceLibrary& library, const std::vector<LoadCycleMode>& modes,
                          const LoadCycleResult& result, const ReportTime& time, std::string& text,
                          std::string& reason) {
    if (modes.empty()) {
        reason = "the load cycle has no modes";
        return false;
    }
    // Mode i's section reads row i and result entry i (entry 0 is unused).
    const auto count = static_cast<std::size_t>(result.modeCount < 0 ? 0 : result.modeCount);
    if (count > modes.size() || (count > 0 && result.modes.size() <= count)) {
        reason = "the load-cycle result does not match its modes";
        return false;
    }
    const LoadCycleMode& first = modes.front();
    const DeviceIndexEntry* device = findReportDevice(library, first.series, first.typeNumber);
    if (device == nullptr) {
        reason = "the device " + first.series + " " + first.typeNumber + " is not in the library";
        return false;
    }
    std::string out;
    appendHeader(out, time);
    appendDevice(out, *device->spec, *device->search);
    appendHeatsink(out, first.heatsink);
    for (std::size_t i = 1; i <= count; ++i) {
        appendMode(out, static_cast<int>(i), modes[i - 1]);
        appendModeLosses(out, result.modes[i]);
    }
    appendCycleTemperatures(out, result);
    text = std::move(out);
    return true;
}

bool writeLoadCycleReport(const std::string& path, const DeviceLibrary& library,
                          const std::vector<LoadCycleMode>& modes, const LoadCycleResult& result,
                          std::string& reason, const ReportWriteOptions& options) {
    std::string text;
    const ReportTime time = options.time ? *options.time : currentReportTime();
    if (!buildLoadCycleReport(library, modes, result, time, text, reason)) return false;
    ReportFileSystem& files = options.files ? *options.files : systemReportFileSystem();
    return writeReportFile(path, text, files, reason);
}

}  // namespace thermalyx
