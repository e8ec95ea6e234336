#include "analysis/lifetime_chart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "library/csv_table.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

constexpr double kClassWidth = 10.0;  // K
constexpr int kMostClasses = 12;
constexpr int kPlotTop = 30;
constexpr int kPlotRightMargin = 15;
constexpr int kPlotBottomMargin = 40;  // class labels and the axis title below the plot
constexpr int kShareStep = 10;         // percent per division

void addShares(std::vector<DamageClass>& classes, double width, const LifetimeSignal& signal,
               double DamageClass::*share) {
    if (!(signal.damagePerLoadCycle > 0.0)) return;
    for (const LifetimeCycle& cycle : signal.cycles) {
        const auto index = static_cast<std::size_t>(std::floor(cycle.range / width));
        if (index < classes.size()) {
            classes[index].*share += 100.0 * cycle.damage / signal.damagePerLoadCycle;
        }
    }
}

int textWidthOf(const TextWidth& textWidth, std::string_view text) {
    return textWidth ? textWidth(text) : 0;
}

}  // namespace

std::vector<DamageClass> damageClasses(const LifetimeResult& result) {
    double largest = 0.0;
    for (const LifetimeSignal* signal : {&result.igbt, &result.fwd}) {
        for (const LifetimeCycle& cycle : signal->cycles) {
            if (std::isfinite(cycle.range)) largest = std::max(largest, cycle.range);
        }
    }
    const double width =
        kClassWidth * std::max(1.0, std::ceil(largest / (kClassWidth * kMostClasses)));
    // The class holding the largest swing is the last one.
    const auto count = static_cast<std::size_t>(std::floor(largest / width)) + 1;
    std::vector<DamageClass> classes(count);
    for (std::size_t i = 0; i < count; ++i) {
        classes[i].from = width * static_cast<double>(i);
        classes[i].to = width * static_cast<double>(i + 1);
    }
    addShares(classes, width, result.igbt, &DamageClass::igbtShare);
    addShares(classes, width, result.fwd, &DamageClass::fwdShare);
    return classes;
}

ChartGeometry damageChart(const std::vector<DamageClass>& classes, FrameSize frame,
                          const TextWidth& textWidth) {
    ChartGeometry chart;
    chart.background = {0, 0, frame.width, frame.height};
    PlotArea& plot = chart.plot;
    plot.left = kPlotLeft;
    plot.top = kPlotTop;
    plot.right = std::max(plot.left + 1, frame.width - kPlotRightMargin);
    plot.bottom = std::max(plot.top + 1, frame.height - kPlotBottomMargin);

    double largest = 0.0;
    for (const DamageClass& c : classes) largest = std::max({largest, c.igbtShare, c.fwdShare});
    const int divisions =
        std::clamp(static_cast<int>(std::ceil(largest / kShareStep - 1e-9)), 1, 100 / kShareStep);
    const int top = divisions * kShareStep;
    chart.valueDivisions = divisions;
    chart.divisionHeight = (plot.bottom - plot.top) / divisions;
    const auto yOf = [&](double share) {
        const double clamped = std::clamp(share, 0.0, static_cast<double>(top));
        return plot.bottom -
               static_cast<int>(std::lround(clamped / top * (plot.bottom - plot.top)));
    };
    for (int k = 0; k <= divisions; ++k) {
        const int y = yOf(k * kShareStep);
        if (k > 0 && k < divisions) chart.valueGrid.push_back({{plot.left, y}, {plot.right, y}});
        const std::string label = formatInt(k * kShareStep);
        chart.valueLabels.push_back(
            {label, {plot.left - 6 - textWidthOf(textWidth, label), y - 8}, ChartFont::Axis});
    }

    const int n = std::max<int>(1, static_cast<int>(classes.size()));
    chart.timeIntervals = n;
    chart.intervalWidth = (plot.right - plot.left) / n;
    const double slot = static_cast<double>(plot.right - plot.left) / n;
    // Class labels: every bound while they fit, otherwise every other one.
    const int labelStep = slot < 28.0 ? 2 : 1;
    for (int i = 0; i <= n; ++i) {
        const int x = plot.left + static_cast<int>(std::lround(slot * i));
        if (i > 0 && i < n) chart.timeGrid.push_back({{x, plot.top}, {x, plot.bottom}});
        if (i % labelStep != 0 || classes.empty()) continue;
        const double bound = i < n ? classes[static_cast<std::size_t>(i)].from : classes.back().to;
        const std::string label = formatShortest(bound);
        chart.timeLabels.push_back(
            {label, {x - textWidthOf(textWidth, label) / 2, plot.bottom + 4}, ChartFont::Axis});
    }
    for (int i = 0; i < static_cast<int>(classes.size()); ++i) {
        const DamageClass& c = classes[static_cast<std::size_t>(i)];
        const int left = plot.left + static_cast<int>(std::lround(slot * (i + 0.15)));
        const int middle = plot.left + static_cast<int>(std::lround(slot * (i + 0.5)));
        const int right = plot.left + static_cast<int>(std::lround(slot * (i + 0.85)));
        if (c.igbtShare > 0.0) {
            chart.bars.push_back({{left, yOf(c.igbtShare), middle, plot.bottom}, kIgbtPen.color});
        }
        if (c.fwdShare > 0.0) {
            chart.bars.push_back({{middle, yOf(c.fwdShare), right, plot.bottom}, kFwdPen.color});
        }
    }

    const std::string shareTitle = "Share of damage (%)";
    chart.titles.push_back({shareTitle,
                            {5, (plot.top + plot.bottom + textWidthOf(textWidth, shareTitle)) / 2},
                            ChartFont::AxisRotated});
    const std::string classTitle = "Delta Tj class (K)";
    chart.titles.push_back(
        {classTitle,
         {(plot.left + plot.right - textWidthOf(textWidth, classTitle)) / 2, frame.height - 18},
         ChartFont::Axis});
    // The key: a swatch and the chip's name for each colour, above the plot.
    int x = plot.right;
    const std::array<std::pair<const char*, int>, 2> keys{
        {{"FWD", kFwdPen.color}, {"IGBT", kIgbtPen.color}}};
    for (const auto& [name, color] : keys) {
        x -= textWidthOf(textWidth, name);
        chart.titles.push_back({name, {x, 7}, ChartFont::Axis});
        x -= 18;
        chart.bars.push_back({{x, 10, x + 12, 22}, color});
        x -= 14;
    }
    return chart;
}

std::string damageClassesCsv(const std::vector<DamageClass>& classes) {
    std::string table;
    appendCsvRow(table, {"from", "to", "igbtShare", "fwdShare"});
    for (const DamageClass& c : classes) {
        appendCsvRow(table, {csvNumber(c.from), csvNumber(c.to), csvNumber(c.igbtShare),
                             csvNumber(c.fwdShare)});
    }
    return table;
}

}  // namespace thermalyx
