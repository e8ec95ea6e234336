#include "pages/input_rules.h"

#include <array>
#include <cmath>

#include "engine/load_cycle.h"
#include "engine/operating_point.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

// A superfluous leading zero ("05", "-05", "00.5") makes a text no number, even
// though the decimal conversion would read it.
bool hasSuperfluousLeadingZero(std::string_view text) {
    if (text.size() >= 3 && text[0] == '-' && text[1] == '0' && text[2] != '.') return true;
    if (text.size() >= 2 && text[0] == '0' && text[1] != '.') return true;
    return false;
}

bool withinLimits(double value, double min, double max) {
    return min <= value && value <= max;
}

std::string limitExceeded() {
    return std::string(kLimitExceededMessage);
}

// An operating input: the value it sets, its limits (both ends inclusive) and
// its column in the mode table, where the output frequency is given as a start
// and an end frequency.
struct OperatingField {
    double OperatingCondition::*value;
    double ConditionLimits::*min;
    double ConditionLimits::*max;
    ModeColumn column;
};

using C = OperatingCondition;
using L = ConditionLimits;
constexpr std::array<OperatingField, 8> kOperatingFields = {{
    {&C::outputFrequency, &L::outputFrequencyMin, &L::outputFrequencyMax,
     ModeColumn::FrequencyStart},
    {&C::outputCurrentRms, &L::outputCurrentMin, &L::outputCurrentMax, ModeColumn::OutputCurrent},
    {&C::carrierFrequency, &L::carrierFrequencyMin, &L::carrierFrequencyMax,
     ModeColumn::CarrierFrequency},
    {&C::powerFactor, &L::powerFactorMin, &L::powerFactorMax, ModeColumn::PowerFactor},
    {&C::modulationRate, &L::modulationRateMin, &L::modulationRateMax, ModeColumn::ModulationRate},
    {&C::dcVoltage, &L::dcVoltageMin, &L::dcVoltageMax, ModeColumn::DcVoltage},
    {&C::rgOn, &L::gateResistanceMin, &L::gateResistanceMax, ModeColumn::RgOn},
    {&C::rgOff, &L::gateResistanceMin, &L::gateResistanceMax, ModeColumn::RgOff},
}};

bool fieldWithinLimits(const OperatingField& field, double value, const ConditionLimits& limits) {
    return withinLimits(value, limits.*field.min, limits.*field.max);
}

// The fields after the output frequency, which a mode gives twice.
bool restWithinLimits(const OperatingCondition& condition, const ConditionLimits& limits) {
    for (std::size_t i = 1; i < kOperatingFields.size(); ++i) {
        const OperatingField& field = kOperatingFields[i];
        if (!fieldWithinLimits(field, condition.*field.value, limits)) return false;
    }
    return true;
}

double modeFrequency(double value) {
    return value == 0.0 ? kZeroFrequencyReplacement : value;
}

bool isComputableDuration(double duration) {
    return std::isfinite(duration) && duration > 0.0;
}

}  // namespace

bool isNumberText(std::string_view text) {
    if (text.empty()) return false;
    if (hasSuperfluousLeadingZero(text)) return false;
    return isWholeNumber(text);
}

bool isPositiveNumberText(std::string_view text) {
    if (hasSuperfluousLeadingZero(text)) return false;
    const NumberPrefix prefix = readNumberPrefix(text);
    if (prefix.length != text.size()) return false;
    return prefix.value > 0.0;
}

double numberTextValue(std::string_view text) {
    return readNumber(text);
}

std::string checkAmbientText(std::string_view text) {
    if (text.empty() || !isNumberText(text)) return std::string(kAmbientLimitMessage);
    const double ta = numberTextValue(text);
    if (!withinLimits(ta, kAmbientMin, kAmbientMax)) return std::string(kAmbientLimitMessage);
    return {};
}

ConditionTexts defaultConditionTexts(const ConditionLimits& limits) {
    ConditionTexts texts;
    texts.outputFrequency = formatFixed(limits.outputFrequencyDefault, 1);
    texts.outputCurrent = formatFixed(limits.outputCurrentDefault, 1);
    texts.carrierFrequency = formatFixed(limits.carrierFrequencyDefault, 2);
    texts.powerFactor = formatFixed(limits.powerFactorDefault, 2);
    texts.modulationRate = formatFixed(limits.modulationRateDefault, 2);
    texts.dcVoltage = formatTruncated(limits.dcVoltageDefault);
    texts.rgOn = formatFixed(limits.gateResistanceDefault, 2);
    texts.rgOff = formatFixed(limits.gateResistanceDefault, 2);
    return texts;
}

bool isComputableOperatingPoint(const OperatingCondition& condition, double fo,
                                const ConditionLimits& limits) {
    for (double v :
         {fo, condition.outputCurrentRms, condition.carrierFrequency, condition.powerFactor,
          condition.modulationRate, condition.dcVoltage, condition.rgOn, condition.rgOff,
          limits.dcVoltageDefault, limits.gateResistanceDefault}) {
        if (!std::isfinite(v)) return false;
    }
    // At least one carrier period per output period, and a step count the
    // engine can form (the same test the engine applies).
    PeriodDiscretisation period;
    if (!discretisePeriod(condition.carrierFrequency, fo, period)) return false;
    // The phase angle is the arc cosine of the power factor.
    if (!withinLimits(condition.powerFactor, -1.0, 1.0)) return false;
    // The switching energies are scaled by ratios to these reference values.
    return limits.dcVoltageDefault > 0.0 && limits.gateResistanceDefault > 0.0;
}

