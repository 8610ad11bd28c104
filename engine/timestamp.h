#pragma once

#include <string>

#include "app/settings.h"

// Gives a written file the modification time [Advanced] File Timestamp asks for: 0 leaves the
// save's time, 1 copies the input's time (to the second), 2 sets [Advanced] Custom Timestamp.
// Fails silently.
void ApplyFileTimestamp(const ConversionSettings& settings, const std::string& inputPath,
                        const std::string& outputPath);
