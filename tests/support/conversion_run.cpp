#include "tests/support/conversion_run.h"

#include <FreeImage.h>

RunState RunWritingTo(const std::string& folder) {
    RunState run;
    run.outputFolder = folder;
    run.outputFormat = "bmp";
    run.outputFormatId = FIF_BMP;
    run.nameCounter = 1;
    run.nameRandom = 42;
    return run;
}
