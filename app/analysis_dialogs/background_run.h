// One analysis at a time on a thread of its own, so the window stays
// responsive: progress and the end reach the GUI thread as queued signals.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <thread>

#include "analysis/parallel_runner.h"

namespace thermalyx {

class BackgroundRun : public QObject {
    Q_OBJECT

public:
    // Runs on the background thread with the run's progress callback and stop
    // token; true when it finished, false when it stopped early.
    using Work = std::function<bool(const ParallelOptions&)>;

    explicit BackgroundRun(QObject* parent = nullptr);
    ~BackgroundRun() override;

    // Stops (and waits for) a run still going, then starts work.
    void start(Work work);
    // Asks the run to stop; finished(false) follows.
    void cancel();
    bool running() const { return running_; }
    // Waits for the run to end; its signals are still delivered by the event loop.
    void wait();

signals:
    void progressed(int done, int total);
    // Whatever work wrote is complete and visible to the GUI thread once this arrives.
    void finished(bool complete);

    // From the worker to this object's thread; stale runs are ignored.
    void workerProgressed(quint64 run, int done, int total);
    void workerFinished(quint64 run, bool complete);

private:
    void onWorkerProgressed(quint64 run, int done, int total);
    void onWorkerFinished(quint64 run, bool complete);

    quint64 run_ = 0;
    bool running_ = false;
    std::jthread thread_;  // last: stopped and joined before the rest goes
};

}  // namespace thermalyx