std::string checkConditionTexts(const ConditionTexts& texts, const ConditionLimits& limits,
                                OperatingCondition& condition) {
    for (const std::string* text : conditionFields(texts)) {
        if (!isNumberText(*text)) return limitExceeded();
    }

    OperatingCondition converted = condition;
    const auto values = conditionFields(texts);
    for (std::size_t i = 0; i < values.size(); ++i)
        converted.*kOperatingFields[i].value = numberTextValue(*values[i]);

    if (!fieldWithinLimits(kOperatingFields[0], converted.outputFrequency, limits) ||
        !restWithinLimits(converted, limits)) {
        return limitExceeded();
    }
    if (!isComputableOperatingPoint(converted, converted.outputFrequency, limits)) {
        return limitExceeded();
    }
    condition = converted;
    return {};
}

ModeRowTexts defaultModeRowTexts(const ConditionLimits& limits) {
    const ConditionTexts defaults = defaultConditionTexts(limits);
    ModeRowTexts texts;
    const auto values = conditionFields(defaults);
    for (std::size_t i = 0; i < values.size(); ++i)
        texts.text(kOperatingFields[i].column) = *values[i];
    texts.text(ModeColumn::FrequencyEnd) = defaults.outputFrequency;
    texts.dcLock = false;
    return texts;
}

std::string_view dcLockText(bool dcLock) {
    return dcLock ? kDcLockText : kNormalText;
}

namespace {

// The ten values of a row as typed (no frequency replacement yet).
LoadCycleMode convertModeTexts(const ModeRowTexts& texts, const LoadCycleMode& base) {
    LoadCycleMode mode = base;
    mode.duration = numberTextValue(texts.text(ModeColumn::Duration));
    mode.frequencyStart = numberTextValue(texts.text(ModeColumn::FrequencyStart));
    mode.frequencyEnd = numberTextValue(texts.text(ModeColumn::FrequencyEnd));
    for (std::size_t i = 1; i < kOperatingFields.size(); ++i) {
        const OperatingField& field = kOperatingFields[i];
        mode.*field.value = numberTextValue(texts.text(field.column));
    }
    mode.dcLock = texts.dcLock;
    return mode;
}

// The limits in the mode editor's order; the duration has none.
bool modeWithinLimits(const LoadCycleMode& m, const ConditionLimits& l) {
    const OperatingField& frequency = kOperatingFields[0];
    return fieldWithinLimits(frequency, m.frequencyStart, l) &&
           fieldWithinLimits(frequency, m.frequencyEnd, l) && restWithinLimits(m, l);
}

// The cycle runs every mode at its start frequency and, when it ramps, at its
// end frequency; both runs must be computable, and the mode must last.
bool isComputableMode(const LoadCycleMode& mode, const ConditionLimits& limits) {
    return isComputableDuration(mode.duration) &&
           isComputableOperatingPoint(mode, modeFrequency(mode.frequencyStart), limits) &&
           isComputableOperatingPoint(mode, modeFrequency(mode.frequencyEnd), limits);
}

}  // namespace

std::string checkModeEditorTexts(const ModeRowTexts& texts, const ConditionLimits& limits) {
    constexpr std::array<ModeColumn, kModeTextColumns> editorOrder = {
        ModeColumn::FrequencyStart, ModeColumn::FrequencyEnd,     ModeColumn::Duration,
        ModeColumn::OutputCurrent,  ModeColumn::CarrierFrequency, ModeColumn::PowerFactor,
        ModeColumn::ModulationRate, ModeColumn::DcVoltage,        ModeColumn::RgOn,
        ModeColumn::RgOff};
    for (ModeColumn column : editorOrder) {
        if (!isNumberText(texts.text(column))) return limitExceeded();
    }
    const LoadCycleMode mode = convertModeTexts(texts, LoadCycleMode{});
    if (!modeWithinLimits(mode, limits)) return limitExceeded();
    if (!isComputableMode(mode, limits)) return limitExceeded();
    return {};
}

std::string checkModeRow(const ModeRowTexts& texts, const ConditionLimits& limits,
                         LoadCycleMode& mode) {
    for (const std::string& text : texts.columns) {
        if (!isNumberText(text)) return limitExceeded();
    }
    LoadCycleMode converted = convertModeTexts(texts, mode);
    converted.frequencyStart = modeFrequency(converted.frequencyStart);
    converted.frequencyEnd = modeFrequency(converted.frequencyEnd);
    if (!modeWithinLimits(converted, limits)) return limitExceeded();
    if (!isComputableMode(converted, limits)) return limitExceeded();
    mode = converted;
    return {};
}

bool canAddMode(std::size_t rowCount) {
    return rowCount < static_cast<std::size_t>(kMaxModes);
}

std::string checkModeTable(const std::vector<LoadCycleMode>& modes) {
    if (modes.size() > static_cast<std::size_t>(kMaxModes)) return std::string(kTableFullMessage);
    if (modes.empty()) return limitExceeded();
    // The cycle length, added in row order as the simulation adds it.
    double total = 0.0;
    for (const LoadCycleMode& mode : modes) {
        if (!isComputableDuration(mode.duration)) return limitExceeded();
        total += mode.duration;
    }
    // The grid times are formed from 600 times the cycle length.
    if (!isComputableDuration(total) || !std::isfinite(kCycleIntervals * total)) {
        return limitExceeded();
    }
    return {};
}

}  // namespace thermalyx
