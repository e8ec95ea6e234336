#include "pages/input_rules.h"

#include <cmath>
#include <initializer_list>

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

// The eight values of an operating point in field order, with their limits.
struct LimitedValue {
    double value;
    double min;
    double max;
};

bool allWithinLimits(std::initializer_list<LimitedValue> values) {
    for (const LimitedValue& v : values) {
        if (!withinLimits(v.value, v.min, v.max)) return false;
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
    converted.outputFrequency = numberTextValue(texts.outputFrequency);
    converted.outputCurrentRms = numberTextValue(texts.outputCurrent);
    converted.carrierFrequency = numberTextValue(texts.carrierFrequency);
    converted.powerFactor = numberTextValue(texts.powerFactor);
    converted.modulationRate = numberTextValue(texts.modulationRate);
    converted.dcVoltage = numberTextValue(texts.dcVoltage);
    converted.rgOn = numberTextValue(texts.rgOn);
    converted.rgOff = numberTextValue(texts.rgOff);

    const ConditionLimits& l = limits;
    if (!allWithinLimits({
            {converted.outputFrequency, l.outputFrequencyMin, l.outputFrequencyMax},
            {converted.outputCurrentRms, l.outputCurrentMin, l.outputCurrentMax},
            {converted.carrierFrequency, l.carrierFrequencyMin, l.carrierFrequencyMax},
            {converted.powerFactor, l.powerFactorMin, l.powerFactorMax},
            {converted.modulationRate, l.modulationRateMin, l.modulationRateMax},
            {converted.dcVoltage, l.dcVoltageMin, l.dcVoltageMax},
            {converted.rgOn, l.gateResistanceMin, l.gateResistanceMax},
            {converted.rgOff, l.gateResistanceMin, l.gateResistanceMax},
        })) {
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
    texts.text(ModeColumn::FrequencyStart) = defaults.outputFrequency;
    texts.text(ModeColumn::FrequencyEnd) = defaults.outputFrequency;
    texts.text(ModeColumn::OutputCurrent) = defaults.outputCurrent;
    texts.text(ModeColumn::CarrierFrequency) = defaults.carrierFrequency;
    texts.text(ModeColumn::PowerFactor) = defaults.powerFactor;
    texts.text(ModeColumn::ModulationRate) = defaults.modulationRate;
    texts.text(ModeColumn::DcVoltage) = defaults.dcVoltage;
    texts.text(ModeColumn::RgOn) = defaults.rgOn;
    texts.text(ModeColumn::RgOff) = defaults.rgOff;
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
    mode.outputCurrentRms = numberTextValue(texts.text(ModeColumn::OutputCurrent));
    mode.carrierFrequency = numberTextValue(texts.text(ModeColumn::CarrierFrequency));
    mode.powerFactor = numberTextValue(texts.text(ModeColumn::PowerFactor));
    mode.modulationRate = numberTextValue(texts.text(ModeColumn::ModulationRate));
    mode.dcVoltage = numberTextValue(texts.text(ModeColumn::DcVoltage));
    mode.rgOn = numberTextValue(texts.text(ModeColumn::RgOn));
    mode.rgOff = numberTextValue(texts.text(ModeColumn::RgOff));
    mode.dcLock = texts.dcLock;
    return mode;
}

// The limits in the mode editor's order; the duration has none.
bool modeWithinLimits(const LoadCycleMode& m, const ConditionLimits& l) {
    return allWithinLimits({
        {m.frequencyStart, l.outputFrequencyMin, l.outputFrequencyMax},
        {m.frequencyEnd, l.outputFrequencyMin, l.outputFrequencyMax},
        {m.outputCurrentRms, l.outputCurrentMin, l.outputCurrentMax},
        {m.carrierFrequency, l.carrierFrequencyMin, l.carrierFrequencyMax},
        {m.powerFactor, l.powerFactorMin, l.powerFactorMax},
        {m.modulationRate, l.modulationRateMin, l.modulationRateMax},
        {m.dcVoltage, l.dcVoltageMin, l.dcVoltageMax},
        {m.rgOn, l.gateResistanceMin, l.gateResistanceMax},
        {m.rgOff, l.gateResistanceMin, l.gateResistanceMax},
    });
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
