#include "cli/calculation_commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/cli_common.h"
#include "pages/heatsink_rules.h"
#include "results/load_cycle_report.h"
#include "results/steady_report.h"

namespace thermalyx::cli {
namespace {

constexpr int kModeFileFields = 11;
constexpr std::string_view kDefaultFactorText = "1.0";

// A rule's message is printed exactly as the pages show it, alone on its line.
int rejected(std::ostream& err, std::string_view message) {
    err << message << '\n';
    return kExitInputRejected;
}

int usage(std::ostream& err, std::string_view command, std::string_view message) {
    err << "thermalyx-cli " << command << ": " << message << '\n';
    return kExitUsage;
}

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

bool splitStages(std::string_view text, StageTexts& stages) {
    const std::vector<std::string> fields = splitFields(text);
    if (fields.size() != stages.size()) return false;
    std::copy(fields.begin(), fields.end(), stages.begin());
    return true;
}

// Usage errors of the heat-sink options: exactly one of the two forms.
bool checkHeatsinkForm(const HeatsinkOptions& h, std::string& error) {
    const bool network = h.rth || h.tth;
    const bool estimate = h.capacity || h.rthFactor || h.tthFactor;
    if (network && estimate) {
        error = "give the heat sink either as --rth and --tth or as --capacity, not both";
    } else if (!network && !estimate) {
        error = "give the heat sink as --rth A,B,C,D --tth A,B,C,D or as --capacity P";
    } else if (network && !(h.rth && h.tth)) {
        error = "--rth and --tth go together";
    } else if (estimate && !h.capacity) {
        error = "--rth-factor and --tth-factor need --capacity";
    } else {
        return true;
    }
    return false;
}

// The network from either form. Returns the exit status (kExitOk on success).
int heatsinkNetwork(const HeatsinkOptions& h, std::string_view command, StageValues& rth,
                    StageValues& tth, std::ostream& err) {
    std::string error;
    if (!checkHeatsinkForm(h, error)) return usage(err, command, error);
    if (h.capacity) {
        HeatsinkEstimate estimate;
        const std::string message = computeHeatsinkEstimate(
            *h.capacity, h.rthFactor.value_or(std::string(kDefaultFactorText)),
            h.tthFactor.value_or(std::string(kDefaultFactorText)), estimate);
        if (!message.empty()) return rejected(err, message);
        // The engine takes the unrounded estimate, as the page hands it over.
        rth = estimate.rth;
        tth = estimate.tth;
        return kExitOk;
    }
    StageTexts rthTexts, tthTexts;
    if (!splitStages(*h.rth, rthTexts))
        return usage(err, command, "--rth takes four comma-separated values");
    if (!splitStages(*h.tth, tthTexts))
        return usage(err, command, "--tth takes four comma-separated values");
    const std::string message = checkHeatsinkTexts(rthTexts, tthTexts, rth, tth);
    if (!message.empty()) return rejected(err, message);
    return kExitOk;
}

// Usage errors found before any input is judged.
int checkCommonUsage(const CalculationOptions& o, std::string_view command,
                     std::optional<ReportTime>& reportTime, std::ostream& err) {
    if (o.arms != "2" && o.arms != "3") return usage(err, command, "--arms takes 2 or 3");
    if (o.reportTime) {
        ReportTime time;
        if (!parseReportTime(*o.reportTime, time)) {
            return usage(err, command, "--report-time takes \"YYYY/MM/DD HH:MM:SS\"");
        }
        reportTime = time;
    }
    return kExitOk;
}

int modulationOf(const CalculationOptions& o) {
    return o.arms == "2" ? kModulationTwoArms : kModulationThreeArms;
}

// The library and the device. Returns the exit status (kExitOk on success).
int findDevice(const CalculationOptions& o, std::string_view command,
               std::unique_ptr<DeviceLibrary>& library, const DeviceIndexEntry*& device,
               std::ostream& err) {
    bool loaded = false;
    library = openLibrary(o.dataFolder, loaded);
    if (!loaded) {
        err << "thermalyx-cli " << command << ": the device library could not be loaded from "
            << (o.dataFolder.empty() ? library->programFolder : o.dataFolder) << '\n';
        return kExitLibraryNotLoaded;
    }
    std::vector<const DeviceIndexEntry*> found;
    if (!library->findDevices(found, DeviceQueryKind::BySeriesAndType, o.series, o.typeNumber)) {
        err << "thermalyx-cli " << command << ": no device with series \"" << o.series
            << "\" and type number \"" << o.typeNumber << "\" in the library\n";
        return kExitUnknownDevice;
    }
    device = found.front();
    return kExitOk;
}

HeatsinkModel networkCopy(const StageValues& rth, const StageValues& tth) {
    // The condition carries the network for the report only.
    HeatsinkModel copy;
    copy.rth = rth;
    copy.tth = tth;
    return copy;
}

ReportWriteOptions reportOptions(const std::optional<ReportTime>& time) {
    ReportWriteOptions options;
    options.time = time;
    return options;
}

nlohmann::json stagesJson(const std::array<double, 4>& values) {
    nlohmann::json list = nlohmann::json::array();
    for (double v : values) list.push_back(numberJson(v));
    return list;
}

nlohmann::json heatsinkJson(const HeatsinkModel& h) {
    return {{"rth", stagesJson(h.rth)},
            {"tth", stagesJson(h.tth)},
            {"ambientTemperature", numberJson(h.ambientTemperature)}};
}

nlohmann::json periodSampleJson(const PeriodSample& s) {
    return {{"offAngle", numberJson(s.offAngle)},
            {"igbtConductionPower", numberJson(s.igbtConductionPower)},
            {"igbtLoss", numberJson(s.igbtLoss)},
            {"fwdConductionPower", numberJson(s.fwdConductionPower)},
            {"fwdLoss", numberJson(s.fwdLoss)},
            {"time", numberJson(s.time)},
            {"fwdRecoveryEnergy", numberJson(s.fwdRecoveryEnergy)},
            {"tc", numberJson(s.tc)},
            {"deltaTcf", numberJson(s.deltaTcf)},
            {"tf", numberJson(s.tf)},
            {"deltaTfa", numberJson(s.deltaTfa)},
            {"igbtTj", numberJson(s.igbtTj)},
            {"igbtDeltaTjc", numberJson(s.igbtDeltaTjc)},
            {"fwdTj", numberJson(s.fwdTj)},
            {"fwdDeltaTjc", numberJson(s.fwdDeltaTjc)},
            {"pairLoss", numberJson(s.pairLoss)},
            {"heatsinkLoss", numberJson(s.heatsinkLoss)}};
}

nlohmann::json modeResultJson(const ModeResult& m) {
    return {{"startTime", numberJson(m.startTime)},
            {"endTime", numberJson(m.endTime)},
            {"firstSample", m.firstSample},
            {"lastSample", m.lastSample},
            {"frequencyStart", numberJson(m.frequencyStart)},
            {"frequencyEnd", numberJson(m.frequencyEnd)},
            {"igbtLoss", numberJson(m.igbtLoss)},
            {"fwdLoss", numberJson(m.fwdLoss)},
            {"igbtDeltaTjcStart", numberJson(m.igbtDeltaTjcStart)},
            {"igbtDeltaTjcEnd", numberJson(m.igbtDeltaTjcEnd)},
            {"fwdDeltaTjcStart", numberJson(m.fwdDeltaTjcStart)},
            {"fwdDeltaTjcEnd", numberJson(m.fwdDeltaTjcEnd)},
            {"igbtDeltaTjcSlope", numberJson(m.igbtDeltaTjcSlope)},
            {"igbtDeltaTjcIntercept", numberJson(m.igbtDeltaTjcIntercept)},
            {"fwdDeltaTjcSlope", numberJson(m.fwdDeltaTjcSlope)},
            {"fwdDeltaTjcIntercept", numberJson(m.fwdDeltaTjcIntercept)},
            {"igbtSaturationLoss", numberJson(m.igbtSaturationLoss)},
            {"igbtTurnOnLoss", numberJson(m.igbtTurnOnLoss)},
            {"igbtTurnOffLoss", numberJson(m.igbtTurnOffLoss)},
            {"fwdSaturationLoss", numberJson(m.fwdSaturationLoss)},
            {"fwdRecoveryLoss", numberJson(m.fwdRecoveryLoss)}};
}

nlohmann::json cycleSampleJson(const CycleSample& s) {
    return {{"time", numberJson(s.time)},
            {"pairLoss", numberJson(s.pairLoss)},
            {"heatsinkLoss", numberJson(s.heatsinkLoss)},
            {"tc", numberJson(s.tc)},
            {"deltaTcf", numberJson(s.deltaTcf)},
            {"tf", numberJson(s.tf)},
            {"deltaTfa", numberJson(s.deltaTfa)},
            {"igbtTj", numberJson(s.igbtTj)},
            {"fwdTj", numberJson(s.fwdTj)},
            {"frequency", numberJson(s.frequency)},
            {"modeTime", numberJson(s.modeTime)},
            {"igbtLoss", numberJson(s.igbtLoss)},
            {"fwdLoss", numberJson(s.fwdLoss)}};
}

nlohmann::json modeJson(const LoadCycleMode& m) {
    return {{"series", m.series},
            {"typeNumber", m.typeNumber},
            {"modulation", m.modulation},
            {"duration", numberJson(m.duration)},
            {"frequencyStart", numberJson(m.frequencyStart)},
            {"frequencyEnd", numberJson(m.frequencyEnd)},
            {"outputCurrentRms", numberJson(m.outputCurrentRms)},
            {"carrierFrequency", numberJson(m.carrierFrequency)},
            {"powerFactor", numberJson(m.powerFactor)},
            {"modulationRate", numberJson(m.modulationRate)},
            {"dcVoltage", numberJson(m.dcVoltage)},
            {"rgOn", numberJson(m.rgOn)},
            {"rgOff", numberJson(m.rgOff)},
            {"tjMode", m.tjMode},
            {"dcLock", m.dcLock}};
}

}  // namespace

bool parseModeLines(std::string_view content, std::vector<ModeRowTexts>& rows, std::string& error) {
    std::vector<ModeRowTexts> parsed;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const std::vector<std::string> fields = splitFields(line);
        if (fields.size() != kModeFileFields) {
            error = "line " + std::to_string(lineNumber) +
                    ": expected 11 comma-separated fields, found " + std::to_string(fields.size());
            return false;
        }
        ModeRowTexts row;
        std::copy(fields.begin(), fields.begin() + kModeTextColumns, row.columns.begin());
        const std::string& lock = fields[kModeTextColumns];
        if (lock != kDcLockText && lock != kNormalText) {
            error = "line " + std::to_string(lineNumber) +
                    ": the 11th field must be LOCK or NORMAL, found \"" + lock + "\"";
            return false;
        }
        row.dcLock = lock == kDcLockText;
        parsed.push_back(std::move(row));
    }
    if (parsed.empty()) {
        error = "no modes";
        return false;
    }
    rows = std::move(parsed);
    return true;
}

