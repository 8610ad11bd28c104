#pragma once

#include "app/process.h"

// The console run for the input the command line named: checks the input, the output folder, the
// conversion type and the values that can stop a run; echoes every effective setting in debug
// mode; converts the file on the worker thread and prints the outcome. Every failure is one
// printed line, after which it returns.
void RunConsoleBatch(ProcessRecords& process, bool quiet);
