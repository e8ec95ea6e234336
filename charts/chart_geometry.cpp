#include "charts/chart_geometry.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

#include "library/number_text.h"

namespace thermalyx {
namespace {

constexpr int kValueTitleX = 5;
constexpr int kTemperatureTitleY = 178;
constexpr int kLossTitleY = 158;
constexpr int kTimeTitleX = 215;
constexpr int kTimeTitleFromBottom = 17;   // "Time (s)" at H - 17
constexpr int kTimeLabelFromBottom = 35;   // time labels at H - 35
constexpr int kValueLabelFromBottom = 48;  // value label k at H - 48 - k * h
constexpr int kFrequencyTitleFromRight = 20;
constexpr int kFrequencyLabelFromRight = 45;
constexpr int kFrequencyTitleY = 178;

constexpr char kTemperatureTitle[] = "Temperature (deg.)";
constexpr char kLossTitle[] = "Loss (W)";

int holdCoordinate(int v) {
    if (v > kChartCoordinateLimit) return kChartCoordinateLimit;
    if (v < -kChartCoordinateLimit) return -kChartCoordinateLimit;
    return v;
}

// trunc toward zero into a pixel offset, held within the coordinate limit;
// nothing for NaN.
std::optional<int> toPixel(double v) {
    if (std::isnan(v)) return std::nullopt;
    if (v > kChartCoordinateLimit) return kChartCoordinateLimit;
    if (v < -kChartCoordinateLimit) return -kChartCoordinateLimit;
    return static_cast<int>(v);
}

// A frame size a widget could have; keeps the label arithmetic in range.
int holdSize(int size) {
    if (size < 0) return 0;
    return size > kChartCoordinateLimit ? kChartCoordinateLimit : size;
}

int measure(const TextWidth& textWidth, std::string_view text) {
    if (!textWidth) return 0;
    const int width = textWidth(text);
    // Keep a strange measure from overflowing the label arithmetic.
    if (width < 0) return 0;
    return width > kChartCoordinateLimit ? kChartCoordinateLimit : width;
}

// The mapping of the curve step: a value v is drawn at
// y = top + trunc((240 - top) + s * v - s * valueBottom), entry position p at
// x = trunc(p * dx + 50).
struct CurveMapping {
    int top = 0;
    int valueBottom = 0;
    double s = 0.0;   // pixels per value unit, negative (y grows downwards)
    double dx = 0.0;  // pixels between two entries