bool readModeFile(const std::string& path, std::vector<ModeRowTexts>& rows, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    if (!parseModeLines(content, rows, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

nlohmann::json steadyJson(const DeviceIndexEntry& device, const OperatingCondition& c,
                          const HeatsinkModel& heatsink, const SteadyResult& result,
                          bool withWaveform) {
    const LossResult& l = result.loss;
    const TemperatureResult& t = result.temperature;
    nlohmann::json json = {
        {"device", deviceKeyJson(device)},
        {"condition",
         {{"series", c.series},
          {"typeNumber", c.typeNumber},
          {"modulation", c.modulation},
          {"outputFrequency", numberJson(c.outputFrequency)},
          {"outputCurrentRms", numberJson(c.outputCurrentRms)},
          {"carrierFrequency", numberJson(c.carrierFrequency)},
          {"powerFactor", numberJson(c.powerFactor)},
          {"modulationRate", numberJson(c.modulationRate)},
          {"dcVoltage", numberJson(c.dcVoltage)},
          {"rgOn", numberJson(c.rgOn)},
          {"rgOff", numberJson(c.rgOff)},
          {"dcLock", c.dcLock}}},
        {"heatsink", heatsinkJson(heatsink)},
        {"loss",
         {{"igbtSaturationLoss", numberJson(l.igbtSaturationLoss)},
          {"igbtTurnOnLoss", numberJson(l.igbtTurnOnLoss)},
          {"igbtTurnOffLoss", numberJson(l.igbtTurnOffLoss)},
          {"fwdSaturationLoss", numberJson(l.fwdSaturationLoss)},
          {"fwdRecoveryLoss", numberJson(l.fwdRecoveryLoss)}}},
        {"temperature",
         {{"igbtDeltaTjcMax", numberJson(t.igbtDeltaTjcMax)},
          {"igbtDeltaTjcMin", numberJson(t.igbtDeltaTjcMin)},
          {"igbtDeltaTjcAve", numberJson(t.igbtDeltaTjcAve)},
          {"fwdDeltaTjcMax", numberJson(t.fwdDeltaTjcMax)},
          {"fwdDeltaTjcMin", numberJson(t.fwdDeltaTjcMin)},
          {"fwdDeltaTjcAve", numberJson(t.fwdDeltaTjcAve)},
          {"tcMax", numberJson(t.tcMax)},
          {"tcAve", numberJson(t.tcAve)},
          {"tfMax", numberJson(t.tfMax)},
          {"tfAve", numberJson(t.tfAve)},
          {"igbtTjMax", numberJson(t.igbtTjMax)},
          {"fwdTjMax", numberJson(t.fwdTjMax)},
          {"ambientTemperature", numberJson(t.ambientTemperature)}}},
        {"waveformCount", result.waveform.size()},
    };
    if (withWaveform) {
        nlohmann::json waveform = nlohmann::json::array();
        for (const PeriodSample& s : result.waveform) waveform.push_back(periodSampleJson(s));
        json["waveform"] = std::move(waveform);
    }
    return json;
}

nlohmann::json cycleJson(const DeviceIndexEntry& device, const std::vector<LoadCycleMode>& modes,
                         const HeatsinkModel& heatsink, const LoadCycleResult& r,
                         bool withSamples) {
    nlohmann::json modeList = nlohmann::json::array();
    for (const LoadCycleMode& m : modes) modeList.push_back(modeJson(m));
    nlohmann::json modeResults = nlohmann::json::array();
    for (int j = 1; j <= r.modeCount && static_cast<std::size_t>(j) < r.modes.size(); ++j) {
        modeResults.push_back(modeResultJson(r.modes[static_cast<std::size_t>(j)]));
    }
    nlohmann::json json = {
        {"device", deviceKeyJson(device)},
        {"modes", std::move(modeList)},
        {"heatsink", heatsinkJson(heatsink)},
        {"result",
         {{"tcMax", numberJson(r.tcMax)},
          {"tcAve", numberJson(r.tcAve)},
          {"tfMax", numberJson(r.tfMax)},
          {"tfAve", numberJson(r.tfAve)},
          {"ambientTemperature", numberJson(r.ambientTemperature)},
          {"igbtTjMax", numberJson(r.igbtTjMax)},
          {"fwdTjMax", numberJson(r.fwdTjMax)},
          {"igbtDeltaTjcMax", numberJson(r.igbtDeltaTjcMax)},
          {"fwdDeltaTjcMax", numberJson(r.fwdDeltaTjcMax)}}},
        {"modeCount", r.modeCount},
        {"modeResults", std::move(modeResults)},
        {"sampleCount", r.samples.size()},
    };
    if (withSamples) {
        nlohmann::json samples = nlohmann::json::array();
        for (const CycleSample& s : r.samples) samples.push_back(cycleSampleJson(s));
        json["samples"] = std::move(samples);
    }
    return json;
}

int runSteady(const SteadyOptions& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view command = "steady";
    const CalculationOptions& o = options.common;
    std::optional<ReportTime> reportTime;
    if (int status = checkCommonUsage(o, command, reportTime, err); status != kExitOk)
        return status;

    StageValues rth{}, tth{};
    if (int status = heatsinkNetwork(o.heatsink, command, rth, tth, err); status != kExitOk) {
        return status;
    }
    if (std::string message = checkAmbientText(o.ta); !message.empty())
        return rejected(err, message);

    std::unique_ptr<DeviceLibrary> library;
    const DeviceIndexEntry* device = nullptr;
    if (int status = findDevice(o, command, library, device, err); status != kExitOk) return status;

    // Omitted inputs take the texts the device selection shows for the device.
    ConditionTexts texts = defaultConditionTexts(*device->limits);
    const auto take = [](const std::optional<std::string>& given, std::string& text) {
        if (given) text = *given;
    };
    take(options.outputFrequency, texts.outputFrequency);
    take(options.outputCurrent, texts.outputCurrent);
    take(options.carrierFrequency, texts.carrierFrequency);
    take(options.powerFactor, texts.powerFactor);
    take(options.modulationRate, texts.modulationRate);
    take(options.dcVoltage, texts.dcVoltage);
    take(options.rgOn, texts.rgOn);
    take(options.rgOff, texts.rgOff);

    OperatingCondition condition;
    condition.series = device->series;
    condition.typeNumber = device->typeNumber;
    condition.modulation = modulationOf(o);
    if (std::string message = checkConditionTexts(texts, *device->limits, condition);
        !message.empty()) {
        return rejected(err, message);
    }
    condition.dcLock = options.dcLock;
    condition.heatsink = networkCopy(rth, tth);

    const HeatsinkModel heatsink = buildHeatsinkModel(rth, tth, o.ta);
    if (std::string message = checkHeatsinkModel(heatsink); !message.empty())
        return rejected(err, message);

    SteadyResult result;
    if (!calculateOperatingPoint(condition, *device->limits, *device->params, heatsink, result)) {
        return rejected(err, kLimitExceededMessage);
    }

    if (o.reportPath) {
        std::string reason;
        if (!writeSteadyReport(*o.reportPath, *library, condition, result, reason,
                               reportOptions(reportTime))) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    printJson(steadyJson(*device, condition, heatsink, result, options.waveform), out);
    return kExitOk;
}

int runCycle(const CycleOptions& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view command = "cycle";
    const CalculationOptions& o = options.common;
    std::optional<ReportTime> reportTime;
    if (int status = checkCommonUsage(o, command, reportTime, err); status != kExitOk)
        return status;
    if (options.tj != "maximum" && options.tj != "average") {
        return usage(err, command, "--tj takes maximum or average");
    }

    std::vector<ModeRowTexts> rows;
    std::string error;
    if (!readModeFile(options.modesPath, rows, error)) return usage(err, command, error);

    StageValues rth{}, tth{};
    if (int status = heatsinkNetwork(o.heatsink, command, rth, tth, err); status != kExitOk) {
        return status;
    }
    if (std::string message = checkAmbientText(o.ta); !message.empty())
        return rejected(err, message);

    std::unique_ptr<DeviceLibrary> library;
    const DeviceIndexEntry* device = nullptr;
    if (int status = findDevice(o, command, library, device, err); status != kExitOk) return status;

    if (rows.size() > static_cast<std::size_t>(kMaxModes)) return rejected(err, kTableFullMessage);

    std::vector<LoadCycleMode> modes(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        LoadCycleMode& mode = modes[i];
        mode.series = device->series;
        mode.typeNumber = device->typeNumber;
        mode.modulation = modulationOf(o);
        mode.tjMode = options.tj == "average" ? 1 : 0;
        if (std::string message = checkModeRow(rows[i], *device->limits, mode); !message.empty()) {
            return rejected(err, message);
        }
        mode.heatsink = networkCopy(rth, tth);
    }
    if (std::string message = checkModeTable(modes); !message.empty())
        return rejected(err, message);

    const HeatsinkModel heatsink = buildHeatsinkModel(rth, tth, o.ta);
    if (std::string message = checkHeatsinkModel(heatsink); !message.empty())
        return rejected(err, message);

    LoadCycleResult result;
    if (!simulateLoadCycle(modes, *device->limits, *device->params, heatsink, result)) {
        return rejected(err, kLimitExceededMessage);
    }

    if (o.reportPath) {
        std::string reason;
        if (!writeLoadCycleReport(*o.reportPath, *library, modes, result, reason,
                                  reportOptions(reportTime))) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    printJson(cycleJson(*device, modes, heatsink, result, options.samples), out);
    return kExitOk;
}

namespace {

void addCommonOptions(CLI::App& command, CalculationOptions& o) {
    addDataOption(command, o.dataFolder);
    command.add_option("--series", o.series, "Series of the device")->required();
    command.add_option("--type", o.typeNumber, "Type number of the device")->required();
    command.add_option("--arms", o.arms, "Inverter modulation: 2 or 3 arms (default 2)")
        ->check(CLI::IsMember({"2", "3"}));
    command.add_option("--ta", o.ta, "Ambient temperature text, deg C (default \"40\")");
    HeatsinkOptions& h = o.heatsink;
    command.add_option("--rth", h.rth, "Heat-sink stages Rth1,Rth2,Rth3,Rth4 (K/W), as texts");
    command.add_option("--tth", h.tth,
                       "Heat-sink time constants Tth1,Tth2,Tth3,Tth4 (s), as texts");
    command.add_option("--capacity", h.capacity,
                       "Estimate the heat sink for this inverter capacity (kW)");
    command.add_option("--rth-factor", h.rthFactor,
                       "Rth correction factor of the estimate (default 1.0)");
    command.add_option("--tth-factor", h.tthFactor,
                       "Tth correction factor of the estimate (default 1.0)");
    command.add_option("--report", o.reportPath, "Also write the calculation report to FILE");
    command.add_option(
        "--report-time", o.reportTime,
        "Date and time for the report's header, \"YYYY/MM/DD HH:MM:SS\" (default: now)");
}

}  // namespace

void registerCalculationCommands(CLI::App& app, int& exitStatus) {
    auto steady = std::make_shared<SteadyOptions>();
    CLI::App* steadyCommand =
        app.add_subcommand("steady", "Losses and temperatures of one operating point, as JSON");
    addCommonOptions(*steadyCommand, steady->common);
    steadyCommand->add_option("--output-frequency", steady->outputFrequency,
                              "Output frequency (Hz)");
    steadyCommand->add_option("--output-current", steady->outputCurrent, "Output current (A rms)");
    steadyCommand->add_option("--carrier-frequency", steady->carrierFrequency,
                              "Carrier frequency (kHz)");
    steadyCommand->add_option("--power-factor", steady->powerFactor, "Power factor (-1 to 1)");
    steadyCommand->add_option("--modulation-rate", steady->modulationRate, "Modulation rate");
    steadyCommand->add_option("--dc-voltage", steady->dcVoltage, "DC link voltage (V)");
    steadyCommand->add_option("--rg-on", steady->rgOn, "Gate resistance on (ohm)");
    steadyCommand->add_option("--rg-off", steady->rgOff, "Gate resistance off (ohm)");
    steadyCommand->add_flag("--dc-lock", steady->dcLock,
                            "DC LOCK: the current flows as direct current");
    steadyCommand->add_flag("--waveform", steady->waveform,
                            "Also print the waveform of the period");
    steadyCommand->callback(
        [steady, &exitStatus] { exitStatus = runSteady(*steady, std::cout, std::cerr); });

    auto cycle = std::make_shared<CycleOptions>();
    CLI::App* cycleCommand = app.add_subcommand(
        "cycle", "Temperatures and losses of a load cycle of up to 25 modes, as JSON");
    addCommonOptions(*cycleCommand, cycle->common);
    cycleCommand
        ->add_option(
            "--modes", cycle->modesPath,
            "File of modes: one a line, 11 comma-separated fields in the mode table's column "
            "order, the last LOCK or NORMAL")
        ->required();
    cycleCommand
        ->add_option("--tj", cycle->tj,
                     "Junction temperature: maximum or average (default maximum)")
        ->check(CLI::IsMember({"maximum", "average"}));
    cycleCommand->add_flag("--samples", cycle->samples, "Also print the samples of the cycle");
    cycleCommand->callback(
        [cycle, &exitStatus] { exitStatus = runCycle(*cycle, std::cout, std::cerr); });
}

}  // namespace thermalyx::cli
