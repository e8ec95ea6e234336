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
    appendTitle(out, "[Calculation result]");
    appendLossLines(out, loss, loss.igbtTurnOnLoss + loss.igbtSaturationLoss + loss.igbtTurnOffLoss,
                    loss.fwdSaturationLoss + loss.fwdRecoveryLoss + loss.igbtTurnOnLoss +
                        loss.igbtSaturationLoss + loss.igbtTurnOffLoss);
}

void appendTemperatures(std::string& out, const TemperatureResult& t) {
    appendTitle(out, ">Temperature");
    appendTemperatureLines(out, t, true);
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
    return report::writeBuiltReport(
        path, options, reason, [&](const ReportTime& time, std::string& text) {
            return buildSteadyReport(library, condition, result, time, text, reason);
        });
}

}  // namespace thermalyx
