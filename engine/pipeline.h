#pragma once

#include "engine/stage.h"

// Converts the current job's input (context.run.inputFullPath) into one output file: loads it,
// runs every stage in order, names the output from the mask and saves it. Records the loaded
// depth, the size after resizing and the output path in context.run. True when the file was
// written; a failed save leaves no partial file and keeps an existing file of that name, and an
// output path naming the input file itself fails instead of overwriting it.
bool ConvertFile(const StageContext& context);
