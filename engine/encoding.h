#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/run_state.h"
#include "app/settings.h"
#include "engine/bitmap.h"

// The value of the output format's bits-per-pixel setting ([Output] BMP BPP for "bmp"): the depth
// itself, or 0 for automatic. 0 for an extension without such a setting.
int32_t BitDepthSettingFor(std::string_view extension, const ConversionSettings& settings);

// FreeImage save flags for an output format, from its compression and encoder settings; 0 for a
// format without any.
int32_t SaveFlagsFor(std::string_view extension, const ConversionSettings& settings);

// Fixes the encoding of a run once run.outputFormat is set: the target depth, the save flags and
// whether the depth is chosen per file.
void StartRunEncoding(const ConversionSettings& settings, RunState& run);

// The largest palette index the pixels of an 8-bit image use (row padding is not looked at);
// 0 for any other image.
int HighestPaletteIndex(const Bitmap& image);

// Writes an 8-bit image as a BMP file whose colour table holds only the entries up to the highest
// index used. The pixel data is the library's own encoding (format run.outputFormatId, flags
// run.outputSaveFlags; RLE8 when [Output] BMP Compression is 1). The file replaces an existing one
// only when it is complete. False for no image, a failed encoding or a failed write; no file is
// created then.
bool WriteExactPaletteBmp(const Bitmap& image, const std::string& path, const ConversionSettings& settings,
                          const RunState& run);
