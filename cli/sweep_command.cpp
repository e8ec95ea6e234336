#include "cli/sweep_command.h"

#include <algorithm>
#include <iostream>
#include <memory>

#include "analysis/sweep_table.h"
#include "cli/calculation_setup.h"
#include "cli/cli_common.h"
#include "cli/record_json.h"
#include "library/number_text.h"
#include "pages/input_rules.h"

namespace thermalyx::cli {
namespace {

constexpr std::string_view kCommand = "sweep";

// A count written in digits only, read by the number module; held at 10^12 so
// that it fits any size and still exceeds every limit.
std::optional<std::size_t> countOf(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<std::size_t>(std::min(readNumber(text), 1e12));
}

std::string inputNames() {
    std::string names;
    for (SweepInput input : kSweepInputs) {
        if (!names.empty()) names += ", ";
        names += sweepInputName(input);
    }
    return names;
}

// The axis an option group gives; the usage error, empty on success.
std::string axisOf(const SweepAxisOptions& a, const std::string& suffix, SweepAxis& axis) {
    const std::string vary = "--vary" + suffix;
    if (!a.name)
        return "--from" + suffix + ", --to" + suffix + " and --points" + suffix + " need " + vary;
    const std::optional<SweepInput> input = parseSweepInput(*a.name);
    if (!input) return vary + " takes one of " + inputNames();
    if (!a.from || !a.to || !a.points)
        return vary + " needs --from" + suffix + ", --to" + suffix + " and --points" + suffix;
    const std::optional<std::size_t> points = countOf(*a.points);
    if (!points) return "--points" + suffix + " takes a whole number";
    axis = SweepAxis{*input, *a.from, *a.to, *points};
    return {};
}

bool anyGiven(const SweepAxisOptions& a) {
    return a.name || a.from || a.to || a.points;
}

// Whether the fixed option of an input was given as well.
bool fixedGiven(const SweepOptions& o, SweepInput input) {
    if (input == SweepInput::Ta) return o.taGiven;
    return conditionFields(o.fixed.texts)[static_cast<std::size_t>(input)]->has_value();
}

// The varied axes; the usage error, empty on success.
std::string axesOf(const SweepOptions& o, std::vector<SweepAxis>& axes) {
    if (!anyGiven(o.vary)) return "give the varied input as --vary NAME --from A --to B --points N";
    SweepAxis axis;
    if (std::string error = axisOf(o.vary, "", axis); !error.empty()) return error;
    axes.push_back(axis);
    if (anyGiven(o.vary2)) {
        if (std::string error = axisOf(o.vary2, "2", axis); !error.empty()) return error;
        axes.push_back(axis);
    }
    for (const SweepAxis& a : axes) {
        if (fixedGiven(o, a.input)) {
            const std::string name(sweepInputName(a.input));
            return name + " is varied; leave out --" + name;
        }
    }
    return {};
}

// The fixed operating texts by option name: the given ones, the device's
// defaults for the rest.
nlohmann::json fixedTextsJson(const SweepPlan& plan) {
    const GivenConditionTexts& given = plan.request.base.texts;
    ConditionTexts texts;
    if (plan.device && plan.device->limits)
        texts = completeConditionTexts(given, *plan.device->limits);
    const auto byInput = conditionFields(texts);
    nlohmann::json json = nlohmann::json::object();
    for (std::size_t i = 0; i < byInput.size(); ++i) {
        const auto varied = [&](const SweepAxis& a) { return a.input == kSweepInputs[i]; };
        if (std::none_of(plan.request.axes.begin(), plan.request.axes.end(), varied))
            json[std::string(sweepInputName(kSweepInputs[i]))] = *byInput[i];
    }
    return json;
}

std::string dumpLine(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

nlohmann::json sweepHeadJson(const SweepPlan& plan) {
    nlohmann::json vary = nlohmann::json::array();
    for (const SweepAxis& a : plan.request.axes) vary.push_back(sweepInputName(a.input));
    return {{"device", deviceKeyJson(*plan.device)},      {"conditionTexts", fixedTextsJson(plan)},
            {"modulation", plan.request.base.modulation}, {"dcLock", plan.request.base.dcLock},
            {"heatsink", heatsinkJson(plan.heatsink)},    {"vary", std::move(vary)}};
}

nlohmann::json sweepPointJson(const SweepPlan& plan, const SweepPoint& point) {
    nlohmann::json texts = nlohmann::json::array();
    for (std::size_t a = 0; a < plan.request.axes.size(); ++a) texts.push_back(point.texts[a]);
    nlohmann::json json = {{"texts", std::move(texts)}, {"status", sweepStatusText(point)}};
    if (point.ok) {
        json["loss"] = lossJson(point.loss);
        json["temperature"] = temperatureJson(point.temperature);
    } else {
        json["message"] = point.message;
    }
    return json;
}

int runSweepCommand(const SweepOptions& options, CommandIo& io) {
    std::ostream& out = io.out;
    std::ostream& err = io.err;
    const CalculationOptions& o = options.fixed.common;
    Setup setup;
    if (int status = checkCommonUsage(o, kCommand, setup, err); status != kExitOk) return status;
    SweepRequest request;
    if (std::string error = axesOf(options, request.axes); !error.empty())
        return usage(err, kCommand, error);
    ParallelOptions parallel;
    if (options.jobs) {
        const std::optional<std::size_t> jobs = countOf(*options.jobs);
        if (!jobs || *jobs == 0) return usage(err, kCommand, "--jobs takes a whole number above 0");
        parallel.jobs = static_cast<int>(std::min<std::size_t>(*jobs, 1024));
    }
    if (options.format != "json" && options.format != "csv")
        return usage(err, kCommand, "--format takes json or csv");
    if (int status = openSetup(o, kCommand, setup, io); status != kExitOk) return status;

    fillRequest(o, setup, request.base);
    request.base.texts = options.fixed.texts;
    request.base.dcLock = options.fixed.dcLock;
    const SweepPlan plan = planSweep(*setup.opened.library, request);
    if (!plan.rangeError.empty()) return usage(err, kCommand, plan.rangeError);
    if (!plan.ok()) return refusedRequest(plan.stage, plan.message, o, kCommand, setup, err);

    if (options.format == "csv") {
        out << sweepCsvHeader(plan);
        runSweep(
            *setup.opened.library, plan,
            [&](std::size_t, const SweepPoint& point) { out << sweepCsvRow(plan, point); },
            parallel);
    } else {
        // The head object, opened again for the points; on one line when asked.
        const bool compact = io.compactJson;
        std::string head = compact ? dumpLine(sweepHeadJson(plan)) : dumpJson(sweepHeadJson(plan));
        head.erase(head.rfind('}'));
        while (!head.empty() && (head.back() == '\n' || head.back() == ' ')) head.pop_back();
        out << head << (compact ? ",\"points\":[" : ",\n  \"points\": [");
        runSweep(
            *setup.opened.library, plan,
            [&](std::size_t index, const SweepPoint& point) {
                if (index > 0) out << ',';
                out << (compact ? "" : "\n    ") << dumpLine(sweepPointJson(plan, point));
            },
            parallel);
        out << (compact ? "]}\n" : "\n  ]\n}\n");
    }
    out.flush();
    if (!out) {
        err << "thermalyx-cli " << kCommand << ": the points could not all be written\n";
        return kExitCannotWrite;
    }
    return kExitOk;
}

void registerSweepCommand(CLI::App& app, CommandIo& io, int& exitStatus) {
    auto sweep = std::make_shared<SweepOptions>();
    CLI::App* command = app.add_subcommand(
        "sweep",
        "Losses and temperatures of one device while one input, or two as a grid, runs over a "
        "range; as JSON or CSV");
    addDeviceOptions(*command, sweep->fixed.common);
    addOperatingOptions(*command, sweep->fixed);
    const std::string names = " (" + inputNames() + ")";
    for (auto [axis, suffix] : {std::pair{&sweep->vary, ""}, std::pair{&sweep->vary2, "2"}}) {
        const std::string s = suffix;
        const std::string which = s.empty() ? "The varied input" : "A second varied input";
        command->add_option("--vary" + s, axis->name, which + names);
        command->add_option("--from" + s, axis->from, "First value of --vary" + s + ", as a text");
        command->add_option("--to" + s, axis->to, "Last value of --vary" + s + ", as a text");
        command->add_option("--points" + s, axis->points,
                            "Number of values of --vary" + s + ", from first to last");
    }
    command->add_option("--jobs", sweep->jobs, "Worker threads (default: one per processor)");
    command->add_option("--format", sweep->format, "json or csv (default json)")
        ->check(CLI::IsMember({"json", "csv"}));
    const CLI::Option* ta = command->get_option("--ta");
    command->callback([sweep, ta, &io, &exitStatus] {
        sweep->taGiven = ta->count() > 0;
        exitStatus = runSweepCommand(*sweep, io);
    });
}

}  // namespace thermalyx::cli
