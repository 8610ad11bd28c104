#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "engine/job_list.h"
#include "engine/stage.h"

// What the worker shares with the front end while a run lasts. The front end resets the counters
// and sets `running` before it starts the worker; clearing `running` asks the worker to stop
// before its next job.
struct ProgressCounters {
    using ProgressLock = std::mutex;

    ProgressLock lock;           // guards the three fields below
    int32_t currentIndex = 0;    // 1-based number of the job being converted
    std::string currentFile;     // input path of that job
    int32_t convertedCount = 0;  // jobs converted, published when the worker ends
    std::atomic<bool> running{false};
    std::atomic<bool> finished{false};  // set by the worker as its last act

    void Reset();
    void RequestStop();
};

// The worker thread's procedure: converts every job of the list with ConvertFile, publishing its
// progress; after a success it draws a new %rnd%, counts %n% on and stamps the file's time. In a
// debug console run it prints "Processing: ", "Saving As: " and "OK" or "Not OK" for each job.
void BatchWorker(const JobList& jobs, ProgressCounters& progress, const StageContext& context);
