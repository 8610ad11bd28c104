#include "engine/stage_resize.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "engine/colour.h"
#include "engine/stage.h"

namespace {

struct Size {
    int width = 0;
    int height = 0;
};

// Keeps the proportions by the target of the longer side. The ratio and the quotient are taken
// in single precision, which decides how halves fall (1000 x 500 to width 801 gives height 401).
Size KeepingAspectRatio(int width, int height, Size target) {
    if (width >= height) {
        const float ratio = static_cast<float>(width) / static_cast<float>(height);
        return {target.width, RoundHalfAway(static_cast<float>(target.width) / ratio)};
    }
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    return {RoundHalfAway(static_cast<float>(target.height) / ratio), target.height};
}

}  // namespace

int ScaleDimension(int value, int unit, int size) {
    switch (unit) {
        case 0:
            return value;
        case 1: {
            // nearbyint rounds halves to even in the default rounding mode.
            const double scaled = std::nearbyint(value / 100.0 * size);
            return static_cast<int>(
                std::clamp(scaled, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
        }
        default:
            return 0;
    }
}

FREE_IMAGE_FILTER ResizeFilterFor(int code) {
    static constexpr FREE_IMAGE_FILTER kFilters[] = {FILTER_BOX,     FILTER_BILINEAR,   FILTER_BSPLINE,
                                                     FILTER_BICUBIC, FILTER_CATMULLROM, FILTER_LANCZOS3};
    return code >= 0 && code < static_cast<int>(std::size(kFilters)) ? kFilters[code] : FILTER_BICUBIC;
}

Bitmap ApplyResize(Bitmap image, const StageContext& context) {
    const auto& transform = context.settings.transform;
    if (!image || !transform.doImageResize) {
        return image;
    }
    const int width = Width(image);
    const int height = Height(image);
    const Size target{ScaleDimension(transform.imageWidth, transform.imageWidthUnit, width),
                      ScaleDimension(transform.imageHeight, transform.imageHeightUnit, height)};
    // Both targets must be usable, even when the proportions decide one of them.
    if (target.width <= 0 || target.height <= 0) {
        return image;
    }
    if (width == target.width && height == target.height) {
        return image;
    }
    const bool onlyLargeImages = transform.imageResizeType == 1;
    if (onlyLargeImages && width < target.width && height < target.height) {
        return image;
    }
    const Size size = transform.keepAspectRatio ? KeepingAspectRatio(width, height, target) : target;
    // A side of 0 fails here as it would in the library; an enormous result is refused before it
    // is allocated.
    if (!IsWithinImageLimits(size.width, size.height)) {
        return nullptr;
    }
    return Bitmap(FreeImage_Rescale(image.get(), size.width, size.height,
                                    ResizeFilterFor(transform.imageResizeAlgorithm)));
}
