// The result window of a load cycle: the modes with their losses, the cycle's
// temperatures, the temperature chart and the loss chart with the frequency
// profile over the whole cycle, SAVE for the report and LIFETIME for the
// power-cycling lifetime of the cycle.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "engine/records.h"
#include "library/device_library.h"
#include "results/figure_result_window.h"
#include "results/load_cycle_figures.h"

class QTableWidget;

namespace thermalyx {

class LoadCycleResultDialog : public FigureResultWindow<LoadCycleFigure, kLoadCycleFigureCount> {
    Q_OBJECT

public:
    // modes and result are the last load-cycle calculation; they must outlive
    // the window. rows are columns 1 to 3 of the page's mode table as shown;
    // ambientText is the "Ta" figure.
    LoadCycleResultDialog(const DeviceLibrary& library, const std::vector<LoadCycleMode>& modes,
                          const LoadCycleResult& result, const std::vector<ModeTableRow>& rows,
                          const std::string& ambientText, Prompt& prompt,
                          QWidget* parent = nullptr);

    QTableWidget* modeList() const { return modeList_; }
    QPushButton* lifetimeButton() const { return lifetimeButton_; }

signals:
    // LIFETIME was pressed; whoever opened the window shows the lifetime.
    void lifetimeRequested();

protected:
    bool writeReport(const std::string& path, std::string& reason,
                     const ReportWriteOptions& options) const override;

private:
    const DeviceLibrary& library_;
    const std::vector<LoadCycleMode>& modes_;
    const LoadCycleResult& result_;

    QTableWidget* modeList_ = nullptr;
    QPushButton* lifetimeButton_ = nullptr;
};

}  // namespace thermalyx
