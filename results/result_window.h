// What both result windows share: SAVE and CLOSE, two chart frames with their
// legends, the figure rows, and SAVE writing the report through the prompt.
#pragma once

#include <QDialog>
#include <QRect>
#include <string>

#include "results/chart_geometry.h"
#include "results/report_file.h"
#include "widgets/dialog_layout.h"

class QLabel;
class QPushButton;

namespace thermalyx {

class ChartView;
class Prompt;

// Where the parts of a result window's figure rows sit, dialog units.
struct FigureColumn {
    int labelX;
    int labelWidth;
    int valueX;
    int valueWidth;
    int unitX;
};

class ResultWindow : public QDialog {
    Q_OBJECT

public:
    void setReportWriteOptions(const ReportWriteOptions& options) { reportOptions_ = options; }

    ChartView* temperatureChart() const { return temperatureChart_; }
    ChartView* lossChart() const { return lossChart_; }
    const LegendGeometry& temperatureLegend() const { return temperatureLegend_; }
    const LegendGeometry& lossLegend() const { return lossLegend_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* closeButton() const { return closeButton_; }

public slots:
    // SAVE: asks for a file name and writes the report there.
    void saveReport();

protected:
    ResultWindow(Prompt& prompt, QWidget* parent);

    // Writes the window's report to path; false with the reason when it can't.
    virtual bool writeReport(const std::string& path, std::string& reason,
                             const ReportWriteOptions& options) const = 0;

    const DialogLayout& layout() const { return layout_; }

    // The chart frames at x, dialog units (upper frame at y 37, lower at 204,
    // 250 x 150 each), grown to minSize pixels and moved clear of the legends:
    // the temperature legend above the upper frame, the loss legend (moved
    // down as needed) between the two. Returns how far right the column beside
    // the frames moves when it starts at columnX, with gap units between.
    int placeCharts(int x, QSize minSize, LegendGeometry temperatureLegend,
                    LegendGeometry lossLegend, int columnX, int gap);

    // One figure row at y: its label, the sunken value box named "figure_<id>"
    // and its unit, moved by the column shift.
    QLabel* figureRow(const FigureColumn& column, const char* label, const char* unit, int y,
                      int id, const std::string& text, Qt::Alignment alignment);
    // Moves a widget made at its dialog-unit place by the column shift.
    void shiftIntoColumn(QWidget* widget) const;

    // The window's fixed size: the drawn size, widened by the column shift and
    // lengthened to hold the lower frame.
    void fixSize();

    void paintEvent(QPaintEvent* event) override;

private:
    Prompt& prompt_;
    ReportWriteOptions reportOptions_;
    DialogLayout layout_;
    int columnShift_ = 0;

    ChartView* temperatureChart_ = nullptr;
    ChartView* lossChart_ = nullptr;
    LegendGeometry temperatureLegend_;
    LegendGeometry lossLegend_;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace thermalyx
