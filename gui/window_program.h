#pragma once

#include <string>

#include "app/process.h"

// The window program, from reading config.ini to writing it back: the picture sets and theme, the
// main window, the event loop until the window is closed (or the process is asked to end by
// SIGTERM, SIGINT or SIGHUP), then the window's geometry and the settings are kept.
int RunWindowProgram(ProcessRecords& process);

// -U: the uninstall notice.
void ShowUninstallNotice(ProcessRecords& process);

// -T: the main window with example content, captured into kivota1.jpg and kivota1x.jpg (180
// pixels wide) in `folder` (the program's folder when empty). Nothing happens when the folder does
// not exist.
void CaptureMainWindow(ProcessRecords& process, const std::string& folder);
