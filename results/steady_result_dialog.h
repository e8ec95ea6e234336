// The result window of one operating point: its figures, the temperature and
// loss charts over two output periods, and SAVE for the report.
#pragma once

#include <QDialog>
#include <array>

#include "engine/operating_point.h"
#include "results/chart_geometry.h"
#include "results/report_file.h"
#include "results/steady_figures.h"

class QLabel;
class QPushButton;

namespace thermalyx {

class ChartView;
class DeviceLibrary;
class Prompt;

class SteadyResultDialog : public QDialog {
    Q_OBJECT

public:
    // condition and result are the last steady-state calculation; they must
    // outlive the window. ambientText is the "Ta" figure.
    SteadyResultDialog(const DeviceLibrary& library, const OperatingCondition& condition,
                       const SteadyResult& result, const std::string& ambientText, Prompt& prompt,
                       QWidget* parent = nullptr);

    void setReportWriteOptions(const ReportWriteOptions& options) { reportOptions_ = options; }

    QString figureText(SteadyFigure figure) const;
    ChartView* temperatureChart() const { return temperatureChart_; }
    ChartView* lossChart() const { return lossChart_; }
    const LegendGeometry& temperatureLegend() const { return temperatureLegend_; }
    const LegendGeometry& lossLegend() const { return lossLegend_; }
    QPushButton* saveButton() const { return saveButton_; }

public slots:
    // SAVE: asks for a file name and writes the report there.
    void saveReport();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DeviceLibrary& library_;
    const OperatingCondition& condition_;
    const SteadyResult& result_;
    Prompt& prompt_;
    ReportWriteOptions reportOptions_;

    ChartView* temperatureChart_ = nullptr;
    ChartView* lossChart_ = nullptr;
    LegendGeometry temperatureLegend_;
    LegendGeometry lossLegend_;
    std::array<QLabel*, kSteadyFigureCount> figures_{};
    QPushButton* saveButton_ = nullptr;
};

}  // namespace thermalyx
