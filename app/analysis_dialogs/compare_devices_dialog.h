// "Compare devices": the product line ranked at the pages' operating point,
// run in the background, as a sortable table. Rejected devices are greyed with
// their message as a tooltip; a double-click applies a device.
#pragma once

#include <QDialog>

#include <memory>
#include <optional>

#include "analysis/device_ranking.h"
#include "app/analysis_dialogs/analysis_controls.h"

class QComboBox;
class QTableView;

namespace thermalyx {

class BackgroundRun;
class Prompt;
class RankingModel;

class CompareDevicesDialog : public QDialog {
    Q_OBJECT

public:
    CompareDevicesDialog(const DeviceLibrary& library, const SteadyRequest& point, Prompt& prompt,
                         QWidget* parent = nullptr);
    ~CompareDevicesDialog() override;

    RankingModel& model() const { return *model_; }
    QTableView* table() const { return table_; }
    BackgroundRun& backgroundRun() const { return *run_; }
    const PointControls& pointControls() const { return point_; }
    const RunControls& runControls() const { return controls_; }
    QComboBox* acVoltageFilter() const { return acVoltage_; }
    QComboBox* seriesFilter() const { return series_; }
    QComboBox* circuitFilter() const { return circuit_; }

public slots:
    void startRun();
    void saveCsv();

signals:
    // A double-click on a device's row.
    void deviceChosen(const std::string& series, const std::string& typeNumber);

private:
    void onFinished(bool complete);

    const DeviceLibrary& library_;
    SteadyRequest start_;  // what the pages held
    Prompt& prompt_;
    PointControls point_;
    RunControls controls_;
    QComboBox* acVoltage_ = nullptr;
    QComboBox* series_ = nullptr;
    QComboBox* circuit_ = nullptr;
    QComboBox* order_ = nullptr;
    QTableView* table_ = nullptr;
    RankingModel* model_ = nullptr;
    std::shared_ptr<std::optional<Ranking>> answer_;  // written by the run
    BackgroundRun* run_ = nullptr;
};

}  // namespace thermalyx
