#include "app/analysis_dialogs/background_run.h"

namespace thermalyx {

BackgroundRun::BackgroundRun(QObject* parent) : QObject(parent) {
    connect(this, &BackgroundRun::workerProgressed, this, &BackgroundRun::onWorkerProgressed,
            Qt::QueuedConnection);
    connect(this, &BackgroundRun::workerFinished, this, &BackgroundRun::onWorkerFinished,
            Qt::QueuedConnection);
}

BackgroundRun::~BackgroundRun() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
}

void BackgroundRun::start(Work work) {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
    const quint64 run = ++run_;
    running_ = true;
    thread_ = std::jthread([this, run, work = std::move(work)](std::stop_token stop) {
        ParallelOptions options;
        options.stop = stop;
        options.progress = [this, run](std::size_t done, std::size_t total) {
            emit workerProgressed(run, static_cast<int>(done), static_cast<int>(total));
        };
        bool complete = false;
        try {
            complete = work(options);
        } catch (...) {
            complete = false;
        }
        emit workerFinished(run, complete && !stop.stop_requested());
    });
}

void BackgroundRun::cancel() {
    thread_.request_stop();
}

void BackgroundRun::wait() {
    if (thread_.joinable()) thread_.join();
}

void BackgroundRun::onWorkerProgressed(quint64 run, int done, int total) {
    if (run == run_) emit progressed(done, total);
}

void BackgroundRun::onWorkerFinished(quint64 run, bool complete) {
    if (run != run_) return;
    running_ = false;
    emit finished(complete);
}

}  // namespace thermalyx
