#include "charts/chart_scale.h"

#include <climits>
#include <cmath>

#include "library/number_text.h"

namespace thermalyx {
namespace {

double holdValue(double v) {
    if (v > kChartValueLimit) return kChartValueLimit;
    if (v < -kChartValueLimit) return -kChartValueLimit;
    return v;
}

// Moves an axis end by delta until it is a multiple of step. The ends stay
// within a few thousand of kChartValueLimit, so this can't overflow.
int raiseToMultiple(int value, int step, int delta) {
    while (value % step != 0) value += delta;
    return value;
}
int lowerToMultiple(int value, int step, int delta) {
    while (value % step != 0) value -= delta;
    return value;
}

template <typename Sample>
void scanRange(int seriesCount, const std::vector<Sample>& samples, double& maxOut,
               double& minOut) {
    double max = -9999.0;
    double min = 9999.0;
    const std::size_t count = samples.size();
    const auto scan = [&](double Sample::*field) {
        for (std::size_t i = 0; i + 1 < count; ++i) {
            const double y = samples[i].*field;
            if (max < y) max = y;
            if (min > y) min = y;
        }
    };
    if (seriesCount == kTemperatureSeriesCount) {
        scan(&Sample::tf);
        scan(&Sample::tc);
        scan(&Sample::igbtTj);
        scan(&Sample::fwdTj);
    } else {
        scan(&Sample::igbtLoss);
        scan(&Sample::fwdLoss);
    }
    maxOut = max;
    minOut = min;
}

}  // namespace

double chartSpan(double span) {
    if (std::isnan(span) || span < 0.0) return 0.0;
    if (span > kChartSpanLimit) return kChartSpanLimit;
    return span;
}

int ChartScale::chooseValueAxis(double max, double min) {
    // No usable range (no samples, or NaN): the axis of an all-zero series.
    if (std::isnan(max) || std::isnan(min) || max < min) {
        max = 0.0;
        min = 0.0;
    }
    max = holdValue(max);
    min = holdValue(min);

    int top = static_cast<int>(std::ceil(max)) + 1;
    const int floorMin = static_cast<int>(std::floor(min));
    // A minimum between 0 and 1 keeps the axis at 0 rather than -1.
    int bottom = floorMin == 0 ? 0 : floorMin - 1;

    int range = top - bottom;
    if (range < 10) {
        valueTop = top;
        valueBottom = bottom;
        valueStep = 1;
        return range;
    }
    if (range / 2 < 10) {
        if (top % 2 != 0) top += 1;
        if (bottom % 2 != 0) bottom -= 1;
        valueTop = top;
        valueBottom = bottom;
        valueStep = 2;
        return (top - bottom) / 2;
    }

    top = raiseToMultiple(top, 10, 1);
    bottom = lowerToMultiple(bottom, 10, 1);
    range = top - bottom;

    int step = 0;
    if (range / 5 < 10) {
        step = 5;
    } else if (range / 10 < 10) {
        step = 10;
    } else if (range / 20 < 10) {
        if (top % 20 != 0) top += 10;
        if (bottom % 20 != 0) bottom -= 10;
        step = 20;
    } else {
        struct Candidate {
            int step;
            int move;
        };
        static constexpr Candidate kCandidates[] = {
            {25, 5}, {50, 10}, {100, 10}, {200, 1}, {250, 10}};
        step = 500;
        int move = 10;
        for (const Candidate& c : kCandidates) {
            if (range / c.step < 10) {
                step = c.step;
                move = c.move;
                break;
            }
        }
        top = raiseToMultiple(top, step, move);
        bottom = lowerToMultiple(bottom, step, move);
    }
    valueTop = top;
    valueBottom = bottom;
    valueStep = step;
    return (top - bottom) / step;
}

int ChartScale::valueAxisTop(double max, double min) {
    const int m = chooseValueAxis(max, min);
    int k = 0;
    while ((kPlotMinHeight + k) % m != 0) ++k;
    return (kPlotBottom - kPlotMinHeight) - k;
}

int ChartScale::chooseTimeAxis(double span) {
    const double milliseconds = chartSpan(span) * 1000.0;
    const int b =
        milliseconds >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(milliseconds);

    // Candidate steps in ms: 2, 5, 10 times successive powers of ten. For any
    // 32-bit b the search ends by 5e8, so c fits an int.
    int c = 2;
    for (long long scale = 1;; scale *= 10) {
        bool found = false;
        for (const long long factor : {2LL, 5LL, 10LL}) {
            c = static_cast<int>(factor * scale);
            if (b / c < 10) {
                found = true;
                break;
            }
        }
        if (found) break;
    }

    const double stepSeconds = c / 1000.0;
    if (c <= 10) {
        timeStepText = formatFixed(stepSeconds, 3);
    } else if (c <= 100) {
        timeStepText = formatFixed(stepSeconds, 2);
    } else if (c <= 1000) {
        timeStepText = formatFixed(stepSeconds, 1);
    } else {
        timeStepText = formatInt(c / 1000);
    }

    const int n = b / c + 1;
    // In double: n * c can exceed 32 bits near the span limit.
    timeAxisEnd = static_cast<double>(n) * c * 0.001;
    return n;
}

int ChartScale::timeAxisRight(int widthLimit, double span) {
    const int n = chooseTimeAxis(span);
    if (widthLimit < 0) widthLimit = 0;
    return kPlotLeft + widthLimit / n * n;
}

std::string ChartScale::timeTickLabel(int j) const {
    if (j == 0) return "0";
    const double step = readNumber(timeStepText);
    if (timeStepText.find('.') != std::string::npos) {
        const double v = std::trunc(step * 1000.0);
        const int decimals = v < 10.0 ? 3 : (v < 100.0 ? 2 : 1);
        return formatFixed(step * j, decimals);
    }
    // timeStepText is public: hold whatever it holds to a range a long long
    // multiplies without overflow.
    const double whole = std::isnan(step) ? 0.0 : std::fmax(-1e9, std::fmin(1e9, step));
    return formatInt(static_cast<long long>(whole) * j);
}

void ChartScale::seriesRange(int seriesCount, const std::vector<PeriodSample>& waveform) {
    if (seriesCount == kTemperatureSeriesCount) {
        scanRange(seriesCount, waveform, temperatureMax, temperatureMin);
    } else if (seriesCount == kLossSeriesCount) {
        scanRange(seriesCount, waveform, lossMax, lossMin);
    }
}

void ChartScale::seriesRange(int seriesCount, const std::vector<CycleSample>& samples) {
    if (seriesCount == kTemperatureSeriesCount) {
        scanRange(seriesCount, samples, temperatureMax, temperatureMin);
    } else if (seriesCount == kLossSeriesCount) {
        scanRange(seriesCount, samples, lossMax, lossMin);
    }
}

}  // namespace thermalyx
