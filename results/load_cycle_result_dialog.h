// The result window of a load cycle: the modes with their losses, the cycle's
// temperatures, the temperature chart and the loss chart with the frequency
// profile over the whole cycle, and SAVE for the report.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "engine/load_cycle.h"
#include "library/device_library.h"
#include "results/chart_geometry.h"
#include "results/load_cycle_figures.h"
#include "results/report_file.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace thermalyx {

class ChartView;
class Prompt;

class LoadCycleResultDialog : public QDialog {
    Q_OBJECT

public:
    // modes and result are the last load-cycle calculation; they must outlive
    // the window. rows are columns 1 to 3 of the page's mode table as shown;
    // ambientText is the "Ta" figure.
    LoadCycleResultDialog(const DeviceLibrary& library, const std::vector<LoadCycleMode>& modes,
                          const LoadCycleResult& result, std::vector<ModeTableRow> rows,
                          const std::string& ambientText, Prompt& prompt,
                          QWidget* parent = nullptr);

    void setReportWriteOptions(const ReportWriteOptions& options) { reportOptions_ = options; }

    QString figureText(LoadCycleFigure figure) const;
    QTableWidget* modeList() const { return modeList_; }
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
    void paintEvent(QPaintEvent* event) override;

private:
    const DeviceLibrary& library_;
    const std::vector<LoadCycleMode>& modes_;
    const LoadCycleResult& result_;
    std::vector<ModeTableRow> rows_;
    Prompt& prompt_;
    ReportWriteOptions reportOptions_;

    ChartView* temperatureChart_ = nullptr;
    ChartView* lossChart_ = nullptr;
    LegendGeometry temperatureLegend_;
    LegendGeometry lossLegend_;
    QTableWidget* modeList_ = nullptr;
    std::array<QLabel*, kLoadCycleFigureCount> figures_{};
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace thermalyx
