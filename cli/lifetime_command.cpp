#include "cli/lifetime_command.h"

#include <iostream>
#include <memory>

#include <CLI/CLI.hpp>

#include "analysis/lifetime_model.h"
#include "analysis/lifetime_report.h"
#include "analysis/lifetime_request.h"
#include "cli/cli_common.h"

namespace thermalyx::cli {
namespace {

nlohmann::json optionalJson(const std::optional<double>& value) {
    return value ? numberJson(*value) : nlohmann::json(nullptr);
}

nlohmann::json limitsJson(double min, double max) {
    return {{"min", numberJson(min)}, {"max", numberJson(max)}};
}

// Everything a reader needs to redo the numbers; what the model does not read is null.
nlohmann::json assumptionsJson(const thermalyx::LifetimeOptions& options) {
    const LifetimeParameters& p = options.parameters;
    const bool cips = p.model == LifetimeModel::Cips2008;
    nlohmann::json coefficients;
    if (cips) {
        const Cips2008Coefficients& c = kCips2008;
        coefficients = {{"K", numberJson(c.k)},         {"beta1", numberJson(c.beta1)},
                        {"beta2", numberJson(c.beta2)}, {"beta3", numberJson(c.beta3)},
                        {"beta4", numberJson(c.beta4)}, {"beta5", numberJson(c.beta5)},
                        {"beta6", numberJson(c.beta6)}};
    } else {
        const LesitCoefficients& c = kLesit;
        coefficients = {{"A", numberJson(c.a)},
                        {"alpha", numberJson(c.alpha)},
                        {"activationEnergy", numberJson(c.activationEnergy)},
                        {"boltzmann", numberJson(c.boltzmann)}};
    }
    const auto used = [cips](double value) { return cips ? numberJson(value) : nullptr; };
    return {
        {"model", lifetimeModelName(p.model)},
        {"coefficients", std::move(coefficients)},
        {"kelvinOffset", numberJson(kKelvinOffset)},
        {"bondCurrent", used(p.bondCurrent)},
        {"voltageClass", used(p.voltageClass)},
        {"voltageTerm", used(p.voltageClass / 100.0)},
        {"bondDiameter", used(p.bondDiameter)},
        {"tonLimits", cips ? limitsJson(kCips2008.tonMin, kCips2008.tonMax) : nullptr},
        {"validityRange", cips ? limitsJson(kCips2008.rangeMin, kCips2008.rangeMax) : nullptr},
        {"minRange", numberJson(options.minRange)},
        {"ripple", options.ripple},
    };
}

nlohmann::json cycleJson(const LifetimeCycle& c) {
    nlohmann::json json = {{"source", cycleSourceName(c.source)}};
    if (c.source == CycleSource::Ripple) json["mode"] = c.mode;
    json["range"] = numberJson(c.range);
    json["tjMin"] = numberJson(c.tjMin);
    json["tjMax"] = numberJson(c.tjMax);
    json["tjMean"] = numberJson(c.tjMean);
    json["ton"] = numberJson(c.ton);
    json["count"] = numberJson(c.count);
    json["cyclesToFailure"] = optionalJson(c.cyclesToFailure);
    json["damage"] = numberJson(c.damage);
    if (c.tonLimited) json["note"] = lifetimeCycleNote(c);
    return json;
}

nlohmann::json signalJson(const LifetimeSignal& s) {
    nlohmann::json cycles = nlohmann::json::array();
    for (const LifetimeCycle& c : s.cycles) cycles.push_back(cycleJson(c));
    return {{"cycles", std::move(cycles)},
            {"damagePerLoadCycle", numberJson(s.damagePerLoadCycle)},
            {"loadCyclesToFailure", optionalJson(s.loadCyclesToFailure)},
            {"hoursToFailure", optionalJson(s.hoursToFailure)}};
}

}  // namespace

nlohmann::json lifetimeJson(const DeviceIndexEntry& device, const LifetimeResult& result) {
    return {{"device", deviceKeyJson(device)},
            {"model", lifetimeModelName(result.options.parameters.model)},
            {"assumptions", assumptionsJson(result.options)},
            {"cycleTime", numberJson(result.cycleTime)},
            {"warnings", result.warnings},
            {"igbt", signalJson(result.igbt)},
            {"fwd", signalJson(result.fwd)}};
}

int runLifetime(const LifetimeCommandOptions& options, CommandIo& io) {
    std::ostream& err = io.err;
    constexpr std::string_view command = "lifetime";
    const CalculationOptions& o = options.cycle.common;
    CalculationSetup setup;
    LoadCycleRequest request;
    if (int status = prepareCycleRequest(options.cycle, command, setup, request, io);
        status != kExitOk) {
        return status;
    }
    LifetimeTexts texts;
    texts.model = options.model == "lesit" ? LifetimeModel::Lesit : LifetimeModel::Cips2008;
    texts.bondCurrent = options.bondCurrent;
    texts.voltageClass = options.voltageClass;
    texts.bondDiameter = options.bondDiameter;
    texts.minRange = options.minRange;
    texts.ripple = options.ripple;
    const LifetimeOutcome outcome = runLifetimeRequest(*setup.opened.library, request, texts);
    if (outcome.stage == LifetimeStage::Cycle) {
        return refusedRequest(outcome.cycle.stage, outcome.message, o, command, setup, err);
    }
    if (!outcome.ok()) {
        err << outcome.message << '\n';
        return kExitInputRejected;
    }
    const DeviceIndexEntry& device = *outcome.cycle.device;
    if (o.reportPath) {
        ReportWriteOptions report;
        report.time = setup.reportTime;
        std::string reason;
        if (!writeLifetimeReport(*o.reportPath, device, outcome.result, reason, report)) {
            err << "thermalyx-cli " << command << ": the report was not written: " << reason
                << '\n';
            return kExitCannotWrite;
        }
    }
    printJson(lifetimeJson(device, outcome.result), io);
    return kExitOk;
}

void registerLifetimeCommand(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto options = std::make_shared<LifetimeCommandOptions>();
    CLI::App* command = app.add_subcommand(
        "lifetime", "Power-cycling lifetime of a load cycle of up to 25 modes, as JSON");
    addCycleOptions(*command, options->cycle);
    command->get_option("--report")->description("Also write the lifetime report to FILE");
    command
        ->add_option("--model", options->model,
                     "Lifetime model: cips2008 or lesit (default cips2008)")
        ->check(CLI::IsMember({"cips2008", "lesit"}));
    command->add_option("--bond-current", options->bondCurrent,
                        "Current per bond foot, A (default 10)");
    command->add_option("--voltage-class", options->voltageClass,
                        "Voltage class, V, e.g. 1200 (default: the device's VCES)");
    command->add_option("--bond-diameter", options->bondDiameter,
                        "Bond-wire diameter, um (default 300)");
    command->add_flag("--ripple", options->ripple,
                      "Also count the junction's swing within each output period");
    command->add_option("--min-range", options->minRange,
                        "Leave out counted cycles of a smaller range, K (default 0)");
    command->callback([options, &io, &exitStatus] { exitStatus = runLifetime(*options, io); });
}

}  // namespace thermalyx::cli
