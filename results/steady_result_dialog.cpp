#include "results/steady_result_dialog.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "app/dialog_layout.h"
#include "app/display_text.h"
#include "app/prompt.h"
#include "library/number_text.h"
#include "results/chart_view.h"
#include "results/steady_report.h"

namespace thermalyx {

namespace {

// The charts' fixed pixel geometry needs this much of each frame's client area:
// the plot reaches x 421, its labels sit 35 and 17 pixels above the bottom.
constexpr int kChartMinWidth = 422;
constexpr int kChartMinHeight = 281;
// Space kept between a legend and a chart frame, pixels.
constexpr int kLegendGap = 2;

const QString kSaveCaption = QStringLiteral("Save calculation result");

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
    : QDialog(parent), library_(library), condition_(condition), result_(result), prompt_(prompt) {
    setWindowTitle(
        QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
    const DialogLayout layout(*this);
    const DialogUnits& units = layout.units();

    saveButton_ = layout.button(QStringLiteral("SAVE"), 55, 6, 60, 14);
    QPushButton* close = layout.button(QStringLiteral("CLOSE"), 145, 6, 60, 14);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    close->setObjectName(QStringLiteral("closeButton"));
    connect(saveButton_, &QPushButton::clicked, this, &SteadyResultDialog::saveReport);
    connect(close, &QPushButton::clicked, this, &SteadyResultDialog::reject);

    // The frames grow to what the charts' pixel geometry needs and move clear of
    // the legends: the temperature legend above the upper frame, the loss
    // legend between the two.
    temperatureLegend_ = steadyTemperatureLegend();
    lossLegend_ = steadyLossLegend();
    const QRect upperUnits = layout.rect(10, 37, 250, 150);
    const QRect lowerUnits = layout.rect(10, 204, 250, 150);
    const QSize frameSize(std::max(upperUnits.width(), kChartMinWidth),
                          std::max(upperUnits.height(), kChartMinHeight));
    const QRect upper(
        QPoint(upperUnits.left(),
               std::max(upperUnits.top(), temperatureLegend_.box.bottom + kLegendGap)),
        frameSize);
    const int lossLegendShift = std::max(0, upper.bottom() + 1 + kLegendGap - lossLegend_.box.top);
    if (lossLegendShift > 0) {
        lossLegend_.box.top += lossLegendShift;
        lossLegend_.box.bottom += lossLegendShift;
        for (LegendEntry& entry : lossLegend_.entries) {
            entry.sample.from.y += lossLegendShift;
            entry.sample.to.y += lossLegendShift;
            entry.text.position.y += lossLegendShift;
        }
    }
    const QRect lower(
        QPoint(lowerUnits.left(), std::max(lowerUnits.top(), lossLegend_.box.bottom + kLegendGap)),
        frameSize);

    temperatureChart_ = new ChartView(this);
    temperatureChart_->setGeometry(upper);
    temperatureChart_->setObjectName(QStringLiteral("temperatureChart"));
    lossChart_ = new ChartView(this);
    lossChart_->setGeometry(lower);
    lossChart_->setObjectName(QStringLiteral("lossChart"));
    const TextWidth textWidth = axisTextWidth();
    temperatureChart_->setChart(
        steadyTemperatureChart(result_, temperatureChart_->frameSize(), textWidth));
    lossChart_->setChart(steadyLossChart(result_, lossChart_->frameSize(), textWidth));

    // The figure column moves right as far as the frames grew.
    const int columnShift = std::max(0, upper.right() + units.x(10) - units.x(275));
    const auto shifted = [columnShift](QWidget* widget) {
        widget->move(widget->pos() + QPoint(columnShift, 0));
    };
    shifted(layout.group(QStringLiteral("IGBT power loss"), 275, 3, 170, 65));
    shifted(layout.group(QStringLiteral("FWD power loss"), 275, 74, 170, 52));
    shifted(layout.group(QStringLiteral("Total power losses (IGBT+FWD)"), 275, 133, 170, 29));
    shifted(layout.group(QStringLiteral("IGBT temperature"), 275, 169, 170, 52));
    shifted(layout.group(QStringLiteral("FWD temperature"), 275, 229, 170, 52));

    const SteadyFigureTexts texts = steadyFigureTexts(result_, ambientText);
    for (const FigureRow& row : kFigureRows) {
        shifted(layout.label(QString::fromLatin1(row.label), 290, row.y + 1, 78));
        QLabel* value = layout.label(QString(), 370, row.y, 32, 10);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment((rightAligned(row.id) ? Qt::AlignRight : Qt::AlignLeft) |
                            Qt::AlignVCenter);
        value->setObjectName(QStringLiteral("figure_") + QString::fromStdString(formatInt(row.id)));
        value->setText(QString::fromStdString(texts[figureIndex(row.figure)]));
        value->setMargin(1);
        shifted(value);
        figures_[figureIndex(row.figure)] = value;
        shifted(layout.label(row.loss ? QStringLiteral("(W)") : QStringLiteral("(deg.)"), 415,
                             row.y + 1, 30));
    }

    setFixedSize(units.x(454) + columnShift,
                 std::max(units.y(358), lower.bottom() + 1 + units.y(6)));
}

QString SteadyResultDialog::figureText(SteadyFigure figure) const {
    return figures_[figureIndex(figure)]->text();
}

void SteadyResultDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    paintLegend(painter, temperatureLegend_);
    paintLegend(painter, lossLegend_);
}

void SteadyResultDialog::saveReport() {
    const QString path =
        prompt_.saveFileName(this, {QString(),
                                    {QStringLiteral("Text(*.txt)"), QStringLiteral("All(*.*)")},
                                    QStringLiteral("txt")});
    if (path.isEmpty()) {
        return;
    }
    std::string reason;
    if (writeSteadyReport(QFile::encodeName(path).toStdString(), library_, condition_, result_,
                          reason, reportOptions_)) {
        prompt_.inform(this, QStringLiteral("It is saved as a text file..."), kSaveCaption,
                       PromptIcon::Information);
    } else {
        // Saying nothing would leave the user believing the report was written.
        prompt_.inform(this,
                       QStringLiteral("The text file could not be saved: ") + displayText(reason),
                       kSaveCaption, PromptIcon::Warning);
    }
}

}  // namespace thermalyx
