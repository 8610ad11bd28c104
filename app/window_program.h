#pragma once

#include <string>

#include "app/process.h"

// The window program and the command line's window commands, run from the GUI module. Without a
// display (no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM) they print one line on standard error
// and return, instead of letting Qt abort the process.
void StartWindowProgram(ProcessRecords& process);
void StartUninstallNotice(ProcessRecords& process);
void StartWindowCapture(ProcessRecords& process, const std::string& folder);
