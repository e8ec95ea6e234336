// The result window of one operating point: its figures, the temperature and
// loss charts over two output periods, and SAVE for the report.
#pragma once

#include "engine/records.h"
#include "results/figure_result_window.h"
#include "results/steady_figures.h"

namespace thermalyx {

class DeviceLibrary;

class SteadyResultDialog : public FigureResultWindow<SteadyFigure, kSteadyFigureCount> {
    Q_OBJECT

public:
    // condition and result are the last steady-state calculation; they must
    // outlive the window. ambientText is the "Ta" figure.
    SteadyResultDialog(const DeviceLibrary& library, const OperatingCondition& condition,
                       const SteadyResult& result, const std::string& ambientText, Prompt& prompt,
                       QWidget* parent = nullptr);

protected:
    bool writeReport(const std::string& path, std::string& reason,
                     const ReportWriteOptions& options) const override;

private:
    const DeviceLibrary& library_;
    const OperatingCondition& condition_;
    const SteadyResult& result_;
};

}  // namespace thermalyx
