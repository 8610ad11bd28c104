#include "engine/pipeline.h"

#include "engine/encoding.h"
#include "engine/load_input.h"
#include "engine/naming.h"
#include "platform/files.h"

namespace {

// The stages after the resize, in the order the image passes through them.
constexpr Stage kStagesAfterResize[] = {
    ApplyToneMapping, ApplyFlip,  ApplyColorCorrection, ApplyGreyscale,
    ApplyThreshold,   ApplyFrame, ApplyWatermark,       ApplyBitDepth,
};

bool SaveWithLibrary(const Bitmap& image, const std::string& path, const RunState& run) {
    ReplacingFile output;
    if (!output.CreateUnique(path)) {
        return false;
    }
    const auto format = static_cast<FREE_IMAGE_FORMAT>(run.outputFormatId);
    return FreeImage_Save(format, image.get(), output.TemporaryPath().c_str(), run.outputSaveFlags) &&
           output.Commit(ReplacingFile::Flush::No);
}

bool Save(const Bitmap& image, const StageContext& context) {
    const RunState& run = context.run;
    if (!image || IsSameFile(run.inputFullPath, run.outputPath)) {
        return false;
    }
    if (run.outputFormat == "bmp" && run.outputBitDepth == 8 && context.settings.output.bmpColorTable == 1) {
        return WriteExactPaletteBmp(image, run.outputPath, context.settings, run);
    }
    return SaveWithLibrary(image, run.outputPath, run);
}

}  // namespace

bool ConvertFile(const StageContext& context) {
    RunState& run = context.run;
    Bitmap image = LoadInputImage(run.inputFullPath, context.settings);
    run.sourceBitDepth = BitsPerPixel(image);
    if (Width(image) == 0 || Height(image) == 0) {
        return false;
    }
    image = ApplyRotation(std::move(image), context);
    image = ApplyResize(std::move(image), context);
    run.resultWidth = Width(image);
    run.resultHeight = Height(image);
    for (Stage stage : kStagesAfterResize) {
        image = stage(std::move(image), context);
    }
    run.outputPath = BuildOutputPath(context.settings, run);
    return Save(image, context);
}
