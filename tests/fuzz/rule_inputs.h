// What the rules fuzz target does with one input, shared with the unit test
// that replays tests/fuzz/regressions/. The first byte picks the rule, the
// second a device of the sample line, the third carries flags; the rest is cut
// at '|' into the texts of the fields. A broken invariant aborts, like a crash.
//
// Beyond "no crash": whatever a rule passes on is finite and inside the
// device's limits, a refused text leaves the caller's values as they were,
// and every refusal shows the rule's own message.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/catalogue.h"
#include "library/catalogue_fit.h"
#include "library/number_text.h"
#include "pages/heatsink_rules.h"
#include "pages/input_rules.h"
#include "results/report_sections.h"

namespace thermalyx::fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

// The limits of every device of the sample line, fitted from its catalogue
// folder (ending with '/'); empty when the tables can't be read.
inline std::vector<ConditionLimits> sampleLineLimits(const std::string& folder) {
    Catalogue catalogue;
    CatalogueError error;
    std::vector<LibraryDevice> devices;
    std::vector<DeviceFit> fits;
    std::vector<ConditionLimits> limits;
    if (!readCatalogue(folder, catalogue, error) ||
        !fitCatalogue(catalogue, devices, fits, error)) {
        return limits;
    }
    for (const LibraryDevice& device : devices) limits.push_back(device.limits);
    return limits;
}

// A fuzz target's run of exercise on one input, over the sample line's devices
// fitted from catalogueFolder at the first input.
inline void exerciseOverSampleLine(const std::string& catalogueFolder, const std::uint8_t* data,
                                   std::size_t size,
                                   void (*exercise)(std::string_view,
                                                    const std::vector<ConditionLimits>&)) {
    static const std::vector<ConditionLimits> devices = sampleLineLimits(catalogueFolder);
    exercise(std::string_view(reinterpret_cast<const char*>(data), size), devices);
}

// Same bits: a refused text must not touch a value, not even its sign of zero.
inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline bool within(double value, double min, double max) {
    return std::isfinite(value) && min <= value && value <= max;
}

inline bool isRuleMessage(const std::string& message) {
    return message.empty() || message == kLimitExceededMessage;
}

// The values a checked condition and a checked mode row both hold inside the
// device's ranges (the power factor also inside -1 .. 1).
inline void checkCommonValues(const OperatingCondition& c, const ConditionLimits& l) {
    check(within(c.outputCurrentRms, l.outputCurrentMin, l.outputCurrentMax));
    check(within(c.carrierFrequency, l.carrierFrequencyMin, l.carrierFrequencyMax));
    check(within(c.powerFactor, -1.0, 1.0));
    check(within(c.modulationRate, l.modulationRateMin, l.modulationRateMax));
    check(within(c.dcVoltage, l.dcVoltageMin, l.dcVoltageMax));
    check(within(c.rgOn, l.gateResistanceMin, l.gateResistanceMax));
    check(within(c.rgOff, l.gateResistanceMin, l.gateResistanceMax));
}

// Every value the operating point carries, for "nothing changed" checks.
inline std::array<double, 11> values(const OperatingCondition& c) {
    return {c.outputFrequency,
            c.outputCurrentRms,
            c.carrierFrequency,
            c.powerFactor,
            c.modulationRate,
            c.dcVoltage,
            c.duration,
            c.frequencyStart,
            c.frequencyEnd,
            c.rgOn,
            c.rgOff};
}

inline bool unchanged(const OperatingCondition& a, const OperatingCondition& b) {
    const auto x = values(a);
    const auto y = values(b);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!sameBits(x[i], y[i])) return false;
    }
    return a.dcLock == b.dcLock;
}

// A condition no rule would produce, so that any write shows.
inline OperatingCondition sentinelCondition() {
    OperatingCondition c;
    c.outputFrequency = c.outputCurrentRms = c.carrierFrequency = -7.25;
    c.powerFactor = c.modulationRate = c.dcVoltage = c.duration = -7.25;
    c.frequencyStart = c.frequencyEnd = c.rgOn = c.rgOff = -7.25;
    c.dcLock = true;
    return c;
}

