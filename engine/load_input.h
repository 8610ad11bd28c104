#pragma once

#include <string>

#include "app/settings.h"
#include "engine/bitmap.h"

// The load chain: the first loader that yields an image wins.
//   1. headerless pixel data, when [Input] RAW Load As is 1 (8-bit) or 2 (16-bit 5-6-5);
//   2. FreeImage's camera RAW loader with RawLoadFlags;
//   3. the JPEG loader, with EXIF orientation applied;
//   4. headerless 16-bit data, which accepts any file longer than the header.
// The file is opened once and the loaders share it.
Bitmap LoadInputImage(const std::string& path, const ConversionSettings& settings);

// FreeImage's RAW load flags for [Input] RAW Load As.
int RawLoadFlags(const ConversionSettings& settings);

enum class HeaderlessMode { Rgb8 = 1, Rgb16 = 2 };

// Builds an image from raw pixel data after [Input] RAW Header Size bytes. Without a width and a
// height the image is square, its side derived from the data size; data shorter than the image
// is padded with zero bytes at the bottom. Reads only the bytes the image needs. No image for a
// negative size or header, no data after the header, or an image beyond IsWithinImageLimits.
Bitmap LoadHeaderlessImage(const std::string& path, HeaderlessMode mode, const ConversionSettings& settings);