    std::optional<Point> at(double position, double value) const {
        const std::optional<int> x = toPixel(position * dx + kPlotLeft);
        const std::optional<int> y = toPixel((kPlotBottom - top) + s * value - s * valueBottom);
        if (!x || !y) return std::nullopt;
        return Point{*x, holdCoordinate(top + *y)};
    }
};

CurveMapping curveMapping(const ChartGeometry& axes, double span, std::size_t count) {
    CurveMapping mapping;
    mapping.top = axes.plot.top;
    mapping.valueBottom = axes.scale.valueBottom;
    mapping.s = static_cast<double>(axes.plot.top - kPlotBottom) /
                (axes.scale.valueTop - axes.scale.valueBottom);
    mapping.dx = static_cast<double>(axes.plot.right - kPlotLeft) / axes.scale.timeAxisEnd * span /
                 static_cast<double>(count);
    return mapping;
}

// Entries 0 ... C - 2 of one series as connected runs, entry k at position
// firstPosition + k; a NaN point breaks the run.
template <typename Sample>
void appendRuns(Curve& curve, const std::vector<Sample>& samples, double Sample::*field,
                const CurveMapping& mapping, double firstPosition) {
    std::vector<Point> run;
    const auto flush = [&] {
        if (run.size() >= 2) curve.polylines.push_back(std::move(run));
        run.clear();
    };
    for (std::size_t k = 0; k + 1 < samples.size(); ++k) {
        const std::optional<Point> point =
            mapping.at(firstPosition + static_cast<double>(k), samples[k].*field);
        if (point) {
            run.push_back(*point);
        } else {
            flush();
        }
    }
    flush();
}

// What a series looks like, on its chart and in its legend.
struct SeriesStyle {
    const char* label;
    Pen pen;
};

constexpr std::array<SeriesStyle, kTemperatureSeriesCount> kTemperatureStyles = {
    {{"Tf", kFinTemperaturePen},
     {"Tc", kCaseTemperaturePen},
     {"Tj(IGBT)", kIgbtPen},
     {"Tj(FWD)", kFwdPen}}};
constexpr std::array<SeriesStyle, kLossSeriesCount> kLossStyles = {
    {{"IGBT Loss", kIgbtPen}, {"FWD Loss", kFwdPen}}};
constexpr SeriesStyle kFrequencyStyle{"Frequency", kFrequencyPen};

template <typename Sample>
struct SeriesSpec {
    SeriesStyle style;
    double Sample::*field;
};

template <typename Sample>
std::vector<SeriesSpec<Sample>> temperatureSeries() {
    return {{kTemperatureStyles[0], &Sample::tf},
            {kTemperatureStyles[1], &Sample::tc},
            {kTemperatureStyles[2], &Sample::igbtTj},
            {kTemperatureStyles[3], &Sample::fwdTj}};
}

template <typename Sample>
std::vector<SeriesSpec<Sample>> lossSeries() {
    return {{kLossStyles[0], &Sample::igbtLoss}, {kLossStyles[1], &Sample::fwdLoss}};
}

// The steady-state period t: time of entry C - 2, held so that 2t is a span the
// time axis can show.
double steadyPeriod(const std::vector<PeriodSample>& waveform) {
    if (waveform.size() < 2) return 0.0;
    return chartSpan(2.0 * waveform[waveform.size() - 2].time) / 2.0;
}

// One chart of a window: the axes over the range of this chart's series and
// the time span, then each series drawn once per copy, copy c putting entry k
// at position copies[c] + k. dx spreads curveSpan over the C entries.
template <typename Sample>
ChartGeometry seriesChart(const std::vector<Sample>& samples, int seriesCount, double span,
                          double curveSpan, int widthLimit, std::initializer_list<double> copies,
                          FrameSize frame, const TextWidth& textWidth) {
    const bool temperature = seriesCount == kTemperatureSeriesCount;
    // Both ranges, so the scale handed back reads like the window's.
    ChartScale range;
    range.seriesRange(kTemperatureSeriesCount, samples);
    range.seriesRange(kLossSeriesCount, samples);
    const double max = temperature ? range.temperatureMax : range.lossMax;
    const double min = temperature ? range.temperatureMin : range.lossMin;
    ChartGeometry g = chartAxes(frame, temperature ? kTemperatureTitle : kLossTitle,
                                temperature ? kTemperatureTitleY : kLossTitleY, max, min, span,
                                widthLimit, textWidth);
    g.scale.temperatureMax = range.temperatureMax;
    g.scale.temperatureMin = range.temperatureMin;
    g.scale.lossMax = range.lossMax;
    g.scale.lossMin = range.lossMin;

    const std::size_t count = samples.size();
    if (count < 3) return g;  // entries 0 ... C - 2 hold no segment
    const CurveMapping mapping = curveMapping(g, curveSpan, count);
    for (const auto& spec : temperature ? temperatureSeries<Sample>() : lossSeries<Sample>()) {
        Curve curve{spec.style.label, spec.style.pen, {}};
        for (const double firstPosition : copies) {
            appendRuns(curve, samples, spec.field, mapping, firstPosition);
        }
        g.curves.push_back(std::move(curve));
    }
    return g;
}

ChartGeometry steadyChart(const SteadyResult& result, FrameSize frame, const TextWidth& textWidth,
                          int seriesCount) {
    const std::vector<PeriodSample>& waveform = result.waveform;
    // Two output periods: entry k at position k + 1, and again at C - 1 + k, so
    // the second copy starts at the x where the first one ends.
    const double period = steadyPeriod(waveform);
    const double secondCopy = static_cast<double>(waveform.size()) - 1.0;
    return seriesChart(waveform, seriesCount, 2.0 * period, period, kSteadyWidthLimit,
                       {1.0, secondCopy}, frame, textWidth);
}

ChartGeometry loadCycleChart(const LoadCycleResult& result, const std::vector<ModeTableRow>& rows,
                             FrameSize frame, const TextWidth& textWidth, int seriesCount) {
    // The whole cycle once, entry k at position k + 1.
    const double span = chartSpan(loadCycleSpan(rows));
    return seriesChart(result.samples, seriesCount, span, span, kLoadCycleWidthLimit, {1.0}, frame,
                       textWidth);
}

// The series a legend describes, side by side from 10 pixels inside its box,
// one every pitch pixels.
template <typename Styles>
LegendGeometry legend(Box box, int pitch, const Styles& series) {
    constexpr int kFirstSample = 10;
    constexpr int kSampleLength = 30;
    constexpr int kTextOffsetX = 40;
    constexpr int kTextOffsetY = 5;
    LegendGeometry result;
    result.box = box;
    const int middle = (box.top + box.bottom) / 2;
    int x = box.left + kFirstSample;
    for (const SeriesStyle& style : series) {
        result.entries.push_back(
            {Line{{x, middle}, {x + kSampleLength, middle}}, style.pen,
             TextItem{style.label, {x + kTextOffsetX, box.top + kTextOffsetY}, ChartFont::Legend}});
        x += pitch;
    }
    return result;
}

}  // namespace

ChartGeometry chartAxes(FrameSize frame, std::string_view valueTitle, int valueTitleY, double max,
                        double min, double span, int widthLimit, const TextWidth& textWidth) {
    ChartGeometry g;
    const int height = holdSize(frame.height);
    g.background = Box{0, 0, holdSize(frame.width), height};
    g.titles.push_back(
        {std::string(valueTitle), {kValueTitleX, valueTitleY}, ChartFont::AxisRotated});
    g.titles.push_back({"Time (s)", {kTimeTitleX, height - kTimeTitleFromBottom}, ChartFont::Axis});

    ChartScale& scale = g.scale;
    const int n = scale.chooseTimeAxis(span);
    const int right = scale.timeAxisRight(widthLimit, span);
    const int w = (right - kPlotLeft) / n;
    const int top = scale.valueAxisTop(max, min);
    g.plot = PlotArea{kPlotLeft, top, right, kPlotBottom};
    g.timeIntervals = n;
    g.intervalWidth = w;

    for (int j = 1; j < n; ++j) {
        const int x = kPlotLeft + j * w;
        g.timeGrid.push_back({{x, top}, {x, kPlotBottom}});
    }
    const int timeLabelY = height - kTimeLabelFromBottom;
    g.timeLabels.push_back({"0", {kPlotLeft - 2, timeLabelY}, ChartFont::Axis});
    for (int j = 1; j <= n; ++j) {
        std::string text = scale.timeTickLabel(j);
        const int x = kPlotLeft + j * w - measure(textWidth, text) / 2;
        g.timeLabels.push_back({std::move(text), {x, timeLabelY}, ChartFont::Axis});
    }

    const int m = scale.chooseValueAxis(max, min);
    const int h = (kPlotBottom - top) / m;
    g.valueDivisions = m;
    g.divisionHeight = h;
    for (int k = 1; k < m; ++k) {
        const int y = top + k * h;
        g.valueGrid.push_back({{kPlotLeft, y}, {right, y}});
    }
    for (int k = 0; k <= m; ++k) {
        std::string text = formatInt(static_cast<long long>(scale.valueBottom) +
                                     static_cast<long long>(k) * scale.valueStep);
        // Right-aligned by a fixed 5 pixels per character, ending near x = 40.
        const int x = 40 - 5 * static_cast<int>(text.size());
        g.valueLabels.push_back(
            {std::move(text), {x, height - kValueLabelFromBottom - k * h}, ChartFont::Axis});
    }
    return g;
}

ChartGeometry steadyTemperatureChart(const SteadyResult& result, FrameSize frame,
                                     const TextWidth& textWidth) {
    return steadyChart(result, frame, textWidth, kTemperatureSeriesCount);
}

ChartGeometry steadyLossChart(const SteadyResult& result, FrameSize frame,
                              const TextWidth& textWidth) {
    return steadyChart(result, frame, textWidth, kLossSeriesCount);
}

double loadCycleSpan(const std::vector<ModeTableRow>& rows) {
    double span = 0.0;
    for (const ModeTableRow& row : rows) span += readNumber(row.duration);
    return span;
}

int frequencyStep(int valueDivisions) {
    return valueDivisions <= 6 ? 20 : 10;
}

ChartGeometry loadCycleTemperatureChart(const LoadCycleResult& result,
                                        const std::vector<ModeTableRow>& rows, FrameSize frame,
                                        const TextWidth& textWidth) {
    return loadCycleChart(result, rows, frame, textWidth, kTemperatureSeriesCount);
}

ChartGeometry loadCycleLossChart(const LoadCycleResult& result,
                                 const std::vector<ModeTableRow>& rows, FrameSize frame,
                                 const TextWidth& textWidth) {
    ChartGeometry g = loadCycleChart(result, rows, frame, textWidth, kLossSeriesCount);
    const int width = g.background.right;
    const int height = g.background.bottom;
    const int top = g.plot.top;
    const int m = g.valueDivisions;
    const int h = g.divisionHeight;
    const int step = frequencyStep(m);

    g.titles.push_back({"Frequency (Hz)",
                        {width - kFrequencyTitleFromRight, kFrequencyTitleY},
                        ChartFont::AxisRotated});
    for (int k = 0; k <= m; ++k) {
        g.frequencyLabels.push_back(
            {formatInt(static_cast<long long>(k) * step),
             {width - kFrequencyLabelFromRight, height - kValueLabelFromBottom - k * h},
             ChartFont::Axis});
    }

    // The profile: pixels per second along the time axis, pixels per hertz
    // along the frequency axis; each mode a straight segment from its start
    // frequency to its end frequency.
    g.frequencyProfile = Curve{kFrequencyStyle.label, kFrequencyStyle.pen, {}};
    const double perSecond = static_cast<double>(g.plot.right - kPlotLeft) / g.scale.timeAxisEnd;
    const double perHertz =
        static_cast<double>(kPlotBottom - top) / (static_cast<double>(m) * step);
    double elapsed = 0.0;
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const double f0 = readNumber(rows[j].frequencyStart);
        const double f1 = readNumber(rows[j].frequencyEnd);
        const std::optional<int> startOffset =
            j == 0 ? std::optional<int>(0) : toPixel(perSecond * elapsed);
        elapsed += readNumber(rows[j].duration);
        const std::optional<int> endOffset = toPixel(perSecond * elapsed);
        const std::optional<int> ys = toPixel((kPlotBottom - top) - f0 * perHertz);
        const std::optional<int> ye = toPixel((kPlotBottom - top) - f1 * perHertz);
        if (!startOffset || !endOffset || !ys || !ye) continue;
        g.frequencyProfile.polylines.push_back(
            {{holdCoordinate(kPlotLeft + *startOffset), holdCoordinate(top + *ys)},
             {holdCoordinate(kPlotLeft + *endOffset), holdCoordinate(top + *ye)}});
    }
    return g;
}

LegendGeometry steadyTemperatureLegend() {
    return legend({32, 46, 442, 70}, 100, kTemperatureStyles);
}

LegendGeometry steadyLossLegend() {
    return legend({122, 360, 352, 384}, 110, kLossStyles);
}

LegendGeometry loadCycleTemperatureLegend() {
    return legend({27, 46, 437, 70}, 100, kTemperatureStyles);
}

LegendGeometry loadCycleLossLegend() {
    return legend({62, 360, 402, 384}, 110,
                  std::array<SeriesStyle, 3>{kLossStyles[0], kLossStyles[1], kFrequencyStyle});
}

void translateLegend(LegendGeometry& legend, int dx, int dy) {
    legend.box = {legend.box.left + dx, legend.box.top + dy, legend.box.right + dx,
                  legend.box.bottom + dy};
    for (LegendEntry& entry : legend.entries) {
        entry.sample.from = {entry.sample.from.x + dx, entry.sample.from.y + dy};
        entry.sample.to = {entry.sample.to.x + dx, entry.sample.to.y + dy};
        entry.text.position = {entry.text.position.x + dx, entry.text.position.y + dy};
    }
}

}  // namespace thermalyx
