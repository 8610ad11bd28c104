#include "engine/stage_watermark.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "app/text.h"
#include "engine/colour.h"
#include "engine/compositing.h"
#include "engine/naming.h"
#include "engine/stage.h"

namespace {

constexpr std::string_view kLineSeparator = "%eol%";
// Several lines measure at least this wide and this tall each.
constexpr int64_t kMinimumLineSize = 10;

enum WatermarkKind : int8_t { kNone = 0, kText = 1, kPicture = 2 };

// The settings of the active kind.
struct Placement {
    int boundary = 0;
    int position = 0;
    int64_t xOffset = 0;
    int64_t yOffset = 0;
    int rotation = 0;
};

Placement PlacementOf(const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    switch (w.doWatermark) {
        case kText:
            return {w.textBoundary, w.textPosition, w.textXOffset, w.textYOffset, w.textRotation};
        case kPicture:
            return {w.imageBoundary, w.imagePosition, w.imageXOffset, w.imageYOffset, w.imageRotation};
        default:
            return {};
    }
}

// The rectangle a watermark is placed and cut in.
struct Area {
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
};

Area PlacementArea(const ConversionSettings& settings, int imageWidth, int imageHeight) {
    const auto& frame = settings.frame;
    if (PlacementOf(settings).boundary == 1 && frame.doFrame != 0) {
        return {frame.solidLeft, frame.solidTop, int64_t{imageWidth} - frame.solidLeft - frame.solidRight,
                int64_t{imageHeight} - frame.solidTop - frame.solidBottom};
    }
    return {0, 0, imageWidth, imageHeight};
}

uint8_t Opacity(int32_t setting) {
    return static_cast<uint8_t>(std::clamp(setting, 0, 255));
}

// Positions of a valid box fit an int; a line far outside it is only clipped away.
int ToCoordinate(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

// Aliased mode: the box and the text are written with their own opacities as alpha.
std::unique_ptr<Canvas> DrawAliasedTextBox(const TextBoxLayout& layout, const CanvasFont& font,
                                           const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    const uint32_t text = HexColorToRgba(w.fontColor, Opacity(w.textOpacity));
    const uint32_t back = HexColorToRgba(w.backColor, Opacity(w.backOpacity));
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    auto box = Canvas::Create(width, height, CanvasBackground::Transparent);
    auto watermark = Canvas::Create(width, height, CanvasBackground::Transparent);
    if (!box || !watermark) {
        return nullptr;
    }
    box->Fill(back);
    for (const TextBoxLine& line : layout.lines) {
        box->DrawRasterText(font, ToCoordinate(line.x), ToCoordinate(line.y), line.text, text, back);
    }
    watermark->DrawCanvas(*box, 0, 0, 255);
    return watermark;
}

// Antialiased mode: opaque background and text on canvases of their own, each blended into the
// watermark with its opacity. Lines are aligned by their vector widths.
std::unique_ptr<Canvas> DrawAntialiasedTextBox(const TextBoxLayout& layout, const CanvasFont& font,
                                               const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    auto background = Canvas::Create(width, height, CanvasBackground::Transparent);
    auto box = Canvas::Create(width, height, CanvasBackground::Transparent);
    auto watermark = Canvas::Create(width, height, CanvasBackground::Transparent);
    if (!background || !box || !watermark) {
        return nullptr;
    }
    background->Fill(HexColorToRgba(w.backColor, 255));
    const uint32_t text = HexColorToRgba(w.fontColor, 255);
    const bool singleLine = layout.lines.size() == 1;
    for (const TextBoxLine& line : layout.lines) {
        // Halves of the vector width round to even.
        const auto vectorWidth = static_cast<int64_t>(std::nearbyint(font.VectorTextWidth(line.text)));
        const int64_t x = singleLine ? line.x : WatermarkLineX(vectorWidth, layout.width, settings);
        box->DrawVectorText(font, ToCoordinate(x), ToCoordinate(line.y), line.text, text);
    }
    watermark->DrawCanvas(*background, 0, 0, Opacity(w.backOpacity));
    watermark->DrawCanvas(*box, 0, 0, Opacity(w.textOpacity));
    return watermark;
}

Bitmap MakeTextWatermark(const StageContext& context) {
    if (!context.watermarkFont) {
        return nullptr;
    }
    const CanvasFont& font = *context.watermarkFont;
    const ConversionSettings& settings = context.settings;
    const TextBoxLayout layout = LayOutTextBox(ExpandWatermarkText(settings, context.run), font, settings);
    if (!IsWithinImageLimits(layout.width, layout.height)) {
        return nullptr;
    }
    const auto canvas = settings.watermark.textAntialiasing ? DrawAntialiasedTextBox(layout, font, settings)
                                                            : DrawAliasedTextBox(layout, font, settings);
    return canvas ? canvas->ToBitmap() : nullptr;
}

// The picture's colour and alpha are written, not blended, with the opacity scaling the alpha.
Bitmap MakePictureWatermark(const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    const LoadedPicture picture = LoadPicture(w.image);
    if (!picture.canvas) {
        return nullptr;
    }
    const auto background =
        picture.bitsPerPixel == 32 ? CanvasBackground::Transparent : CanvasBackground::Black;
    auto canvas = Canvas::Create(picture.canvas->Width(), picture.canvas->Height(), background);
    if (!canvas) {
        return nullptr;
    }
    canvas->CopyCanvas(*picture.canvas, Opacity(w.imageOpacity),
                       w.imageGreyscale ? PixelFilter::Greyscale : PixelFilter::None);
    return canvas->ToBitmap();
}

Bitmap MakeWatermark(const StageContext& context) {
    switch (context.settings.watermark.doWatermark) {
        case kText:
            return MakeTextWatermark(context);
        case kPicture:
            return MakePictureWatermark(context.settings);
        default:
            return nullptr;
    }
}

// Blends the watermark over the image where it is placed; a watermark that does not lie wholly
// inside the image is left out, as pasting it onto an image-sized layer would be refused.
void BlendWatermark(const Bitmap& image, const Bitmap& watermark, const StageContext& context) {
    const WatermarkPosition at = PlaceWatermark(context.run.resultWidth, context.run.resultHeight,
                                                Width(watermark), Height(watermark), context.settings);
    CompositeOver(image, watermark, at.x, at.y);
}

}  // namespace

std::unique_ptr<CanvasFont> LoadWatermarkFont(const ConversionSettings& settings) {
    EnsureDrawingPlatform();
    const auto& w = settings.watermark;
    FontDescription description;
    description.face = w.font;
    description.points = w.fontSize;
    description.bold = w.fontStyle == 1 || w.fontStyle == 3;
    description.italic = w.fontStyle == 2 || w.fontStyle == 3;
    description.underline = w.fontEffect == 1;
    description.strikeOut = w.fontEffect == 2;
    return CanvasFont::Load(description);
}

std::string ExpandWatermarkText(const ConversionSettings& settings, const RunState& run) {
    std::string text = settings.watermark.text;
    if (std::count(text.begin(), text.end(), '%') < 2) {
        return text;
    }
    for (std::string_view placeholder : NamePlaceholders()) {
        text = ExpandPlaceholder(text, placeholder, run);
    }
    return text;
}

std::vector<std::string> WatermarkLines(std::string_view text) {
    // Lowering ASCII letters keeps every byte in place, so positions found in the lowered copy
    // hold in the text.
    const std::string lowered = AsciiLower(text);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t found = lowered.find(kLineSeparator); found != std::string::npos;
         found = lowered.find(kLineSeparator, start)) {
        lines.emplace_back(text.substr(start, found - start));
        start = found + kLineSeparator.size();
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

int64_t WatermarkLineX(int64_t lineWidth, int64_t boxWidth, const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    switch (w.textAlignment) {
        case 0:
            return w.textPadding;
        case 1:
            return RoundHalfAway(static_cast<float>(boxWidth - lineWidth) / 2.0f);
        case 2:
            return boxWidth - lineWidth - w.textPadding;
        default:
            return 0;
    }
}

TextBoxLayout LayOutTextBox(std::string_view text, const CanvasFont& font,
                            const ConversionSettings& settings) {
    const auto& w = settings.watermark;
    const int64_t padding = w.textPadding;
    TextBoxLayout layout;
    std::vector<TextSize> sizes;
    for (std::string& line : WatermarkLines(text)) {
        const TextSize size = font.RasterTextSize(line);
        sizes.push_back(size);
        layout.lines.push_back({std::move(line), size.width, padding, padding});
    }
    if (sizes.size() == 1) {
        layout.width = sizes.front().width + 2 * padding;
        layout.height = sizes.front().height + 2 * padding;
        return layout;
    }
    int64_t contentWidth = kMinimumLineSize;
    int64_t lineHeight = kMinimumLineSize;
    for (const TextSize& size : sizes) {
        contentWidth = std::max<int64_t>(contentWidth, size.width);
        lineHeight = std::max<int64_t>(lineHeight, size.height);
    }
    const int64_t lineStep = lineHeight + w.fontLeading;
    const auto separators = static_cast<int64_t>(layout.lines.size() - 1);
    layout.width = contentWidth + 2 * padding;
    layout.height = lineHeight + separators * lineStep + 2 * padding;
    for (size_t k = 0; k < layout.lines.size(); ++k) {
        TextBoxLine& line = layout.lines[k];
        line.x = WatermarkLineX(line.width, layout.width, settings);
        line.y = padding + static_cast<int64_t>(k) * lineStep;
    }
    return layout;
}

Bitmap RotateWatermark(Bitmap watermark, const ConversionSettings& settings) {
    const int angle = PlacementOf(settings).rotation;
    if (!watermark || angle <= 0 || angle >= 360) {
        return watermark;
    }
    return Bitmap(FreeImage_Rotate(watermark.get(), angle, nullptr));
}

Bitmap ClipWatermark(Bitmap watermark, int imageWidth, int imageHeight, const ConversionSettings& settings) {
    if (!watermark) {
        return watermark;
    }
    const Placement placement = PlacementOf(settings);
    const Area area = PlacementArea(settings, imageWidth, imageHeight);
    const int64_t width = Width(watermark);
    const int64_t height = Height(watermark);
    const int64_t clippedWidth =
        width + placement.xOffset > area.width ? area.width - placement.xOffset : width;
    const int64_t clippedHeight =
        height + placement.yOffset > area.height ? area.height - placement.yOffset : height;
    if (clippedWidth == width && clippedHeight == height) {
        return watermark;
    }
    if (clippedWidth <= 0 || clippedHeight <= 0) {
        return nullptr;
    }
    // Both are now below the uncut size, so they fit an int.
    return Bitmap(FreeImage_Copy(watermark.get(), 0, 0, static_cast<int>(clippedWidth),
                                 static_cast<int>(clippedHeight)));
}

WatermarkPosition PlaceWatermark(int imageWidth, int imageHeight, int64_t width, int64_t height,
                                 const ConversionSettings& settings) {
    const Placement placement = PlacementOf(settings);
    const Area area = PlacementArea(settings, imageWidth, imageHeight);
    if (placement.position < 0 || placement.position > 8) {
        return {area.x, area.y};
    }
    // Codes run row by row: left, centre, right in the top, middle and bottom rows.
    const int64_t column[] = {placement.xOffset, (area.width - width) / 2,
                              area.width - width - placement.xOffset};
    const int64_t row[] = {placement.yOffset, (area.height - height) / 2,
                           area.height - height - placement.yOffset};
    return {area.x + column[placement.position % 3], area.y + row[placement.position / 3]};
}

Bitmap ApplyWatermark(Bitmap image, const StageContext& context) {
    if (context.settings.watermark.doWatermark == kNone) {
        return image;
    }
    image = ConvertedTo24Bits(std::move(image));
    if (!image) {
        return image;
    }
    const int imageWidth = context.run.resultWidth;
    const int imageHeight = context.run.resultHeight;
    Bitmap watermark = MakeWatermark(context);
    watermark = RotateWatermark(std::move(watermark), context.settings);
    watermark = ClipWatermark(std::move(watermark), imageWidth, imageHeight, context.settings);
    if (!watermark) {
        return image;
    }
    BlendWatermark(image, watermark, context);
    return image;
}
