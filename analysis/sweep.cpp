#include "analysis/sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

#include "analysis/point_inputs.h"
#include "library/number_text.h"
#include "pages/heatsink_rules.h"
#include "pages/input_rules.h"

namespace thermalyx {
namespace {

constexpr std::array<std::string_view, kSweepInputs.size()> kInputNames = {"output-frequency",
                                                                           "output-current",
                                                                           "carrier-frequency",
                                                                           "power-factor",
                                                                           "modulation-rate",
                                                                           "dc-voltage",
                                                                           "rg-on",
                                                                           "rg-off",
                                                                           "ta"};

// Points computed between two hand-overs to the sink: enough to keep every
// worker busy, few enough that the first rows come out at once.
constexpr std::size_t kChunkPoints = 512;

void setInput(SteadyRequest& request, SweepInput input, const std::string& text) {
    if (input == SweepInput::Ta)
        request.ambientText = text;
    else
        *conditionFields(request.texts)[static_cast<std::size_t>(input)] = text;
}

std::string checkAxes(const std::vector<SweepAxis>& axes, std::size_t& pointCount) {
    if (axes.empty() || axes.size() > kMaxSweepAxes) return "a sweep varies one input or two";
    if (axes.size() == 2 && axes[0].input == axes[1].input)
        return std::string(sweepInputName(axes[0].input)) + " is varied twice";
    pointCount = 1;
    for (const SweepAxis& axis : axes) {
        const std::string name(sweepInputName(axis.input));
        for (const std::string* end : {&axis.from, &axis.to}) {
            if (!isNumberText(*end))
                return "the range of " + name + ": \"" + *end + "\" is not a number";
        }
        if (axis.points == 0) return "the range of " + name + " needs at least 1 point";
        if (axis.points > kMaxSweepPoints / pointCount) {
            return "a sweep runs at most " + formatInt(static_cast<long long>(kMaxSweepPoints)) +
                   " points";
        }
        pointCount *= axis.points;
    }
    return {};
}

bool variesTa(const SweepRequest& request) {
    return std::any_of(request.axes.begin(), request.axes.end(),
                       [](const SweepAxis& a) { return a.input == SweepInput::Ta; });
}

// The network the points share, with the fixed Ta (NaN when Ta varies).
HeatsinkModel sharedHeatsink(const SweepRequest& request) {
    HeatsinkModel model = sharedHeatsinkModel(request.base);
    if (variesTa(request)) model.ambientTemperature = std::numeric_limits<double>::quiet_NaN();
    return model;
}

// Refuses the whole sweep for what no point can pass differently, judged by
// the request itself on the first point.
bool checkFront(const DeviceLibrary& library, SweepPlan& plan) {
    SteadyRequest first = plan.request.base;
    const SweepPoint inputs = sweepPointInputs(plan, 0);
    for (std::size_t a = 0; a < plan.request.axes.size(); ++a)
        setInput(first, plan.request.axes[a].input, inputs.texts[a]);
    const SteadyOutcome probe = runSteadyRequest(library, first);
    RequestStage stage = probe.stage;
    std::string message = probe.message;
    if (stage == RequestStage::Ambient && variesTa(plan.request)) {
        // Only this point's Ta failed; the device and the modulation still count.
        std::vector<const DeviceIndexEntry*> found;
        const SteadyRequest& base = plan.request.base;
        stage = RequestStage::None;
        message.clear();
        if (!library.findDevices(found, DeviceQueryKind::BySeriesAndType, base.series,
                                 base.typeNumber)) {
            stage = RequestStage::Device;
        } else if (base.modulation != kModulationTwoArms &&
                   base.modulation != kModulationThreeArms) {
            stage = RequestStage::Modulation;
        } else {
            plan.device = found.front();
        }
    } else if (stage != RequestStage::Heatsink && stage != RequestStage::Ambient &&
               stage != RequestStage::Device && stage != RequestStage::Modulation) {
        stage = RequestStage::None;
        message.clear();
        plan.device = probe.device;
    }
    plan.stage = stage;
    plan.message = std::move(message);
    return stage == RequestStage::None;
}

void runPoint(const DeviceLibrary& library, const SweepPlan& plan, std::size_t index,
              SweepPoint& point) {
    point = sweepPointInputs(plan, index);
    SteadyRequest request = plan.request.base;
    for (std::size_t a = 0; a < plan.request.axes.size(); ++a)
        setInput(request, plan.request.axes[a].input, point.texts[a]);
    const SteadyOutcome outcome = runSteadyRequest(library, request);
    point.ok = outcome.ok();
    if (!point.ok) {
        point.message = outcome.message;
        return;
    }
    point.loss = outcome.result.loss;
    point.temperature = outcome.result.temperature;
}

}  // namespace

std::string_view sweepInputName(SweepInput input) {
    return kInputNames[static_cast<std::size_t>(input)];
}

std::optional<SweepInput> parseSweepInput(std::string_view name) {
    for (SweepInput input : kSweepInputs) {
        if (sweepInputName(input) == name) return input;
    }
    return std::nullopt;
}

double sweepValue(double a, double b, std::size_t k, std::size_t n) {
    if (k == 0 || n <= 1) return a;
    if (k == n - 1) return b;
    return a + ((b - a) * static_cast<double>(k)) / static_cast<double>(n - 1);
}

SweepPlan planSweep(const DeviceLibrary& library, const SweepRequest& request) {
    SweepPlan plan;
    plan.request = request;
    plan.rangeError = checkAxes(request.axes, plan.pointCount);
    if (!plan.rangeError.empty()) return plan;
    for (std::size_t a = 0; a < request.axes.size(); ++a) {
        plan.from[a] = numberTextValue(request.axes[a].from);
        plan.to[a] = numberTextValue(request.axes[a].to);
    }
    if (checkFront(library, plan)) plan.heatsink = sharedHeatsink(request);
    return plan;
}

SweepPoint sweepPointInputs(const SweepPlan& plan, std::size_t index) {
    SweepPoint point;
    const std::vector<SweepAxis>& axes = plan.request.axes;
    // The last axis varies fastest.
    for (std::size_t a = axes.size(); a-- > 0;) {
        const std::size_t k = index % axes[a].points;
        index /= axes[a].points;
        point.values[a] = sweepValue(plan.from[a], plan.to[a], k, axes[a].points);
        point.texts[a] = formatShortest(point.values[a]);
    }
    return point;
}

bool runSweep(const DeviceLibrary& library, const SweepPlan& plan, const SweepSink& sink,
              const ParallelOptions& options) {
    const std::size_t total = plan.pointCount;
    std::vector<SweepPoint> slots(std::min(total, kChunkPoints));
    for (std::size_t start = 0; start < total; start += slots.size()) {
        const std::size_t count = std::min(slots.size(), total - start);
        ParallelOptions chunk;
        chunk.jobs = options.jobs;
        chunk.stop = options.stop;
        if (options.progress) {
            chunk.progress = [&](std::size_t done, std::size_t) {
                options.progress(start + done, total);
            };
        }
        const auto body = [&](std::size_t i) { runPoint(library, plan, start + i, slots[i]); };
        if (!parallelFor(count, body, chunk)) return false;
        for (std::size_t i = 0; i < count; ++i) sink(start + i, slots[i]);
    }
    return true;
}

}  // namespace thermalyx
