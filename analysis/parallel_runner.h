// A small parallel-for for analyses that run many independent calculations.
//
// Each index is computed exactly once, by whichever worker claims it, and the
// caller writes its answer into a slot of its own that was sized beforehand, so
// the answer and its order do not depend on the number of threads.
#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>

namespace thermalyx {

// Told after every finished index: how many are done, of how many. Calls come
// from the worker threads one at a time, with done rising by one each call.
using ProgressCallback = std::function<void(std::size_t done, std::size_t total)>;

struct ParallelOptions {
    int jobs = 0;               // worker threads; 0 or less: one per processor
    ProgressCallback progress;  // may be empty
    std::stop_token stop;       // a stop request ends the run early
};

// Options with only the workers (and a stop token) set.
ParallelOptions parallelJobs(int jobs, std::stop_token stop = {});

// The number of workers a run of count items uses for the requested jobs:
// at least 1, at most count (and at least 1 for an empty run).
int workerCount(std::size_t count, int jobs);

// Calls body(i) once for each i in 0..count-1, spread over the workers. True
// when every index ran; false when a stop request left some not run (indices
// already started still finish). The first exception thrown by body stops the
// other workers and is rethrown here once they have all ended.
bool parallelFor(std::size_t count, const std::function<void(std::size_t)>& body,
                 const ParallelOptions& options = {});

}  // namespace thermalyx
