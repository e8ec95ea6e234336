// "Sweep...": one device's steady calculation repeated while one input, or two
// as a grid, runs over a range. The fixed inputs are what the pages hold; the
// points run in the background, with a progress bar and Cancel, and come back
// as charts and a table.
#pragma once

#include <array>
#include <cstddef>
#include <stop_token>
#include <thread>
#include <vector>

#include <QDialog>

#include "analysis/sweep.h"
#include "widgets/chart_export.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace thermalyx {

class Prompt;
class SweepChartView;
class SweepTableModel;

// The most points the window keeps.
inline constexpr std::size_t kSweepWindowMaxPoints = 100'000;

class SweepDialog : public QDialog {
    Q_OBJECT

public:
    // base: the device, the fixed inputs, the modulation and the heat sink the
    // pages hold.
    SweepDialog(const DeviceLibrary& library, Prompt& prompt, SteadyRequest base,
                QWidget* parent = nullptr);
    // Stops a run and waits for it.
    ~SweepDialog() override;

    QComboBox* inputBox(int axis) const { return axes_[axis].input; }
    QLineEdit* fromEdit(int axis) const { return axes_[axis].from; }
    QLineEdit* toEdit(int axis) const { return axes_[axis].to; }
    QLineEdit* pointsEdit(int axis) const { return axes_[axis].points; }
    QCheckBox* secondInputBox() const { return second_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLabel() const { return status_; }
    QComboBox* figureBox() const { return figure_; }
    SweepChartView* chartView(int which) const { return charts_[which]; }
    const SweepTableModel& table() const { return *model_; }
    QTabWidget* resultTabs() const { return tabs_; }
    QPushButton* exportButton() const { return export_; }
    ChartExport* chartExport() const { return exports_; }
    // A chart as the window shows it, legend included.
    ChartPicture chartPicture(int which) const;
    bool running() const { return running_; }

public slots:
    // Checks the ranges and starts the points in the background.
    void start();
    // Asks a run to stop; the points already done stay.
    void cancel();
    // "Save data as CSV...": the table as a comma-separated file.
    void saveTable();

signals:
    // A run ended: every point done, or stopped by Cancel.
    void runFinished(bool complete);

    // From the worker thread, delivered queued: a run's progress, its points
    // in order, and its end.
    void progressed(int run, qulonglong done, qulonglong total);
    void pointsComputed(int run, std::vector<thermalyx::SweepPoint> points);
    void ended(int run, bool complete);

protected:
    void reject() override;

private:
    struct AxisControls {
        QComboBox* input = nullptr;
        QLineEdit* from = nullptr;
        QLineEdit* to = nullptr;
        QLineEdit* points = nullptr;
    };

    void fillRange(int axis);
    void enableSecondInput(bool on);
    void takeProgress(int run, qulonglong done, qulonglong total);
    void takePoints(int run, const std::vector<SweepPoint>& points);
    void takeEnd(int run, bool complete);
    void redrawCharts();
    void setRunning(bool running);
    void stopWorker();
    // The points so far as the comma-separated table the command line writes.
    std::string csvTable() const;

    const DeviceLibrary& library_;
    Prompt& prompt_;
    SteadyRequest base_;
    const DeviceIndexEntry* device_ = nullptr;

    std::array<AxisControls, kMaxSweepAxes> axes_{};
    QCheckBox* second_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* export_ = nullptr;
    ChartExport* exports_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* figureRow_ = nullptr;
    QComboBox* figure_ = nullptr;
    std::array<SweepChartView*, 2> charts_{};
    SweepTableModel* model_ = nullptr;
    QTableView* tableView_ = nullptr;

    SweepPlan plan_;
    int runId_ = 0;
    bool running_ = false;
    std::jthread worker_;
};

}  // namespace thermalyx
