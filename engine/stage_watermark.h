#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_state.h"
#include "app/settings.h"
#include "engine/bitmap.h"
#include "platform/canvas.h"

// The parts of the watermark stage (ApplyWatermark, engine/stage.h). The active kind ([Watermark]
// Do Watermark 1 text, 2 picture) chooses its own boundary, position, offsets and rotation.

// The font for a text watermark: [Watermark] Font at Font Size points, bold for Font Style 1 and
// 3, italic for 2 and 3, underlined for Font Effect 1, struck out for 2. Null when it cannot be
// created. Brings up the drawing platform first, so the front ends call it on the main thread.
std::unique_ptr<CanvasFont> LoadWatermarkFont(const ConversionSettings& settings);

// [Watermark] Text with the output-name placeholders replaced for the current file, when it holds
// at least two "%". "%eol%" is no placeholder and stays.
std::string ExpandWatermarkText(const ConversionSettings& settings, const RunState& run);

// The lines of a text: "%eol%" in any letter case separates them.
std::vector<std::string> WatermarkLines(std::string_view text);

// x of a line inside the text box by [Watermark] Text Alignment: left at the padding, centred
// (halves rounded away from zero), right at the padding from the right edge; 0 for other codes.
int64_t WatermarkLineX(int64_t lineWidth, int64_t boxWidth, const ConversionSettings& settings);

struct TextBoxLine {
    std::string text;
    int64_t width = 0;  // raster advance width
    int64_t x = 0;      // left edge by the raster width
    int64_t y = 0;      // top
};

// The text box of a watermark text, measured with the raster font. Several lines take the
// widest line and the tallest line height, each at least 10, and a line step of that height plus
// [Watermark] Font Leading; a single line takes its own size and sits at (padding, padding).
// [Watermark] Text Padding surrounds the content on every side. The size may come out zero or
// negative; such a box gives no watermark.
struct TextBoxLayout {
    int64_t width = 0;
    int64_t height = 0;
    std::vector<TextBoxLine> lines;
};
TextBoxLayout LayOutTextBox(std::string_view text, const CanvasFont& font,
                            const ConversionSettings& settings);

// Turns the watermark by the kind's rotation when it is 1 to 359 degrees, enlarging it with
// transparent corners; other angles leave it as it is.
Bitmap RotateWatermark(Bitmap watermark, const ConversionSettings& settings);

// Cuts the watermark to the placement area less the kind's offsets, keeping its top-left part
// whatever the position; null when nothing is left. The area is the image, or the part inside
// the frame bands when the kind's boundary is 1 and a frame is on.
Bitmap ClipWatermark(Bitmap watermark, int imageWidth, int imageHeight, const ConversionSettings& settings);

struct WatermarkPosition {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const WatermarkPosition&) const = default;
};

// The top-left corner in the image of a watermark of the given size, by the kind's position code
// (0 to 8, top-left to bottom-right row by row) and offsets within the placement area. Offsets
// count inwards from the edge the position names and are ignored along a centred axis.
WatermarkPosition PlaceWatermark(int imageWidth, int imageHeight, int64_t width, int64_t height,
                                 const ConversionSettings& settings);
