// The rules every operating input passes before it reaches the engine: number
// texts, the ambient temperature, the device's limits and the engine's domain.
//
// The condition page, the load-cycle page, the mode editor and the command line
// all ask these functions, so they accept the same texts and show the same words.
// A check returns the message to show, or an empty text when the input passes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records.h"
#include "library/device_records.h"

namespace thermalyx {

inline constexpr std::string_view kInputErrorCaption = "Input Value Error";
inline constexpr std::string_view kLimitExceededMessage =
    "The input value exceeds the limit value. Enter a value below the limit.";
inline constexpr std::string_view kAmbientLimitMessage =
    "Ambient temperature exceeds the limit value. Enter a value below the limit.";
inline constexpr std::string_view kTableFullMessage = "25 or more cannot be added more.";
inline constexpr std::string_view kTableFullCaption = "Cannot be added more";

// The ambient temperature range the heat-sink model is valid for, deg C.
inline constexpr double kAmbientMin = -40.0;
inline constexpr double kAmbientMax = 125.0;

// Column 11 of the mode table.
inline constexpr std::string_view kDcLockText = "LOCK";
inline constexpr std::string_view kNormalText = "NORMAL";

// A mode-table frequency of exactly 0 Hz is run at this frequency instead.
inline constexpr double kZeroFrequencyReplacement = 0.1;

// True when the text is a number by the input fields' rules: the whole text is
// one decimal number (leading blanks allowed, nothing after it), and it has no
// superfluous leading zero ("05", "-05", "00.5" fail; "0", "-0", "0.5" pass).
bool isNumberText(std::string_view text);

// isNumberText without the empty-text rule, and the value must be above 0.
bool isPositiveNumberText(std::string_view text);

// The value of an input text: its leading numeric part, 0 when there is none.
double numberTextValue(std::string_view text);

// The Ta text: not empty, a number, within kAmbientMin..kAmbientMax.
std::string checkAmbientText(std::string_view text);

// The eight operating inputs of the condition page, in field order.
struct ConditionTexts {
    std::string outputFrequency;
    std::string outputCurrent;
    std::string carrierFrequency;
    std::string powerFactor;
    std::string modulationRate;
    std::string dcVoltage;
    std::string rgOn;
    std::string rgOff;
};

// The eight texts of a ConditionTexts, const or not, in field order.
template <class Texts>
constexpr auto conditionFields(Texts& texts) {
    return std::array{&texts.outputFrequency,
                      &texts.outputCurrent,
                      &texts.carrierFrequency,
                      &texts.powerFactor,
                      &texts.modulationRate,
                      &texts.dcVoltage,
                      &texts.rgOn,
                      &texts.rgOff};
}

// The number inputs of one operating point: the condition page's eight fields
// in field (and checking) order, each the index of its text in conditionFields,
// then the heat-sink page's Ta.
enum class InputField : int {
    OutputFrequency,
    OutputCurrent,
    CarrierFrequency,
    PowerFactor,
    ModulationRate,
    DcVoltage,
    RgOn,
    RgOff,
    Ta,
};
inline constexpr int kConditionFieldCount = 8;

// The texts a device's defaults are shown with when it is selected.
ConditionTexts defaultConditionTexts(const ConditionLimits& limits);

// Checks the eight texts as numbers, converts them, checks the values against
// the device's limits (both ends inclusive), all in field order, and last
// whether the engine can compute the operating point. On success fills the
// eight values of condition; on failure leaves it unchanged.
std::string checkConditionTexts(const ConditionTexts& texts, const ConditionLimits& limits,
                                OperatingCondition& condition);

// Columns 1..10 of the mode table, and its column 11 as a flag.
enum class ModeColumn : int {
    Duration = 1,
    FrequencyStart = 2,
    FrequencyEnd = 3,
    OutputCurrent = 4,
    CarrierFrequency = 5,
    PowerFactor = 6,
    ModulationRate = 7,
    DcVoltage = 8,
    RgOn = 9,
    RgOff = 10,
};
inline constexpr int kModeTextColumns = 10;

struct ModeRowTexts {
    std::array<std::string, kModeTextColumns> columns;  // columns 1..10, entered texts
    bool dcLock = false;                                // column 11 reads "LOCK"

    const std::string& text(ModeColumn column) const {
        return columns[static_cast<int>(column) - 1];
    }
    std::string& text(ModeColumn column) { return columns[static_cast<int>(column) - 1]; }
};

// The mode editor's texts for the first mode of an empty table: the device's
// defaults in the condition page's formats, an empty duration, DC LOCK off.
ModeRowTexts defaultModeRowTexts(const ConditionLimits& limits);

// The column 11 text of a row.
std::string_view dcLockText(bool dcLock);

// The mode editor's OK: number texts in the editor's field order (start and end
// frequency before the duration), then the limits, then a duration above 0 and
// what the engine needs. The entered texts are checked as typed; a frequency of
// 0 is judged as the run will see it (0.1 Hz) only by the engine's domain check.
std::string checkModeEditorTexts(const ModeRowTexts& texts, const ConditionLimits& limits);

// One row of the load-cycle calculation: number texts in column order, the
// conversion with 0 Hz replaced by 0.1 Hz, the limits in the editor's order, then
// a duration above 0 and what the engine needs. On success fills the ten values
// and dcLock of mode (series, type, modulation, tjMode and the heat sink are the
// caller's); on failure leaves it unchanged.
std::string checkModeRow(const ModeRowTexts& texts, const ConditionLimits& limits,
                         LoadCycleMode& mode);

// True while the mode table has room for one more row.
bool canAddMode(std::size_t rowCount);

// The whole table before the simulation: 1..25 rows whose durations add up to a
// finite cycle length. More than 25 rows gives the full-table message.
std::string checkModeTable(const std::vector<LoadCycleMode>& modes);

// Whether the engine can compute one operating point at output frequency fo with
// this device: every value finite, fo above 0, at least one carrier period per
// output period (and not so many that the grouping factor leaves the int range),
// a power factor within -1..1, and positive reference values.
bool isComputableOperatingPoint(const OperatingCondition& condition, double fo,
                                const ConditionLimits& limits);

}  // namespace thermalyx
