#include "engine/stage.h"

// Both flips work in place; with both on the image is turned by 180 degrees.
Bitmap ApplyFlip(Bitmap image, const StageContext& context) {
    const auto& transform = context.settings.transform;
    if (!image) {
        return image;
    }
    if (transform.doImageFlipHorizontal) {
        FreeImage_FlipHorizontal(image.get());
    }
    if (transform.doImageFlipVertical) {
        FreeImage_FlipVertical(image.get());
    }
    return image;
}
