// The axis scaling shared by the charts of both result windows.
//
// Every chart has a time axis along the bottom and a value axis on the left.
// The plot's left edge is x = 50 and its bottom edge y = 240 (pixels of the
// chart frame, y downwards); its top edge comes from valueAxisTop and its right
// edge from timeAxisRight. The value axis uses 32-bit integer arithmetic with
// truncating division, so the division height is a whole number of pixels.
//
// Inputs the scaling was never meant for still give a drawable axis:
// - a range with a NaN end, or with max < min (what seriesRange leaves for a
//   waveform of fewer than two entries), is scaled like max = min = 0: the
//   axis 0 ... 1 with one division;
// - values beyond +-kChartValueLimit (infinities included) are held there, so
//   the integer arithmetic can't overflow and its rounding loops end;
// - a time span that is NaN or negative is taken as 0 (one interval of
//   0.002 s), and one beyond kChartSpanLimit is held there, the longest span
//   whose milliseconds fit a 32-bit integer.
#pragma once

#include <string>
#include <vector>

#include "engine/records.h"

namespace thermalyx {

inline constexpr int kPlotLeft = 50;
inline constexpr int kPlotBottom = 240;
// Smallest plot height; valueAxisTop adds a few pixels to make it divisible.
inline constexpr int kPlotMinHeight = 220;

// Width limits of the plot: the steady-state window, and the load-cycle window,
// which keeps room right of the plot for its frequency axis.
inline constexpr int kSteadyWidthLimit = 371;
inline constexpr int kLoadCycleWidthLimit = 336;

// seriesRange's series counts.
inline constexpr int kTemperatureSeriesCount = 4;  // tf, tc, igbtTj, fwdTj
inline constexpr int kLossSeriesCount = 2;         // igbtLoss, fwdLoss

// Largest magnitude of a value-axis end; far beyond any temperature (deg C) or
// module loss (W), small enough that no integer step overflows.
inline constexpr double kChartValueLimit = 100000.0;
// Longest time span, s: its milliseconds are the largest 32-bit integer.
inline constexpr double kChartSpanLimit = 2147483.647;

// A chart's span held to what the time axis can show: NaN and negative spans
// give 0, spans beyond kChartSpanLimit give kChartSpanLimit, others are kept.
double chartSpan(double span);

// Made afresh for each chart drawn.
struct ChartScale {
    std::string timeStepText;     // time step as text, at most 7 characters ("0.005", "1.0", "20")
    double timeAxisEnd = 0.0;     // s, time at the right end of the time axis
    int valueStep = 0;            // value per division
    int valueTop = 0;             // value at the plot's top edge
    int valueBottom = 0;          // value at the plot's bottom edge
    double temperatureMax = 0.0;  // from seriesRange with 4 series
    double temperatureMin = 0.0;
    double lossMax = 0.0;  // from seriesRange with 2 series
    double lossMin = 0.0;

    // The value axis for a series range: sets valueTop, valueBottom and
    // valueStep and returns the number of divisions m (at least 1), so that
    // valueTop = valueBottom + m * valueStep.
    int chooseValueAxis(double max, double min);

    // The y of the plot's top edge (at most 20) for that range: 240 - top is
    // the smallest height of at least 220 that m divides. Sets the fields of
    // chooseValueAxis.
    int valueAxisTop(double max, double min);

    // The time axis for a span in seconds: sets timeStepText and timeAxisEnd
    // and returns the number of intervals n (1 ... 10). The axis ends one step
    // beyond the last whole step inside the span.
    int chooseTimeAxis(double span);

    // The x of the plot's right edge: 50 plus the largest multiple of n that is
    // not above widthLimit (a negative limit counts as 0). Calls chooseTimeAxis.
    int timeAxisRight(int widthLimit, double span);

    // The text of the time label at interval j ("0" for j = 0), from
    // timeStepText: "0.005" gives 0.005, 0.010 ...; "0.02" gives 0.02, 0.04 ...;
    // "1.0" gives 1.0, 2.0 ...; "20" gives 20, 40 ...
    std::string timeTickLabel(int j) const;

    // The range of the temperature series (seriesCount 4: tf, tc, igbtTj,
    // fwdTj) or the loss series (seriesCount 2: igbtLoss, fwdLoss) over entries
    // 0 ... C - 2 of the steady-state waveform (source 0) or of the load-cycle
    // samples (source 1); the last entry is the engine's spare. Stores it into
    // temperatureMax/Min or lossMax/Min. NaN values are passed over; with no
    // entry scanned the pair stays at -9999 / 9999, which chooseValueAxis
    // scales like 0 / 0. Other series counts change nothing.
    void seriesRange(int seriesCount, const std::vector<PeriodSample>& waveform);
    void seriesRange(int seriesCount, const std::vector<CycleSample>& samples);
};

}  // namespace thermalyx
