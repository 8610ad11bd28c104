#include "engine/stage.h"

Bitmap ApplyGreyscale(Bitmap image, const StageContext& context) {
    if (!image || !context.settings.adjustment.doImageGreyscale) {
        return image;
    }
    // The library makes greyscale from standard bitmaps only; deeper images go through 24 bits.
    if (BitsPerPixel(image) > 32) {
        image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        if (!image) {
            return image;
        }
    }
    return Bitmap(FreeImage_ConvertToGreyscale(image.get()));
}
