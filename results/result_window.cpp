#include "results/result_window.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "library/number_text.h"
#include "widgets/chart_painter.h"
#include "widgets/display_text.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

// Space kept between a legend and a chart frame, pixels.
constexpr int kLegendGap = 2;

const QString kSaveCaption = QStringLiteral("Save calculation result");

}  // namespace

ResultWindow::ResultWindow(Prompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt), layout_(*this) {
    setWindowTitle(
        QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
    saveButton_ = layout_.button(QStringLiteral("SAVE"), 55, 6, 60, 14);
    closeButton_ = layout_.button(QStringLiteral("CLOSE"), 145, 6, 60, 14);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(saveButton_, &QPushButton::clicked, this, &ResultWindow::saveReport);
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
    columnShift_ = std::max(0, upper.right() + units.x(gap) - units.x(columnX));
    return columnShift_;
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
    const QString path =
        prompt_.saveFileName(this, {QString(),
                                    {QStringLiteral("Text(*.txt)"), QStringLiteral("All(*.*)")},
                                    QStringLiteral("txt")});
    if (path.isEmpty()) {
        return;
    }
    std::string reason;
    if (writeReport(QFile::encodeName(path).toStdString(), reason, reportOptions_)) {
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
