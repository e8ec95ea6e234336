#include "app/analysis_dialogs/analysis_dialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace thermalyx {

AnalysisDialog::AnalysisDialog(const DeviceLibrary& library, const SteadyRequest& point,
                               Prompt& prompt, const QString& title, QWidget* parent)
    : QDialog(parent), library_(library), start_(point), prompt_(prompt) {
    setWindowTitle(title);
    layout_ = new QVBoxLayout(this);
    point_ = addPointControls(*layout_, point);
}

AnalysisDialog::~AnalysisDialog() = default;

void AnalysisDialog::addRunRow() {
    controls_ = addRunControls(*this, *layout_);
    run_ = new BackgroundRun(this);
    connect(controls_.run, &QPushButton::clicked, this, &AnalysisDialog::startRun);
    connect(controls_.cancel, &QPushButton::clicked, run_, &BackgroundRun::cancel);
    connect(controls_.save, &QPushButton::clicked, this, &AnalysisDialog::saveCsv);
    connect(run_, &BackgroundRun::progressed, this, [this](int done, int total) {
        controls_.progress->setRange(0, total);
        controls_.progress->setValue(done);
    });
    connect(run_, &BackgroundRun::finished, this, &AnalysisDialog::onFinished);
}

SteadyRequest AnalysisDialog::requestedPoint() const {
    return pointFor(point_, start_);
}

std::optional<double> AnalysisDialog::tjLimit() const {
    const std::optional<double> limit = tjLimitOf(point_);
    if (!limit) setStatus(QStringLiteral("The Tj limit is not a number."));
    return limit;
}

void AnalysisDialog::setStatus(const QString& text) const {
    controls_.status->setText(text);
}

void AnalysisDialog::beginRun(BackgroundRun::Work work) {
    controls_.progress->setRange(0, 1);
    controls_.progress->setValue(0);
    setStatus(QStringLiteral("Running..."));
    showRunning(controls_, true, false);
    run_->start(std::move(work));
}

}  // namespace thermalyx
