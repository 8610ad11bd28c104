#include "engine/stage.h"

Bitmap ApplyThreshold(Bitmap image, const StageContext& context) {
    const auto& adjustment = context.settings.adjustment;
    if (!image || !adjustment.doImageThreshold) {
        return image;
    }
    // The library thresholds standard bitmaps only; deeper images go through 24 bits.
    if (BitsPerPixel(image) > 32) {
        image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        if (!image) {
            return image;
        }
    }
    // The level is the library's byte argument: only its low byte counts.
    const auto level = static_cast<BYTE>(adjustment.imageThreshold);
    return Bitmap(FreeImage_Threshold(image.get(), level));
}
