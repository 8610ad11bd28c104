#include "engine/compositing.h"

Bitmap ConvertedTo24Bits(Bitmap image) {
    if (!image || BitsPerPixel(image) == 24) {
        return image;
    }
    return Bitmap(FreeImage_ConvertTo24Bits(image.get()));
}

bool CompositeOver(const Bitmap& image, const Bitmap& layer, int64_t x, int64_t y) {
    const int64_t right = x + Width(layer);
    const int64_t bottom = y + Height(layer);
    if (!image || !layer || x < 0 || y < 0 || right > Width(image) || bottom > Height(image)) {
        return false;
    }
    // Within the image, so every coordinate fits an int.
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    const Bitmap region(
        FreeImage_Copy(image.get(), left, top, static_cast<int>(right), static_cast<int>(bottom)));
    if (!region) {
        return false;
    }
    const Bitmap blended(FreeImage_Composite(layer.get(), FALSE, nullptr, region.get()));
    // An alpha above 255 makes FreeImage copy the pixels instead of blending them once more.
    constexpr int kCopy = 256;
    return blended && FreeImage_Paste(image.get(), blended.get(), left, top, kCopy);
}
