#include "engine/timestamp.h"

#include "platform/clock.h"
#include "platform/files.h"

void ApplyFileTimestamp(const ConversionSettings& settings, const std::string& inputPath,
                        const std::string& outputPath) {
    DateNumber date = 0;
    switch (settings.advanced.fileTimestamp) {
        case 1: {
            // An input whose time cannot be read gives 1970-01-01 00:00:00 local time.
            const std::optional<time_t> inputTime = ModificationTime(inputPath);
            date = inputTime ? DateNumberFromTime(*inputTime) : 0;
            break;
        }
        case 2:
            date = settings.advanced.customTimestamp;
            break;
        default:
            return;
    }
    SetModificationTime(outputPath, TimeFromDateNumber(date));
}
