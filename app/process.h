#pragma once

#include <string>

#include "app/run_state.h"
#include "app/settings.h"
#include "engine/format_catalogue.h"
#include "engine/job_list.h"
#include "platform/instance_lock.h"

// The process-wide records, created once by main() and handed to the front ends, which pass on
// what each procedure reads.
struct ProcessRecords {
    std::string configPath;  // empty during a console run
    InstanceLock instanceLock;
    Settings settings;
    RunState run;
    FormatCatalogue catalogue;
    JobList jobs;
};

// Brings the run to its starting values: the program's folder, fresh name counters, no input,
// output or format, an empty job list and the accepted input extensions rebuilt. The run mode and
// the window program's own fields are kept.
void ResetRunState(ProcessRecords& process);
