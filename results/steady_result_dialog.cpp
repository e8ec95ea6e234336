#include "results/steady_result_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "results/record_csv.h"
#include "results/steady_report.h"
#include "widgets/chart_painter.h"

namespace thermalyx {

namespace {

// The charts' fixed pixel geometry needs this much of each frame's client area:
// the plot reaches x 421, its labels sit 35 and 17 pixels above the bottom.
constexpr int kChartMinWidth = 422;
constexpr int kChartMinHeight = 281;

// Labels at 290, values at 370, units at 415; dialog units.
constexpr FigureColumn kColumn{290, 78, 370, 32, 415};

struct FigureRow {
    SteadyFigure figure;
    int id;
    const char* label;
    bool loss;  // "(W)" and right-aligned; otherwise "(deg.)"
    int y;      // dialog units
};

constexpr std::array<FigureRow, kSteadyFigureCount> kFigureRows = {{
    {SteadyFigure::IgbtSaturationLoss, 1048, "Saturation loss", true, 14},
    {SteadyFigure::IgbtTurnOnLoss, 1049, "Turn on loss", true, 27},
    {SteadyFigure::IgbtTurnOffLoss, 1050, "Turn off loss", true, 40},
    {SteadyFigure::IgbtPart, 1051, "IGBT part", true, 53},
    {SteadyFigure::FwdSaturationLoss, 1052, "Saturation loss", true, 85},
    {SteadyFigure::FwdRecoveryLoss, 1053, "Recovery loss", true, 98},
    {SteadyFigure::FwdPart, 1054, "FWD part", true, 111},
    {SteadyFigure::TotalLoss, 1055, "IGBT+FWD", true, 145},
    {SteadyFigure::IgbtDeltaTjcMax, 1059, "delta Tjc max", false, 180},
    {SteadyFigure::IgbtDeltaTjcAve, 1058, "delta Tjc ave", false, 193},
    {SteadyFigure::IgbtTjMax, 1062, "Tj max", false, 206},
    {SteadyFigure::FwdDeltaTjcMax, 1061, "delta Tjc max", false, 240},
    {SteadyFigure::FwdDeltaTjcAve, 1060, "delta Tjc ave", false, 253},
    {SteadyFigure::FwdTjMax, 1063, "Tj max", false, 266},
    {SteadyFigure::TcMax, 1119, "Tc max", false, 289},
    {SteadyFigure::TcAve, 1120, "Tc ave", false, 302},
    {SteadyFigure::TfMax, 1121, "Tf max", false, 315},
    {SteadyFigure::TfAve, 1122, "Tf ave", false, 328},
    {SteadyFigure::Ambient, 1118, "Ta", false, 341},
}};

// The loss figures and the junction figures are right-aligned; Tc, Tf and Ta left.
bool rightAligned(int id) {
    return id >= 1048 && id <= 1063;
}

}  // namespace

SteadyResultDialog::SteadyResultDialog(const DeviceLibrary& library,
                                       const OperatingCondition& condition,
                                       const SteadyResult& result, const std::string& ambientText,
                                       Prompt& prompt, QWidget* parent)
    : ResultWindow(prompt, parent), library_(library), condition_(condition), result_(result) {
    connect(closeButton(), &QPushButton::clicked, this, &SteadyResultDialog::reject);

    // The figure column moves right as far as the frames grew.
    placeCharts(10, QSize(kChartMinWidth, kChartMinHeight), steadyTemperatureLegend(),
                steadyLossLegend(), 275, 10);
    const TextWidth textWidth = axisTextWidth();
    temperatureChart()->setChart(
        steadyTemperatureChart(result_, temperatureChart()->frameSize(), textWidth));
    lossChart()->setChart(steadyLossChart(result_, lossChart()->frameSize(), textWidth));

    const DialogLayout& grid = layout();
    shiftIntoColumn(grid.group(QStringLiteral("IGBT power loss"), 275, 3, 170, 65));
    shiftIntoColumn(grid.group(QStringLiteral("FWD power loss"), 275, 74, 170, 52));
    shiftIntoColumn(grid.group(QStringLiteral("Total power losses (IGBT+FWD)"), 275, 133, 170, 29));
    shiftIntoColumn(grid.group(QStringLiteral("IGBT temperature"), 275, 169, 170, 52));
    shiftIntoColumn(grid.group(QStringLiteral("FWD temperature"), 275, 229, 170, 52));

    const SteadyFigureTexts texts = steadyFigureTexts(result_, ambientText);
    for (const FigureRow& row : kFigureRows) {
        figures_[figureIndex(row.figure)] = figureRow(
            kColumn, row.label, row.loss ? "(W)" : "(deg.)", row.y, row.id,
            texts[figureIndex(row.figure)], rightAligned(row.id) ? Qt::AlignRight : Qt::AlignLeft);
    }
    fixSize();
}

QString SteadyResultDialog::figureText(SteadyFigure figure) const {
    return figures_[figureIndex(figure)]->text();
}

bool SteadyResultDialog::writeReport(const std::string& path, std::string& reason,
                                     const ReportWriteOptions& options) const {
    return writeSteadyReport(path, library_, condition_, result_, reason, options);
}

std::string SteadyResultDialog::exportData() const {
    return periodSamplesCsv(result_.waveform);
}

}  // namespace thermalyx
