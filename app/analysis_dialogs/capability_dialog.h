// "Current capability": the largest output current within a Tj limit against
// the carrier frequency for the chosen devices, run in the background, drawn
// as a derating chart with a legend and listed point by point below it.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>

#include "analysis/current_capability.h"
#include "app/analysis_dialogs/analysis_dialog.h"
#include "charts/chart_geometry.h"
#include "widgets/chart_export.h"

class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QTableWidget;

namespace thermalyx {

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

class CapabilityDialog : public AnalysisDialog {
    Q_OBJECT

public:
    // The device selected on the pages (point's series and type number) starts chosen.
    CapabilityDialog(const DeviceLibrary& library, const SteadyRequest& point, Prompt& prompt,
                     QWidget* parent = nullptr);

    QListWidget* deviceList() const { return devices_; }
    QLineEdit* carrierEdit() const { return carriers_; }
    QTableWidget* pointTable() const { return table_; }
    CapabilityChartView* chartView() const { return chart_; }
    QPushButton* exportButton() const { return export_; }
    ChartExport* chartExport() const { return exports_; }
    // The last complete answer's curves, empty before one.
    const std::vector<CapabilityCurve>& curves() const { return curves_; }

public slots:
    void startRun() override;
    void saveCsv() override;

private:
    void onFinished(bool complete) override;
    void showCurves();

    QListWidget* devices_ = nullptr;
    QLineEdit* carriers_ = nullptr;
    CapabilityChartView* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<CapabilityCurve> curves_;
    // Written by the run.
    std::shared_ptr<std::optional<CapabilityAnswer>> answer_ =
        std::make_shared<std::optional<CapabilityAnswer>>();
    QPushButton* export_ = nullptr;
    ChartExport* exports_ = nullptr;
};

}  // namespace thermalyx
