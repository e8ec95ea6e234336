// "Compare devices": the product line ranked at the pages' operating point,
// run in the background, as a sortable table. Rejected devices are greyed with
// their message as a tooltip; a double-click applies a device.
#pragma once

#include <memory>
#include <optional>

#include "analysis/device_ranking.h"
#include "app/analysis_dialogs/analysis_dialog.h"

class QComboBox;
class QTableView;

namespace thermalyx {

class RankingModel;

class CompareDevicesDialog : public AnalysisDialog {
    Q_OBJECT

public:
    CompareDevicesDialog(const DeviceLibrary& library, const SteadyRequest& point, Prompt& prompt,
                         QWidget* parent = nullptr);

    RankingModel& model() const { return *model_; }
    QTableView* table() const { return table_; }
    QComboBox* acVoltageFilter() const { return acVoltage_; }
    QComboBox* seriesFilter() const { return series_; }
    QComboBox* circuitFilter() const { return circuit_; }

public slots:
    void startRun() override;
    void saveCsv() override;

signals:
    // A double-click on a device's row.
    void deviceChosen(const std::string& series, const std::string& typeNumber);

private:
    void onFinished(bool complete) override;

    QComboBox* acVoltage_ = nullptr;
    QComboBox* series_ = nullptr;
    QComboBox* circuit_ = nullptr;
    QComboBox* order_ = nullptr;
    QTableView* table_ = nullptr;
    RankingModel* model_ = nullptr;
    // Written by the run.
    std::shared_ptr<std::optional<Ranking>> answer_ = std::make_shared<std::optional<Ranking>>();
};

}  // namespace thermalyx
