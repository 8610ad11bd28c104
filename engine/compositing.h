#pragma once

#include "engine/bitmap.h"

// The image in 24 bits: itself when it has them already, else its conversion (null when that
// fails).
Bitmap ConvertedTo24Bits(Bitmap image);

// Blends a 32-bit layer with alpha over the part of a 24-bit image it covers at (x, y), as
// FreeImage_Composite blends a whole layer, without touching the rest of the image. False, and
// the image unchanged, when the layer does not lie inside the image or memory is short.
bool CompositeOver(const Bitmap& image, const Bitmap& layer, int64_t x, int64_t y);
