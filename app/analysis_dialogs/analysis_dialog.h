// The frame of an analysis dialog: the operating point it starts from with its
// controls on top, the row of run commands at the bottom, and the run in the
// background that the commands start and stop.
#pragma once

#include <QDialog>

#include <optional>

#include "app/analysis_dialogs/analysis_controls.h"
#include "app/analysis_dialogs/background_run.h"

class QVBoxLayout;

namespace thermalyx {

class DeviceLibrary;
class Prompt;

class AnalysisDialog : public QDialog {
    Q_OBJECT

public:
    ~AnalysisDialog() override;

    BackgroundRun& backgroundRun() const { return *run_; }
    const PointControls& pointControls() const { return point_; }
    const RunControls& runControls() const { return controls_; }

public slots:
    // Run: starts the analysis with what the controls hold.
    virtual void startRun() = 0;
    // Save CSV: asks for a file name and writes the last answer there.
    virtual void saveCsv() = 0;

protected:
    // The window titled title, the controls of point at the top of mainLayout().
    AnalysisDialog(const DeviceLibrary& library, const SteadyRequest& point, Prompt& prompt,
                   const QString& title, QWidget* parent);

    QVBoxLayout& mainLayout() const { return *layout_; }
    // The run commands and the status line, below what the dialog laid out.
    void addRunRow();

    const DeviceLibrary& library() const { return library_; }
    Prompt& prompt() const { return prompt_; }
    // The pages' point with the gate-resistance choice applied.
    SteadyRequest requestedPoint() const;
    // The limit read from its field; none, and the status says so, when it is
    // not a number.
    std::optional<double> tjLimit() const;
    void setStatus(const QString& text) const;

    // Shows a fresh run going and starts work in the background.
    void beginRun(BackgroundRun::Work work);
    // The run ended; complete when it ran to its end.
    virtual void onFinished(bool complete) = 0;

private:
    const DeviceLibrary& library_;
    SteadyRequest start_;  // what the pages held
    Prompt& prompt_;
    QVBoxLayout* layout_ = nullptr;
    PointControls point_;
    RunControls controls_;
    BackgroundRun* run_ = nullptr;
};

}  // namespace thermalyx
