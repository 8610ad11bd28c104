#include "engine/stage.h"

namespace {

// Only the 48-bit RAW loads are tone-mapped. The setting decides, not the bitmap, so an image that
// reached the pipeline through a fallback loader is mapped as well.
bool LoadsHighDynamicRange(int rawLoadAs) {
    return rawLoadAs == 4 || rawLoadAs == 5;
}

}  // namespace

Bitmap ApplyToneMapping(Bitmap image, const StageContext& context) {
    const auto& input = context.settings.input;
    if (!image || !LoadsHighDynamicRange(input.rawLoadAs)) {
        return image;
    }
    switch (input.rawToneMapping) {
        case 1:
            return Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        case 2:
            return Bitmap(FreeImage_TmoDrago03(image.get(), 2.2, 0.0));
        case 3:
            return Bitmap(FreeImage_TmoReinhard05(image.get(), 0.0, 0.0));
        case 4:
            return Bitmap(FreeImage_TmoFattal02(image.get(), 0.5, 0.85));
        default:
            return image;
    }
}
