// "Current capability": the largest output current within a Tj limit against
// the carrier frequency for the chosen devices, run in the background, drawn
// as a derating chart with a legend and listed point by point below it.
#pragma once

#include <QDialog>
#include <QWidget>

#include <memory>
#include <optional>

#include "analysis/current_capability.h"
#include "app/analysis_dialogs/analysis_controls.h"
#include "charts/chart_geometry.h"
#include "widgets/chart_export.h"

class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QTableWidget;

namespace thermalyx {

class BackgroundRun;
class Prompt;

// The chart and its legend, painted with the program's chart painter.
class CapabilityChartView : public QWidget {
public:
    explicit CapabilityChartView(QWidget* parent = nullptr);
    void setCurves(std::vector<CapabilityCurve> curves);
    ChartGeometry chart() const;
    LegendGeometry legend() const;
    // The chart and, once there are curves, its legend: what the screen shows.
    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<CapabilityCurve> curves_;
};

class CapabilityDialog : public QDialog {
    Q_OBJECT

public:
    // The device selected on the pages (point's series and type number) starts chosen.
    CapabilityDialog(const DeviceLibrary& library, const SteadyRequest& point, Prompt& prompt,
                     QWidget* parent = nullptr);
    ~CapabilityDialog() override;

    QListWidget* deviceList() const { return devices_; }
    QLineEdit* carrierEdit() const { return carriers_; }
    QTableWidget* pointTable() const { return table_; }
    CapabilityChartView* chartView() const { return chart_; }
    BackgroundRun& backgroundRun() const { return *run_; }
    const PointControls& pointControls() const { return point_; }
    const RunControls& runControls() const { return controls_; }
    QPushButton* exportButton() const { return export_; }
    ChartExport* chartExport() const { return exports_; }
    // The last complete answer's curves, empty before one.
    const std::vector<CapabilityCurve>& curves() const { return curves_; }

public slots:
    void startRun();
    void saveCsv();

private:
    void onFinished(bool complete);
    void showCurves();

    const DeviceLibrary& library_;
    SteadyRequest start_;  // what the pages held
    Prompt& prompt_;
    PointControls point_;
    RunControls controls_;
    QListWidget* devices_ = nullptr;
    QLineEdit* carriers_ = nullptr;
    CapabilityChartView* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<CapabilityCurve> curves_;
    std::shared_ptr<std::optional<CapabilityAnswer>> answer_;  // written by the run
    BackgroundRun* run_ = nullptr;
    QPushButton* export_ = nullptr;
    ChartExport* exports_ = nullptr;
};

}  // namespace thermalyx
