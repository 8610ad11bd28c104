#pragma once

#include <cstdint>
#include <string>

#include "engine/bitmap.h"

// Synthetic bitmaps for stage tests. Coordinates are top-down (y 0 is the top row), whatever
// FreeImage's bottom-up storage says.

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A bitmap of one colour: 24 or 32 bits (alpha 255), 48 (RGB16, each channel colour x 257),
// 96 (RGBF, channel / 255) or 8 (a grey palette, from the red channel).
Bitmap MakeSolidBitmap(int width, int height, int bitsPerPixel, Rgb colour);

// A bitmap whose every pixel differs from its neighbours: red = x, green = y, blue = x + y
// (each modulo 256), at 24 or 32 bits.
Bitmap MakePatternBitmap(int width, int height, int bitsPerPixel);

// The bytes of a JPEG file of the image (24-bit), with an EXIF orientation tag when `orientation`
// is 1 to 8.
std::string EncodeJpeg(const Bitmap& image, int orientation = 0);

// The bytes of a file of the image in the given FreeImage format.
std::string EncodeImage(const Bitmap& image, FREE_IMAGE_FORMAT format, int flags = 0);

// The colour at (x, y) of a 1-, 4-, 8- (through the palette), 24- or 32-bit bitmap.
Rgb PixelAt(const Bitmap& image, int x, int y);
// The alpha at (x, y) of a 32-bit bitmap.
uint8_t AlphaAt(const Bitmap& image, int x, int y);
