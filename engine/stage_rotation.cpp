#include <cmath>
#include <numbers>

#include "engine/colour.h"
#include "engine/stage.h"

namespace {

// FreeImage rotates 24- and 32-bit images as they are; every other depth is turned as 24 bits.
bool NeedsTrueColour(int bitsPerPixel) {
    return bitsPerPixel <= 16 || bitsPerPixel > 32;
}

// An angle that is not a multiple of 90 degrees makes FreeImage_Rotate enlarge the canvas to the
// rotated bounding box; a multiple of 90 only swaps the sides.
bool RotatedCanvasFits(const Bitmap& image, int angle) {
    if (angle % 90 == 0) {
        return true;
    }
    const double radians = angle * std::numbers::pi / 180.0;
    const double cosine = std::abs(std::cos(radians));
    const double sine = std::abs(std::sin(radians));
    const double width = Width(image);
    const double height = Height(image);
    // One pixel to spare on each side for the library's rounding.
    const auto side = [](double extent) { return static_cast<int64_t>(std::ceil(extent)) + 2; };
    return IsWithinImageLimits(side(width * cosine + height * sine), side(width * sine + height * cosine));
}

Bitmap RotateSimple(Bitmap image, int angle, const std::string& backColour) {
    if (!RotatedCanvasFits(image, angle)) {
        return nullptr;
    }
    const uint32_t colour = HexColorToRgb(backColour);
    RGBQUAD background{};
    background.rgbBlue = BlueOf(colour);
    background.rgbGreen = GreenOf(colour);
    background.rgbRed = RedOf(colour);
    return Bitmap(FreeImage_Rotate(image.get(), angle, &background));
}

// Turns about the centre and keeps the size; what turns out of the image area is cut off.
Bitmap RotateAdvanced(Bitmap image, int angle) {
    const double centreX = Width(image) / 2.0;
    const double centreY = Height(image) / 2.0;
    return Bitmap(FreeImage_RotateEx(image.get(), angle, 0.0, 0.0, centreX, centreY, FALSE));
}

}  // namespace

Bitmap ApplyRotation(Bitmap image, const StageContext& context) {
    const auto& transform = context.settings.transform;
    const int angle = transform.imageRotation;
    // Angles are taken as they stand: 0, 360 and beyond, and negative angles do nothing.
    if (!image || !transform.doImageRotation || angle <= 0 || angle >= 360) {
        return image;
    }
    if (NeedsTrueColour(BitsPerPixel(image))) {
        image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        if (!image) {
            return image;
        }
    }
    switch (transform.imageRotationType) {
        case 0:
            return RotateSimple(std::move(image), angle, transform.imageRotationBackColor);
        case 1:
            return RotateAdvanced(std::move(image), angle);
        default:
            return image;
    }
}
