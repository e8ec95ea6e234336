#include "results/result_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "library/number_text.h"
#include "widgets/chart_painter.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

// Space kept between a legend and a chart frame, pixels.
constexpr int kLegendGap = 2;

// The button row: 60 x 14 buttons at y 6, 10 apart after CLOSE; dialog units.
constexpr int kRowY = 6;
constexpr int kRowButtonWidth = 60;
constexpr int kRowButtonHeight = 14;
constexpr int kRowGap = 10;

QRect boxRect(const Box& box) {
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

const QString kSaveCaption = QStringLiteral("Save calculation result");

}  // namespace

ResultWindow::ResultWindow(Prompt& prompt, std::function<std::string()> chartData, QWidget* parent)
    : QDialog(parent), prompt_(prompt), layout_(*this) {
    setWindowTitle(
        QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
    saveButton_ =
        layout_.button(QStringLiteral("SAVE"), 55, kRowY, kRowButtonWidth, kRowButtonHeight);
    closeButton_ =
        layout_.button(QStringLiteral("CLOSE"), 145, kRowY, kRowButtonWidth, kRowButtonHeight);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(saveButton_, &QPushButton::clicked, this, &ResultWindow::saveReport);
    row_ = {saveButton_, closeButton_};
    nextRowX_ = 145 + kRowButtonWidth + kRowGap;
    exportButton_ = rowButton(QStringLiteral("EXPORT"));
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    exports_ = new ChartExport(*this, prompt_);
    exports_->setData(std::move(chartData));
    exports_->attachButton(exportButton_);
}

void ResultWindow::setReportWriteOptions(const ReportWriteOptions& options) {
    reportOptions_ = options;
    exports_->setFileSystem(options.files);
}

QPushButton* ResultWindow::rowButton(const QString& text) {
    QPushButton* button = layout_.button(text, nextRowX_, kRowY, kRowButtonWidth, kRowButtonHeight);
    nextRowX_ += kRowButtonWidth + kRowGap;
    row_.push_back(button);
    return button;
}

int ResultWindow::placeCharts(int x, QSize minSize, LegendGeometry temperatureLegend,
                              LegendGeometry lossLegend, int columnX, int gap) {
    temperatureLegend_ = std::move(temperatureLegend);
    lossLegend_ = std::move(lossLegend);
    const QRect upperUnits = layout_.rect(x, 37, 250, 150);
    const QRect lowerUnits = layout_.rect(x, 204, 250, 150);
    const QSize frameSize = upperUnits.size().expandedTo(minSize);
    const QRect upper(
        QPoint(upperUnits.left(),
               std::max(upperUnits.top(), temperatureLegend_.box.bottom + kLegendGap)),
        frameSize);
    translateLegend(lossLegend_, 0,
                    std::max(0, upper.bottom() + 1 + kLegendGap - lossLegend_.box.top));
    const QRect lower(
        QPoint(lowerUnits.left(), std::max(lowerUnits.top(), lossLegend_.box.bottom + kLegendGap)),
        frameSize);

    temperatureChart_ = new ChartView(this);
    temperatureChart_->setGeometry(upper);
    temperatureChart_->setObjectName(QStringLiteral("temperatureChart"));
    lossChart_ = new ChartView(this);
    lossChart_->setGeometry(lower);
    lossChart_->setObjectName(QStringLiteral("lossChart"));

    const DialogUnits& units = layout_.units();
    columnShift_ = std::max({0, upper.right() + units.x(gap) - units.x(columnX),
                             row_.back()->geometry().right() + units.x(gap) - units.x(columnX)});

    exports_->addChart(temperatureChart_, kTemperatureChartName,
                       [this] { return chartPicture(0); });
    exports_->addChart(lossChart_, kLossChartName, [this] { return chartPicture(1); });
    return columnShift_;
}

ChartPicture ResultWindow::chartPicture(int chart) const {
    const ChartView* view = chart == 0 ? temperatureChart_ : lossChart_;
    const LegendGeometry* legend = chart == 0 ? &temperatureLegend_ : &lossLegend_;
    const QRect frame = view->geometry();
    const QRect area = frame.united(boxRect(legend->box));
    // The window's own painting of the legend and of the frame.
    return {area.size(), [view, legend, frame, area](QPainter& painter) {
                painter.translate(-area.topLeft());
                paintLegend(painter, *legend);
                paintChartFrame(painter, view->chart(), frame.topLeft());
            }};
}

void ResultWindow::shiftIntoColumn(QWidget* widget) const {
    widget->move(widget->pos() + QPoint(columnShift_, 0));
}

QLabel* ResultWindow::figureRow(const FigureColumn& column, const char* label, const char* unit,
                                int y, int id, const std::string& text, Qt::Alignment alignment) {
    shiftIntoColumn(
        layout_.label(QString::fromLatin1(label), column.labelX, y + 1, column.labelWidth));
    QLabel* value = layout_.label(QString(), column.valueX, y, column.valueWidth, 10);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setAlignment(alignment | Qt::AlignVCenter);
    value->setObjectName(QStringLiteral("figure_") + QString::fromStdString(formatInt(id)));
    value->setText(QString::fromStdString(text));
    value->setMargin(1);
    shiftIntoColumn(value);
    shiftIntoColumn(layout_.label(QString::fromLatin1(unit), column.unitX, y + 1, 30));
    return value;
}

void ResultWindow::fixSize() {
    const DialogUnits& units = layout_.units();
    setFixedSize(units.x(454) + columnShift_,
                 std::max(units.y(358), lossChart_->geometry().bottom() + 1 + units.y(6)));
}

void ResultWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    paintLegend(painter, temperatureLegend_);
    paintLegend(painter, lossLegend_);
}

void ResultWindow::saveReport() {
    saveTextReport(prompt_, this, kSaveCaption,
                   [this](const std::string& path, std::string& reason) {
                       return writeReport(path, reason, reportOptions_);
                   });
}

}  // namespace thermalyx
