// What both result windows share: SAVE, CLOSE and EXPORT, two chart frames with
// their legends, the figure rows, SAVE writing the report through the prompt,
// and the exports of the charts (legend included) and of the data behind them.
#pragma once

#include <QDialog>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "results/report_sections.h"
#include "widgets/chart_export.h"
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
    // How the report and the exports are written.
    void setReportWriteOptions(const ReportWriteOptions& options);

    ChartView* temperatureChart() const { return temperatureChart_; }
    ChartView* lossChart() const { return lossChart_; }
    const LegendGeometry& temperatureLegend() const { return temperatureLegend_; }
    const LegendGeometry& lossLegend() const { return lossLegend_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    ChartExport* chartExport() const { return exports_; }

    // A chart as the window shows it, its legend included: 0 the temperature
    // chart, 1 the loss chart.
    ChartPicture chartPicture(int chart) const;

public slots:
    // SAVE: asks for a file name and writes the report there.
    void saveReport();

protected:
    // chartData gives the data behind the charts, as a comma-separated table.
    ResultWindow(Prompt& prompt, std::function<std::string()> chartData, QWidget* parent);

    // Writes the window's report to path; false with the reason when it can't.
    virtual bool writeReport(const std::string& path, std::string& reason,
                             const ReportWriteOptions& options) const = 0;

    const DialogLayout& layout() const { return layout_; }

    // Another button in the row of SAVE, CLOSE and EXPORT, right of the last
    // one. Called before placeCharts, which moves the column beside the frames
    // clear of the row.
    QPushButton* rowButton(const QString& text);

    // The chart frames at x, dialog units (upper frame at y 37, lower at 204,
    // 250 x 150 each), grown to minSize pixels and moved clear of the legends:
    // the temperature legend above the upper frame, the loss legend (moved
    // down as needed) between the two. Returns how far right the column beside
    // the frames moves when it starts at columnX, with gap units between it
    // and the frames or the button row.
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
    QPushButton* exportButton_ = nullptr;
    std::vector<QPushButton*> row_;
    int nextRowX_ = 0;  // dialog units
    ChartExport* exports_ = nullptr;
};

}  // namespace thermalyx
