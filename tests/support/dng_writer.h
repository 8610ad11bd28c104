#pragma once

#include <functional>
#include <optional>
#include <string>

#include "tests/support/test_images.h"

// Small but valid DNG files for tests that need FreeImage's RAW loader (LibRaw) to decode a real
// raw structure: an uncompressed 16-bit RGGB Bayer mosaic in a little-endian TIFF, optionally with
// an embedded JPEG preview. With a preview, IFD0 holds the JPEG (NewSubFileType 1) and the mosaic
// lives in its SubIFD; without one, IFD0 holds the mosaic.
//
// The scene is linear light: a channel value v (0..255) is stored as
// kDngBlackLevel + v * (kDngWhiteLevel - kDngBlackLevel) / 255, and each CFA site takes the
// channel of its own colour. The colour matrix makes the camera's space linear sRGB and the
// as-shot neutral is (1, 1, 1), so LibRaw hands a uniform scene back exactly, within one step:
//   RAW_DEFAULT  FIT_RGB16, 48 bits, width x height, linear: v * 257 (128 comes back as 32895).
//   RAW_HALFSIZE FIT_RGB16, 48 bits, width / 2 x height / 2, linear.
//   RAW_DISPLAY  24 bits, width x height, through LibRaw's BT.709 curve: 128 comes back as 180,
//                (60, 120, 180) as (121, 175, 215), 0 and 255 unchanged.
//   RAW_PREVIEW  the preview JPEG (24 bits, its own size, its colour within a few steps of JPEG
//                error) when there is one, otherwise the same image as RAW_DISPLAY.
// LibRaw crops no border pixels. Orientation 5..8 swaps the decoded width and height, and
// FreeImage turns the preview by the same tag. FreeImage_GetFileType names these files FIF_RAW.
//
// LibRaw refuses images with a side under kDngMinimumSide pixels (it no longer calls them raw,
// and FreeImage_GetFileType then says FIF_TIFF); the writer still makes them, for tests of that
// failure.
// LibRaw lowers its white point to the brightest sample when that lies above 75% of the white
// level, so a scene whose brightest channel is between 192 and 254 comes back stretched to full
// scale; keep scenes at 191 or below, or put a 255 somewhere in them.

inline constexpr int kDngBlackLevel = 256;
inline constexpr int kDngWhiteLevel = 16383;
inline constexpr int kDngMinimumSide = 22;

// The scene colour at (x, y), y 0 being the top row.
using DngScene = std::function<Rgb(int x, int y)>;

struct DngPreview {
    int width = 32;
    int height = 24;
    Rgb colour;
    // When set, the preview shows the raw image's scene scaled to the preview's size, through the
    // sRGB transfer curve, instead of the uniform colour.
    bool showsScene = false;
};

struct DngOptions {
    int width = 64;  // even; LibRaw decodes from kDngMinimumSide up
    int height = 48;
    Rgb colour{128, 128, 128};  // the uniform scene when no scene function is given
    DngScene scene;
    std::optional<DngPreview> preview;
    int orientation = 1;  // TIFF Orientation, 1..8
};

// The DNG file bytes; empty when the options cannot describe a valid file.
std::string MakeDng(const DngOptions& options);
bool WriteDng(const std::string& path, const DngOptions& options);