inline void exerciseNumberText(std::string_view text) {
    const NumberPrefix prefix = readNumberPrefix(text);
    check(prefix.length <= text.size());
    if (prefix.length == 0) check(sameBits(prefix.value, 0.0));
    check(sameBits(readNumber(text), prefix.value));
    check(isWholeNumber(text) == (prefix.length > 0 && prefix.length == text.size()));
    // The number ends where the grammar ends: what follows can't change it.
    const NumberPrefix alone = readNumberPrefix(text.substr(0, prefix.length));
    check(alone.length == prefix.length && sameBits(alone.value, prefix.value));
    const NumberPrefix followed = readNumberPrefix(std::string(text) + "z");
    check(followed.length == prefix.length && sameBits(followed.value, prefix.value));

    if (isNumberText(text)) {
        check(isWholeNumber(text));
        // No hexadecimal, "inf" or "nan", nothing after the number.
        std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
        for (; i < text.size(); ++i)
            check(std::string_view("0123456789.eE+-").find(text[i]) != std::string_view::npos);
    }
    if (isPositiveNumberText(text)) check(prefix.value > 0.0 && prefix.length == text.size());

    const double v = prefix.value;
    if (!std::isfinite(v)) return;
    const std::string shortest = formatShortest(v);
    check(isWholeNumber(shortest) && sameBits(readNumber(shortest), v));
    if (std::fabs(v) < 1e15) {
        for (int decimals : {1, 2, 4}) {
            const std::string fixed = formatFixed(v, decimals);
            check(isWholeNumber(fixed));
            const double back = readNumber(fixed);
            check(std::fabs(back - v) <= 0.5 * std::pow(10.0, -decimals) + 4e-16 * std::fabs(v));
        }
    }
    const std::string truncated = formatTruncated(v);
    check(isWholeNumber(truncated) && std::fabs(readNumber(truncated)) <= 2147483648.0);
}

inline void exerciseAmbient(std::string_view text) {
    const std::string message = checkAmbientText(text);
    if (message.empty()) {
        check(isNumberText(text) && within(numberTextValue(text), kAmbientMin, kAmbientMax));
    } else {
        check(message == kAmbientLimitMessage);
    }
}

// Runs fill, a check that fills an operating point from texts: its message is
// a rule's, and a refusal leaves the point as it was. The filled point; none
// when refused.
template <class Fill>
std::optional<OperatingCondition> checkedCondition(Fill fill) {
    const OperatingCondition before = sentinelCondition();
    OperatingCondition condition = before;
    const std::string message = fill(condition);
    check(isRuleMessage(message));
    if (!message.empty()) {
        check(unchanged(condition, before));
        return std::nullopt;
    }
    return condition;
}

// Missing fields keep the device's default texts.
inline void exerciseCondition(const std::vector<std::string_view>& fields,
                              const ConditionLimits& limits) {
    ConditionTexts texts = defaultConditionTexts(limits);
    const auto order = conditionFields(texts);
    for (std::size_t i = 0; i < fields.size() && i < order.size(); ++i)
        *order[i] = std::string(fields[i]);

    const std::optional<OperatingCondition> checked = checkedCondition(
        [&](OperatingCondition& c) { return checkConditionTexts(texts, limits, c); });
    if (!checked) return;
    const OperatingCondition& condition = *checked;
    const ConditionLimits& l = limits;
    checkCommonValues(condition, l);
    check(within(condition.outputFrequency, l.outputFrequencyMin, l.outputFrequencyMax));
    check(within(condition.powerFactor, l.powerFactorMin, l.powerFactorMax));
    for (std::size_t i = 0; i < order.size(); ++i) check(isNumberText(*order[i]));
    check(sameBits(condition.outputFrequency, numberTextValue(texts.outputFrequency)));
    check(sameBits(condition.rgOff, numberTextValue(texts.rgOff)));
    PeriodDiscretisation period;
    check(discretisePeriod(condition.carrierFrequency, condition.outputFrequency, period));
}

// A mode row as the load-cycle run and the mode editor see it; rows copies of
// it make the table.
inline void exerciseModeRow(const std::vector<std::string_view>& fields, bool dcLock,
                            std::size_t rows, const ConditionLimits& limits) {
    ModeRowTexts texts = defaultModeRowTexts(limits);
    texts.dcLock = dcLock;
    for (std::size_t i = 0; i < fields.size() && i < texts.columns.size(); ++i)
        texts.columns[i] = std::string(fields[i]);

    const std::string editor = checkModeEditorTexts(texts, limits);
    check(isRuleMessage(editor));

    const std::optional<LoadCycleMode> checked =
        checkedCondition([&](LoadCycleMode& m) { return checkModeRow(texts, limits, m); });
    if (!checked) return;
    const LoadCycleMode& mode = *checked;
    const ConditionLimits& l = limits;
    check(mode.dcLock == dcLock);
    check(std::isfinite(mode.duration) && mode.duration > 0.0);
    // 0 Hz runs at 0.1 Hz: the engine never sees a frequency of 0.
    check(within(mode.frequencyStart, l.outputFrequencyMin, l.outputFrequencyMax));
    check(within(mode.frequencyEnd, l.outputFrequencyMin, l.outputFrequencyMax));
    check(mode.frequencyStart > 0.0 && mode.frequencyEnd > 0.0);
    checkCommonValues(mode, l);

    const std::vector<LoadCycleMode> table(rows, mode);
    const std::string tableMessage = checkModeTable(table);
    if (rows > static_cast<std::size_t>(kMaxModes)) {
        check(tableMessage == kTableFullMessage);
        return;
    }
    double total = 0.0;
    for (const LoadCycleMode& m : table) total += m.duration;
    const bool cycleFinite = rows > 0 && std::isfinite(total) && std::isfinite(600.0 * total);
    check(tableMessage.empty() == cycleFinite);
    check(isRuleMessage(tableMessage));
}

