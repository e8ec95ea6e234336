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
constexpr QSize kChartMinSize(422, 281);

// Labels at 290, values at 370, units at 415; dialog units.
constexpr FigureColumn kColumn{290, 78, 370, 32, 415};

// The loss figures (in W) and the junction figures are right-aligned; Tc, Tf
// and Ta left.
constexpr SteadyResultDialog::Rows kFigureRows = {{
    {SteadyFigure::IgbtSaturationLoss, 1048, "Saturation loss", 14, Qt::AlignRight, "(W)"},
    {SteadyFigure::IgbtTurnOnLoss, 1049, "Turn on loss", 27, Qt::AlignRight, "(W)"},
    {SteadyFigure::IgbtTurnOffLoss, 1050, "Turn off loss", 40, Qt::AlignRight, "(W)"},
    {SteadyFigure::IgbtPart, 1051, "IGBT part", 53, Qt::AlignRight, "(W)"},
    {SteadyFigure::FwdSaturationLoss, 1052, "Saturation loss", 85, Qt::AlignRight, "(W)"},
    {SteadyFigure::FwdRecoveryLoss, 1053, "Recovery loss", 98, Qt::AlignRight, "(W)"},
    {SteadyFigure::FwdPart, 1054, "FWD part", 111, Qt::AlignRight, "(W)"},
    {SteadyFigure::TotalLoss, 1055, "IGBT+FWD", 145, Qt::AlignRight, "(W)"},
    {SteadyFigure::IgbtDeltaTjcMax, 1059, "delta Tjc max", 180, Qt::AlignRight},
    {SteadyFigure::IgbtDeltaTjcAve, 1058, "delta Tjc ave", 193, Qt::AlignRight},
    {SteadyFigure::IgbtTjMax, 1062, "Tj max", 206, Qt::AlignRight},
    {SteadyFigure::FwdDeltaTjcMax, 1061, "delta Tjc max", 240, Qt::AlignRight},
    {SteadyFigure::FwdDeltaTjcAve, 1060, "delta Tjc ave", 253, Qt::AlignRight},
    {SteadyFigure::FwdTjMax, 1063, "Tj max", 266, Qt::AlignRight},
    {SteadyFigure::TcMax, 1119, "Tc max", 289},
    {SteadyFigure::TcAve, 1120, "Tc ave", 302},
    {SteadyFigure::TfMax, 1121, "Tf max", 315},
    {SteadyFigure::TfAve, 1122, "Tf ave", 328},
    {SteadyFigure::Ambient, 1118, "Ta", 341},
}};

}  // namespace

SteadyResultDialog::SteadyResultDialog(const DeviceLibrary& library,
                                       const OperatingCondition& condition,
                                       const SteadyResult& result, const std::string& ambientText,
                                       Prompt& prompt, QWidget* parent)
    : FigureResultWindow(
          prompt, [&result] { return periodSamplesCsv(result.waveform); }, parent),
      library_(library),
      condition_(condition),
      result_(result) {
    connect(closeButton(), &QPushButton::clicked, this, &SteadyResultDialog::reject);

    // The figure column moves right as far as the frames grew.
    placeCharts(10, kChartMinSize, steadyTemperatureLegend(), steadyLossLegend(), 275, 10);
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

    placeFigures(kColumn, kFigureRows, steadyFigureTexts(result_, ambientText));
    fixSize();
}

bool SteadyResultDialog::writeReport(const std::string& path, std::string& reason,
                                     const ReportWriteOptions& options) const {
    return writeSteadyReport(path, library_, condition_, result_, reason, options);
}

}  // namespace thermalyx
