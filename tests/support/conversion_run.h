#pragma once

#include <string>

#include "app/run_state.h"

// A run that writes BMP files into `folder` (ending in "/"), with fresh name counters, as a front
// end prepares it before the worker starts.
RunState RunWritingTo(const std::string& folder);
