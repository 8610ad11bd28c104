#include "engine/stage.h"

Bitmap ApplyColorCorrection(Bitmap image, const StageContext& context) {
    const auto& adjustment = context.settings.adjustment;
    if (!image || !adjustment.doImageColorCorrection) {
        return image;
    }
    // FreeImage adjusts 8- to 32-bit images; the others are corrected as 24-bit images.
    const int bits = BitsPerPixel(image);
    if (bits < 8 || bits > 32) {
        image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        if (!image) {
            return image;
        }
    }
    // A failed adjustment (nothing to change, or a depth the library cannot adjust) leaves the
    // image as it was, which is the wanted outcome.
    FreeImage_AdjustColors(image.get(), adjustment.imageBrightness, adjustment.imageContrast,
                           adjustment.imageGamma, adjustment.imageInvert ? TRUE : FALSE);
    return image;
}
