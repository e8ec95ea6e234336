#include "results/steady_report.h"

#include "library/number_text.h"

namespace thermalyx {
namespace {

using namespace report;

void appendConditions(std::string& out, const OperatingCondition& c) {
    appendArms(out, c.modulation);
    appendLine(out, "Output frequency(Hz)\t\t", formatFixed(c.outputFrequency, 1));
    appendElectrical(out, c);
    appendEmptyLine(out);
}

void appendLosses(std::string& out, const LossResult& loss) {
    LossFigures f;
    f.igbtSaturation = loss.igbtSaturationLoss;
    f.igbtTurnOn = loss.igbtTurnOnLoss;
    f.igbtTurnOff = loss.igbtTurnOffLoss;
    f.igbtPart = loss.igbtTurnOnLoss + loss.igbtSaturationLoss + loss.igbtTurnOffLoss;
    f.fwdSaturation = loss.fwdSaturationLoss;
    f.fwdRecovery = loss.fwdRecoveryLoss;
    f.fwdPart = loss.fwdSaturationLoss + loss.fwdRecoveryLoss;
    f.total = loss.fwdSaturationLoss + loss.fwdRecoveryLoss + loss.igbtTurnOnLoss +
              loss.igbtSaturationLoss + loss.igbtTurnOffLoss;
    appendTitle(out, "[Calculation result]");
    appendLossLines(out, f);
}

void appendTemperatures(std::string& out, const TemperatureResult& t) {
    appendTitle(out, ">Temperature");
    appendLine(out, "IGBT Delta Tj-c max(deg.)\t", formatFixed(t.igbtDeltaTjcMax, 2));
    appendLine(out, "IGBT Delta Tj-c ave(deg.)\t", formatFixed(t.igbtDeltaTjcAve, 2));
    appendLine(out, "IGBT Tj max(deg.)\t\t", formatFixed(t.igbtTjMax, 2));
    appendLine(out, "FWD Delta Tj-c max(deg.)\t", formatFixed(t.fwdDeltaTjcMax, 2));
    appendLine(out, "FWD Delta Tj-c ave(deg.)\t", formatFixed(t.fwdDeltaTjcAve, 2));
    appendLine(out, "FWD Tj max(deg.)\t\t", formatFixed(t.fwdTjMax, 2));
    appendLine(out, "Tc max(deg.)\t\t\t", formatFixed(t.tcMax, 2));
    appendLine(out, "Tc ave(deg.)\t\t\t", formatFixed(t.tcAve, 2));
    appendLine(out, "Tf max(deg.)\t\t\t", formatFixed(t.tfMax, 2));
    appendLine(out, "Tf ave(deg.)\t\t\t", formatFixed(t.tfAve, 2));
    appendLine(out, "Ta(deg.)\t\t\t", formatFixed(t.ambientTemperature, 2));
}

}  // namespace

bool buildSteadyReport(const DeviceLibrary& library, const OperatingCondition& condition,
                       const SteadyResult& result, const ReportTime& time, std::string& text,
                       std::string& reason) {
    const DeviceIndexEntry* device =
        findReportDevice(library, condition.series, condition.typeNumber);
    if (device == nullptr) {
        reason = "the device " + condition.series + " " + condition.typeNumber +
                 " is not in the library";
        return false;
    }
    std::string out;
    appendHeader(out, time);
    appendDevice(out, *device->spec, *device->search);
    appendConditions(out, condition);
    appendHeatsink(out, condition.heatsink);
    appendLosses(out, result.loss);
    appendTemperatures(out, result.temperature);
    text = std::move(out);
    return true;
}

bool writeSteadyReport(const std::string& path, const DeviceLibrary& library,
                       const OperatingCondition& condition, const SteadyResult& result,
                       std::string& reason, const ReportWriteOptions& options) {
    std::string text;
    const ReportTime time = options.time ? *options.time : currentReportTime();
    if (!buildSteadyReport(library, condition, result, time, text, reason)) return false;
    ReportFileSystem& files = options.files ? *options.files : systemReportFileSystem();
    return writeReportFile(path, text, files, reason);
}

}  // namespace thermalyx
