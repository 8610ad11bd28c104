#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "engine/bitmap.h"

// Drawing on RGBA canvases for the frame and watermark stages. Colours are 0xAABBGGRR (red in the
// lowest byte) as everywhere in the engine, with straight (not premultiplied) alpha; coordinates
// are pixels from the top-left corner, y downwards.
//
// The drawing itself lives in a module the program loads only when it first draws (Qt's GUI
// libraries cost a conversion's start-up more than the rest of the program together); the
// factories below give nothing when the module cannot be loaded.

// Loads the drawing module and creates its application object on the offscreen platform when the
// process has none yet. Fonts need it. Call it on the main thread before a run that draws.
void EnsureDrawingPlatform();

// A font as the settings describe it.
struct FontDescription {
    std::string face;
    int points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// Points become pixels at 96 per inch whatever the screen, so that text boxes measure the same
// on every machine: 14 points are 19 pixels.
int FontPixelSize(int points);

// The watermark font, one face in two renderings: raster (aliased) and vector (antialiased).
class CanvasFont {
  public:
    // None when the drawing platform is not up, the size gives no pixel size from 1 to 16384, or
    // the face is neither installed nor mapped by the system's font configuration to a family of
    // its own (an unknown name would fall back to the default family).
    static std::unique_ptr<CanvasFont> Load(const FontDescription& description);
    virtual ~CanvasFont() = default;

    // The pixel size the rendering uses.
    virtual int PixelSizeInUse() const = 0;

    // Advance width and line height of the raster rendering, in whole pixels.
    virtual TextSize RasterTextSize(std::string_view text) const = 0;
    // Advance width of the vector rendering.
    virtual double VectorTextWidth(std::string_view text) const = 0;
};

struct CanvasPoint {
    double x = 0;
    double y = 0;
};

struct LoadedPicture;

enum class CanvasBackground { Transparent, Black };
enum class PixelFilter { None, Greyscale };

// Canvases and fonts passed to a canvas's methods come from the same module as the canvas.
class Canvas {
  public:
    // None when a side is not positive, the size is beyond IsWithinImageLimits or the memory is
    // short.
    static std::unique_ptr<Canvas> Create(int width, int height, CanvasBackground background);
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Every pixel becomes `colour`, alpha included.
    virtual void Fill(uint32_t colour) = 0;
    // Antialiased fills, blended over what the canvas holds.
    virtual void FillRectangle(int x, int y, int width, int height, uint32_t colour) = 0;
    virtual void FillPolygon(std::span<const CanvasPoint> points, uint32_t colour) = 0;

    // Blends `source` over this canvas at (x, y) with a constant opacity from 0 (nothing) to 255.
    virtual void DrawCanvas(const Canvas& source, int x, int y, int opacity) = 0;
    // Writes `source` into this canvas from (0, 0), replacing colour and alpha: each pixel takes
    // the source's colour (or its grey, (77 R + 150 G + 29 B) >> 8, through the filter) and the
    // source's alpha times opacity / 255.
    virtual void CopyCanvas(const Canvas& source, int opacity, PixelFilter filter) = 0;

    // Aliased text with its top-left corner at (x, y): the text's cell (advance width by line
    // height) becomes `background` and the glyphs' pixels `colour`, alpha included, as a raster
    // text call with an opaque background writes them.
    virtual void DrawRasterText(const CanvasFont& font, int x, int y, std::string_view text, uint32_t colour,
                                uint32_t background) = 0;
    // Antialiased text with its top-left corner at (x, y), blended over the canvas.
    virtual void DrawVectorText(const CanvasFont& font, int x, int y, std::string_view text,
                                uint32_t colour) = 0;

    // The canvas as a 32-bit FreeImage bitmap with the same pixels and alpha; null when the
    // library cannot allocate it.
    virtual Bitmap ToBitmap() const = 0;
};

struct LoadedPicture {
    std::unique_ptr<Canvas> canvas;  // null when the file does not decode
    // 32 when the picture carries alpha; otherwise its colour depth (24, 8, 1, ...).
    int bitsPerPixel = 0;
};

// Decodes a picture file (PNG, BMP, JPEG, GIF, ...) into a canvas.
LoadedPicture LoadPicture(const std::string& path);
