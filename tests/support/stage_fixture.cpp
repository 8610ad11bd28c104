#include "tests/support/stage_fixture.h"

#include "tests/support/test_images.h"

Bitmap MakeBitmapOfDepth(int width, int height, int bitsPerPixel) {
    const Bitmap pattern = MakePatternBitmap(width, height, 24);
    switch (bitsPerPixel) {
        case 1:
            return Bitmap(FreeImage_Threshold(pattern.get(), 128));
        case 4:
            return Bitmap(FreeImage_ConvertTo4Bits(pattern.get()));
        case 8:
            return Bitmap(FreeImage_ConvertTo8Bits(pattern.get()));
        case 16:
            return Bitmap(FreeImage_ConvertTo16Bits565(pattern.get()));
        case 32:
            return Bitmap(FreeImage_ConvertTo32Bits(pattern.get()));
        case 48:
            return Bitmap(FreeImage_ConvertToRGB16(pattern.get()));
        case 96:
            return Bitmap(FreeImage_ConvertToRGBF(pattern.get()));
        default:
            return Bitmap(FreeImage_Clone(pattern.get()));
    }
}
