#include <algorithm>

#include "engine/colour.h"
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

// The corner squares go first; the two bands that meet at a corner then cover its two triangles,
// each in its own colour.
void DrawFrame(Canvas& canvas, const ConversionSettings::Frame& frame, const Bands& bands) {
    const uint32_t leftColour = HexColorToRgba(frame.solidLeftColor, 255);
    const uint32_t rightColour = HexColorToRgba(frame.solidRightColor, 255);
    const uint32_t topColour = HexColorToRgba(frame.solidTopColor, 255);
    const uint32_t bottomColour = HexColorToRgba(frame.solidBottomColor, 255);
    const int width = canvas.Width();
    const int height = canvas.Height();
    canvas.FillRectangle(0, 0, bands.left, bands.top, topColour);
    canvas.FillRectangle(width - bands.right, 0, bands.right, bands.top, rightColour);
    canvas.FillRectangle(width - bands.right, height - bands.bottom, bands.right, bands.bottom, bottomColour);
    canvas.FillRectangle(0, height - bands.bottom, bands.left, bands.bottom, leftColour);

    const double w = width;
    const double h = height;
    const double l = bands.left;
    const double r = w - bands.right;
    const double t = bands.top;
    const double b = h - bands.bottom;
    const CanvasPoint top[] = {{0, 0}, {w, 0}, {r, t}, {l, t}};
    const CanvasPoint right[] = {{w, 0}, {w, h}, {r, b}, {r, t}};
    const CanvasPoint bottom[] = {{w, h}, {0, h}, {l, b}, {r, b}};
    const CanvasPoint left[] = {{0, h}, {0, 0}, {l, t}, {l, b}};
    canvas.FillPolygon(top, topColour);
    canvas.FillPolygon(right, rightColour);
    canvas.FillPolygon(bottom, bottomColour);
    canvas.FillPolygon(left, leftColour);
}

// The frame at full strength on one canvas, then taken over with the frame's opacity, so that
// overlapping fills do not show through each other. Null when a canvas cannot be made.
Bitmap RenderFrame(const ConversionSettings::Frame& frame, int width, int height) {
    auto drawn = Canvas::Create(width, height, CanvasBackground::Transparent);
    auto faded = Canvas::Create(width, height, CanvasBackground::Transparent);
    if (!drawn || !faded) {
        return nullptr;
    }
    DrawFrame(*drawn, frame, ClampedBands(frame, width, height));
    faded->DrawCanvas(*drawn, 0, 0, std::clamp(frame.solidOpacity, 0, 255));
    return faded->ToBitmap();
}

Bitmap To24Bits(Bitmap image) {
    if (!image || BitsPerPixel(image) == 24) {
        return image;
    }
    return Bitmap(FreeImage_ConvertTo24Bits(image.get()));
}

}  // namespace

Bitmap ApplyFrame(Bitmap image, const StageContext& context) {
    const ConversionSettings::Frame& frame = context.settings.frame;
    if (frame.doFrame == 0) {
        return image;
    }
    // Every frame setting but 0 gives a 24-bit image, also one that cannot be drawn.
    image = To24Bits(std::move(image));
    if (!image || frame.doFrame != kSolidFrame) {
        return image;
    }
    const int width = context.run.resultWidth;
    const int height = context.run.resultHeight;
    if (!IsWithinImageLimits(width, height)) {
        return nullptr;
    }
    const Bitmap frameLayer = RenderFrame(frame, width, height);
    if (!frameLayer) {
        return image;
    }
    return Bitmap(FreeImage_Composite(frameLayer.get(), FALSE, nullptr, image.get()));
}
