#include "engine/batch_worker.h"

#include "engine/naming.h"
#include "engine/pipeline.h"
#include "engine/timestamp.h"
#include "platform/console.h"

void ProgressCounters::Reset() {
    const std::lock_guard<ProgressLock> guard(lock);
    currentIndex = 0;
    currentFile.clear();
    convertedCount = 0;
    running = true;
    finished = false;
}

void ProgressCounters::RequestStop() {
    const std::lock_guard<ProgressLock> guard(lock);
    running = false;
}

void BatchWorker(const JobList& jobs, ProgressCounters& progress, const StageContext& context) {
    RunState& run = context.run;
    const bool debug = run.commandLineInput && run.runMode == "DEBUG";
    int32_t index = 0;
    int32_t converted = 0;
    for (const ConversionJob& job : jobs.Jobs()) {
        if (!progress.running) {
            break;
        }
        ++index;
        run.inputFullPath = job.inputPath;
        run.currentSubfolder = job.subfolder;
        {
            const std::lock_guard<ProgressCounters::ProgressLock> guard(progress.lock);
            progress.currentIndex = index;
            progress.currentFile = run.inputFullPath;
        }
        if (debug) {
            PrintLine("Processing: " + run.inputFullPath);
        }
        const bool ok = ConvertFile(context);
        if (debug) {
            PrintLine("Saving As: " + run.outputPath);
            PrintLine(ok ? "OK" : "Not OK");
        }
        if (ok) {
            ++converted;
            run.nameRandom = NewNameRandom();
            ++run.nameCounter;
            ApplyFileTimestamp(context.settings, run.inputFullPath, run.outputPath);
        }
    }
    {
        const std::lock_guard<ProgressCounters::ProgressLock> guard(progress.lock);
        progress.convertedCount = converted;
    }
    progress.finished = true;
}
