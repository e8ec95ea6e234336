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
    const LossResult loss{r.igbtSaturationLoss, r.igbtTurnOnLoss, r.igbtTurnOffLoss,
                          r.fwdSaturationLoss, r.fwdRecoveryLoss};
    appendTitle(out, "[Calculation result(Loss)]");
    appendLossLines(out, loss, r.igbtTurnOffLoss + r.igbtSaturationLoss + r.igbtTurnOnLoss,
                    r.igbtTurnOffLoss + r.fwdSaturationLoss + r.igbtSaturationLoss +
                        r.fwdRecoveryLoss + r.igbtTurnOnLoss);
    appendEmptyLine(out);
}

void appendCycleTemperatures(std::string& out, const LoadCycleResult& c) {
    // The cycle's maxima and Ta; its report shows no averages.
    const TemperatureResult t{.igbtDeltaTjcMax = c.igbtDeltaTjcMax,
                              .fwdDeltaTjcMax = c.fwdDeltaTjcMax,
                              .tcMax = c.tcMax,
                              .tfMax = c.tfMax,
                              .igbtTjMax = c.igbtTjMax,
                              .fwdTjMax = c.fwdTjMax,
                              .ambientTemperature = c.ambientTemperature};
    appendTitle(out, "[Calculation result(Temperature)]");
    appendTemperatureLines(out, t, false);
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
    return report::writeBuiltReport(
        path, options, reason, [&](const ReportTime& time, std::string& text) {
            return buildLoadCycleReport(library, modes, result, time, text, reason);
        });
}

}  // namespace thermalyx