inline void exerciseEstimate(const std::vector<std::string_view>& fields) {
    const std::string_view capacity = fields.size() > 0 ? fields[0] : "";
    const std::string_view rthFactor = fields.size() > 1 ? fields[1] : "1.0";
    const std::string_view tthFactor = fields.size() > 2 ? fields[2] : "1.0";
    HeatsinkEstimate estimate;
    estimate.rthSumText = "untouched";
    const std::string message = computeHeatsinkEstimate(capacity, rthFactor, tthFactor, estimate);
    check(isRuleMessage(message));
    if (!message.empty()) {
        check(estimate.rthSumText == "untouched" && estimate.rthTexts[0].empty());
        return;
    }
    double shownSum = 0.0;
    for (int k = kHeatsinkStages - 1; k >= 0; --k) {
        check(std::isfinite(estimate.rth[k]) && estimate.rth[k] >= 0.0);
        check(std::isfinite(estimate.tth[k]) && estimate.tth[k] > 0.0);
        check(estimate.rthTexts[k] == formatFixed(estimate.rth[k], 4));
        check(estimate.tthTexts[k] == formatFixed(estimate.tth[k], 4));
        shownSum += readNumber(estimate.rthTexts[k]);
    }
    check(estimate.rthSumText == formatFixed(shownSum, 4));
}

// The eight network fields, then a Ta text for the model.
inline void exerciseNetwork(const std::vector<std::string_view>& fields) {
    StageTexts rthTexts;
    StageTexts tthTexts;
    for (int k = 0; k < kHeatsinkStages; ++k) {
        if (static_cast<std::size_t>(k) < fields.size()) rthTexts[k] = fields[k];
        if (static_cast<std::size_t>(k + 4) < fields.size()) tthTexts[k] = fields[k + 4];
    }
    const std::string_view ambient = fields.size() > 8 ? fields[8] : "25";

    const TransientFieldState state = evaluateTransientFields(rthTexts, tthTexts);
    check(state.passingCount >= 0 && state.passingCount <= 2 * kHeatsinkStages);
    check(state.allValid == (state.passingCount == 2 * kHeatsinkStages));
    check(state.rthSumText.empty() == (state.passingCount < kHeatsinkStages));
    for (int i = 0; i < state.passingCount; ++i)
        check(isPositiveNumberText(i < 4 ? rthTexts[i] : tthTexts[i - 4]));

    StageValues rth{-1.0, -1.0, -1.0, -1.0};
    StageValues tth = rth;
    const std::string message = checkHeatsinkTexts(rthTexts, tthTexts, rth, tth);
    check(isRuleMessage(message));
    if (!message.empty()) {
        for (int k = 0; k < kHeatsinkStages; ++k) check(rth[k] == -1.0 && tth[k] == -1.0);
        return;
    }
    check(state.allValid);
    for (int k = 0; k < kHeatsinkStages; ++k) {
        check(std::isfinite(rth[k]) && rth[k] > 0.0);
        check(std::isfinite(tth[k]) && tth[k] > 0.0);
    }
    if (checkAmbientText(ambient).empty()) {
        const HeatsinkModel model = buildHeatsinkModel(rth, tth, ambient);
        check(checkHeatsinkModel(model).empty());
        check(within(model.ambientTemperature, kAmbientMin, kAmbientMax));
    }
}

inline void exerciseReportTime(std::string_view text) {
    ReportTime time{-1, -1, -1, -1, -1, -1};
    if (!parseReportTime(text, time)) {
        check(time.year == -1 && time.month == -1 && time.second == -1);
        return;
    }
    // What was read is written back byte for byte in the header.
    std::string header;
    report::appendHeader(header, time);
    check(header.find(":" + std::string(text) + "\r\n") != std::string::npos);
    check(time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31);
    check(time.hour <= 23 && time.minute <= 59 && time.second <= 60);
}

inline std::vector<std::string_view> splitFields(std::string_view rest) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t bar = rest.find('|');
        fields.push_back(rest.substr(0, bar));
        if (bar == std::string_view::npos) return fields;
        rest.remove_prefix(bar + 1);
    }
}

inline void exerciseRules(std::string_view bytes, const std::vector<ConditionLimits>& devices) {
    check(!devices.empty());
    if (bytes.size() < 3) return;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const ConditionLimits& limits = devices[byte(1) % devices.size()];
    const unsigned flags = byte(2);
    const std::string_view rest = bytes.substr(3);
    switch (byte(0) % 7) {
        case 0:
            exerciseNumberText(rest);
            break;
        case 1:
            exerciseAmbient(rest);
            break;
        case 2:
            exerciseCondition(splitFields(rest), limits);
            break;
        case 3:
            exerciseModeRow(splitFields(rest), (flags & 1u) != 0, (flags >> 1) % 28, limits);
            break;
        case 4:
            exerciseEstimate(splitFields(rest));
            break;
        case 5:
            exerciseNetwork(splitFields(rest));
            break;
        default:
            exerciseReportTime(rest);
            break;
    }
}

}  // namespace thermalyx::fuzz
