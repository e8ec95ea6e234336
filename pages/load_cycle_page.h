// The "Load Cycle" tab: a table of up to 25 operating modes, edited through the
// mode editor and calculated as one repeating cycle.
//
// The table is the one store of the modes: every command reads the texts back
// from it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_geometry.h"
#include "engine/load_cycle.h"
#include "pages/calculation_page.h"
#include "pages/calculation_request.h"
#include "pages/input_rules.h"
#include "pages/shared_inputs.h"
#include "results/report_sections.h"

class QPushButton;
class QRadioButton;
class QTableWidget;

namespace thermalyx {

// The last load-cycle calculation: what the result window shows and the report
// writes. The arrays are released when the window closes.
struct LoadCycleCalculation {
    LoadCycleRequest request;  // what the window's lifetime runs again
    std::vector<LoadCycleMode> modes;
    LoadCycleResult result;
};

class LoadCyclePage : public CalculationPage {
    Q_OBJECT

public:
    // The table's columns: the mode number, the ten texts and DC LOCK.
    static constexpr int kColumnCount = 12;
    static constexpr int kDcLockColumn = 11;

    LoadCyclePage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent = nullptr);

    // Rows of the mode table.
    int rowCount() const;
    // Columns 1 to 10 and the DC LOCK state of a row, as the table shows them.
    ModeRowTexts rowTexts(int row) const;
    // Columns 1 to 3 of every row, for the result window's list and charts.
    std::vector<ModeTableRow> modeTableRows() const;

    void setCalculateEnabled(bool enabled);
    void setAddEnabled(bool enabled);
    void setChangeEnabled(bool enabled);

    // What the other pages hold that the table commands depend on: the device
    // the selection page's lists name (new modes are entered for it), whether
    // a device is applied and whether the heat-sink model is ready.
    void setListedDevice(std::string series, std::string typeNumber);
    void setDeviceApplied(bool applied) { deviceApplied_ = applied; }
    void setModelReady(bool ready) { modelReady_ = ready; }

    // The row last clicked, -1 for none; reset after every ADD, CHANGE and DELETE.
    int selectedRow() const { return selectedRow_; }
    // 0 "maximum", 1 "average".
    int tjMode() const { return tjMode_; }

    const LoadCycleCalculation& lastLoadCycleCalculation() const { return lastLoadCycle_; }

    QTableWidget* modeTable() const { return table_; }
    QPushButton* calculateButton() const { return calculateButton_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    QRadioButton* maximumButton() const { return maximum_; }
    QRadioButton* averageButton() const { return average_; }

signals:
    // LIFETIME in the result window on show (window): the main window answers
    // with the lifetime of lastLoadCycleCalculation().request.
    void lifetimeRequested(QWidget* window);

public slots:
    // "ADD": appends a mode through the editor.
    void addMode();
    // "CHANGE" (and a double click): edits the selected mode.
    void changeMode();
    // "DELETE": removes the selected mode after asking.
    void deleteMode();
    // Checks every mode, runs the cycle and shows the result.
    void calculateLoadCycle(const thermalyx::SharedInputs& inputs);

private:
    void onTableClicked();
    void onTableDoubleClicked();
    // Runs the editor for the listed device, prefilled from that device's
    // limits when it is found; the accepted texts, or nothing when cancelled.
    std::optional<ModeRowTexts> runEditor(
        const std::function<ModeRowTexts(const ConditionLimits&)>& prefill);
    void writeRow(int row, const ModeRowTexts& texts);
    // Enables "calculate" when a device, the model and a mode are there.
    void updateCalculateEnabled();
    std::string cellText(int row, int column) const;

    std::string listedSeries_;
    std::string listedType_;
    bool deviceApplied_ = false;
    bool modelReady_ = false;

    QTableWidget* table_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QRadioButton* maximum_ = nullptr;
    QRadioButton* average_ = nullptr;

    int selectedRow_ = -1;
    int tjMode_ = 0;
    LoadCycleCalculation lastLoadCycle_;
};

}  // namespace thermalyx
