#pragma once

#include "app/run_state.h"
#include "app/settings.h"
#include "engine/bitmap.h"

class FormatCatalogue;
class CanvasFont;

// What every image stage may read besides its image. The pipeline records the image's size after
// the resize stage in run.resultWidth and run.resultHeight; the frame and watermark stages work
// with that size. The bit-depth stage writes the depth it chose into run.outputBitDepth.
struct StageContext {
    const ConversionSettings& settings;
    RunState& run;
    const FormatCatalogue& catalogue;
    // Loaded by the front end before a run with a text watermark; null otherwise.
    const CanvasFont* watermarkFont = nullptr;
};

// The shape every stage keeps: it takes ownership of an image (possibly null) and returns the
// image to continue with. A null input gives a null result; a stage that is switched off returns
// its input untouched; a stage that makes a new image releases the one it replaces, and returns
// null when the library fails.
using Stage = Bitmap (*)(Bitmap image, const StageContext& context);

// Geometry.
Bitmap ApplyRotation(Bitmap image, const StageContext& context);
Bitmap ApplyResize(Bitmap image, const StageContext& context);
Bitmap ApplyFlip(Bitmap image, const StageContext& context);
// Tone and colour.
Bitmap ApplyToneMapping(Bitmap image, const StageContext& context);
Bitmap ApplyColorCorrection(Bitmap image, const StageContext& context);
Bitmap ApplyGreyscale(Bitmap image, const StageContext& context);
Bitmap ApplyThreshold(Bitmap image, const StageContext& context);
// Frame and watermark, drawn on RGBA canvases.
Bitmap ApplyFrame(Bitmap image, const StageContext& context);
Bitmap ApplyWatermark(Bitmap image, const StageContext& context);
// The output depth.
Bitmap ApplyBitDepth(Bitmap image, const StageContext& context);
