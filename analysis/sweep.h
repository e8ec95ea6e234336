// A sweep: one steady calculation of one device repeated while one input, or
// two as a grid, runs over a range. Every point goes through the steady request
// with the varied values as texts, so it is judged exactly as typed texts are.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/parallel_runner.h"
#include "engine/records.h"
#include "library/device_library.h"
#include "pages/calculation_request.h"
#include "pages/input_rules.h"

namespace thermalyx {

// The inputs a sweep can vary: the eight operating inputs, then Ta.
using SweepInput = InputField;
inline constexpr auto kSweepInputs = [] {
    std::array<SweepInput, kConditionFieldCount + 1> inputs{};
    for (std::size_t i = 0; i < inputs.size(); ++i) inputs[i] = static_cast<SweepInput>(i);
    return inputs;
}();

// "output-frequency", ..., "rg-off", "ta": the command line's option names.
std::string_view sweepInputName(SweepInput input);
std::optional<SweepInput> parseSweepInput(std::string_view name);

inline constexpr std::size_t kMaxSweepAxes = 2;
inline constexpr std::size_t kMaxSweepPoints = 1'000'000;

// One varied input: from A to B in N points, A and B as number texts.
struct SweepAxis {
    SweepInput input = SweepInput::OutputCurrent;
    std::string from;
    std::string to;
    std::size_t points = 1;
};

// Point k of N from a to b: a and b exactly at the ends, a + ((b - a) * k) / (N - 1)
// between them.
double sweepValue(double a, double b, std::size_t k, std::size_t n);

struct SweepRequest {
    SteadyRequest base;           // the fixed inputs; the varied ones are replaced per point
    std::vector<SweepAxis> axes;  // one or two
};

// One point. texts and values hold the varied inputs in axis order.
struct SweepPoint {
    std::array<std::string, kMaxSweepAxes> texts;
    std::array<double, kMaxSweepAxes> values{};
    bool ok = false;
    std::string message;  // the rule's message when rejected
    LossResult loss;
    TemperatureResult temperature;
};

// A request checked before any point runs. rangeError: the axes themselves are
// wrong (not one or two, an input twice, a text that is no number, no points,
// too many). stage and message: the inputs no point can pass differently (the
// heat sink, a fixed Ta, the device, the modulation) were refused.
struct SweepPlan {
    std::string rangeError;
    RequestStage stage = RequestStage::None;
    std::string message;
    SweepRequest request;
    const DeviceIndexEntry* device = nullptr;
    HeatsinkModel heatsink;  // its Ta is NaN when Ta is varied
    std::array<double, kMaxSweepAxes> from{};
    std::array<double, kMaxSweepAxes> to{};
    std::size_t pointCount = 0;

    bool ok() const { return rangeError.empty() && stage == RequestStage::None; }
};

SweepPlan planSweep(const DeviceLibrary& library, const SweepRequest& request);

// Point index i of the grid, the last axis varying fastest: its varied values
// and texts, ok false and nothing else set.
SweepPoint sweepPointInputs(const SweepPlan& plan, std::size_t index);

// Receives the points in index order, on the calling thread.
using SweepSink = std::function<void(std::size_t index, const SweepPoint& point)>;

// Runs every point of a plan that is ok(), in parallel, in chunks whose points
// go to the sink in order before the next chunk starts, so memory stays the
// same for any number of points. Progress counts points. False when a stop
// request ended the run (the points already handed over stand).
bool runSweep(const DeviceLibrary& library, const SweepPlan& plan, const SweepSink& sink,
              const ParallelOptions& options = {});

}  // namespace thermalyx
