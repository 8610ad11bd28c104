#include <algorithm>
#include <vector>

#include "engine/colour.h"
#include "engine/compositing.h"
#include "engine/stage.h"
#include "platform/canvas.h"

// A solid frame painted over the outer edges of the image: four bands of their own widths and
// colours, joined by mitred seams from the image corners to the inner corners, blended over the
// image with one opacity for the whole frame. The image keeps its size.

namespace {

constexpr int8_t kSolidFrame = 1;

// Band widths kept within the image. Negative or over-wide widths can come from the command line;
// the left and top bands take precedence where two would overlap, so no band turns inside out.
struct Bands {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

Bands ClampedBands(const ConversionSettings::Frame& frame, int width, int height) {
    Bands bands;
    bands.left = std::clamp(frame.solidLeft, 0, width);
    bands.right = std::clamp(frame.solidRight, 0, width - bands.left);
    bands.top = std::clamp(frame.solidTop, 0, height);
    bands.bottom = std::clamp(frame.solidBottom, 0, height - bands.top);
    return bands;
}

struct Rectangle {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The corner squares go first; the two bands that meet at a corner then cover its two triangles,
// each in its own colour. `area` is the part of the image the canvas holds.
void DrawFrame(Canvas& canvas, const Rectangle& area, const ConversionSettings::Frame& frame,
               const Bands& bands, int width, int height) {
    const uint32_t leftColour = HexColorToRgba(frame.solidLeftColor, 255);
    const uint32_t rightColour = HexColorToRgba(frame.solidRightColor, 255);
    const uint32_t topColour = HexColorToRgba(frame.solidTopColor, 255);
    const uint32_t bottomColour = HexColorToRgba(frame.solidBottomColor, 255);
    const int dx = -area.x;
    const int dy = -area.y;
    canvas.FillRectangle(dx, dy, bands.left, bands.top, topColour);
    canvas.FillRectangle(dx + width - bands.right, dy, bands.right, bands.top, rightColour);
    canvas.FillRectangle(dx + width - bands.right, dy + height - bands.bottom, bands.right, bands.bottom,
                         bottomColour);
    canvas.FillRectangle(dx, dy + height - bands.bottom, bands.left, bands.bottom, leftColour);

    const double x0 = dx;
    const double y0 = dy;
    const double w = x0 + width;
    const double h = y0 + height;
    const double l = x0 + bands.left;
    const double r = w - bands.right;
    const double t = y0 + bands.top;
    const double b = h - bands.bottom;
    const CanvasPoint top[] = {{x0, y0}, {w, y0}, {r, t}, {l, t}};
    const CanvasPoint right[] = {{w, y0}, {w, h}, {r, b}, {r, t}};
    const CanvasPoint bottom[] = {{w, h}, {x0, h}, {l, b}, {r, b}};
    const CanvasPoint left[] = {{x0, h}, {x0, y0}, {l, t}, {l, b}};
    canvas.FillPolygon(top, topColour);
    canvas.FillPolygon(right, rightColour);
    canvas.FillPolygon(bottom, bottomColour);
    canvas.FillPolygon(left, leftColour);
}

// The frame over one area at full strength, then taken over with the frame's opacity, so that
// overlapping fills do not show through each other. Null when a canvas cannot be made.
Bitmap RenderFrame(const Rectangle& area, const ConversionSettings::Frame& frame, const Bands& bands,
                   int width, int height) {
    auto drawn = Canvas::Create(area.width, area.height, CanvasBackground::Transparent);
    auto faded = Canvas::Create(area.width, area.height, CanvasBackground::Transparent);
    if (!drawn || !faded) {
        return nullptr;
    }
    DrawFrame(*drawn, area, frame, bands, width, height);
    faded->DrawCanvas(*drawn, 0, 0, std::clamp(frame.solidOpacity, 0, 255));
    return faded->ToBitmap();
}

// The bands lie in four strips along the edges: the top and bottom ones hold the corners and
// their mitred seams, the left and right ones only the plain stretches between them. The middle
// of the image is never drawn on, so only the strips are rendered and blended.
std::vector<Rectangle> FrameStrips(const Bands& bands, int width, int height) {
    const int middle = height - bands.top - bands.bottom;
    const Rectangle strips[] = {{0, 0, width, bands.top},
                                {0, height - bands.bottom, width, bands.bottom},
                                {0, bands.top, bands.left, middle},
                                {width - bands.right, bands.top, bands.right, middle}};
    std::vector<Rectangle> drawn;
    for (const Rectangle& strip : strips) {
        if (strip.width > 0 && strip.height > 0) {
            drawn.push_back(strip);
        }
    }
    return drawn;
}

}  // namespace

Bitmap ApplyFrame(Bitmap image, const StageContext& context) {
    const ConversionSettings::Frame& frame = context.settings.frame;
    if (frame.doFrame == 0) {
        return image;
    }
    // Every frame setting but 0 gives a 24-bit image, also one that cannot be drawn.
    image = ConvertedTo24Bits(std::move(image));
    if (!image || frame.doFrame != kSolidFrame) {
        return image;
    }
    const int width = context.run.resultWidth;
    const int height = context.run.resultHeight;
    if (!IsWithinImageLimits(width, height)) {
        return nullptr;
    }
    const Bands bands = ClampedBands(frame, width, height);
    for (const Rectangle& strip : FrameStrips(bands, width, height)) {
        if (const Bitmap layer = RenderFrame(strip, frame, bands, width, height)) {
            CompositeOver(image, layer, strip.x, strip.y);
        }
    }
    return image;
}
