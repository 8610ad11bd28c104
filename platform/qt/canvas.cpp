#include "platform/canvas.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPolygonF>
#include <QScreen>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "platform/qt/qt_drawing.h"

// Canvases are QImages in Format_ARGB32: straight alpha, so that colour and alpha written into a
// canvas come back unchanged. QPainter fills the polygons and rectangles; everything else (fills,
// copies, blending one canvas onto another, writing text) sets the pixels here, in exact integer
// arithmetic on straight alpha.

namespace {

// Beyond this the font engine's line metrics overflow.
constexpr int kMaxFontPixels = 16384;

// A face no system has: it resolves to the family that every unknown name falls back to.
constexpr char kUnknownFace[] = "kivota-no-such-font-face";

QRgb ToQRgb(uint32_t colour) {
    return qRgba(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                 static_cast<int>((colour >> 16) & 0xFF), static_cast<int>(colour >> 24));
}

QColor ToQColor(uint32_t colour) {
    return QColor::fromRgba(ToQRgb(colour));
}

int ClampOpacity(int opacity) {
    return std::clamp(opacity, 0, 255);
}

bool HasGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// An installed family, or a name the font configuration maps to a family of its own ("Arial" to
// its metric-compatible substitute) rather than to the default every unknown name gets.
bool IsKnownFace(const QFont& font) {
    if (QFontDatabase::hasFamily(font.family())) {
        return true;
    }
    QFont unknown = font;
    unknown.setFamily(QString::fromLatin1(kUnknownFace));
    return QFontInfo(font).family() != QFontInfo(unknown).family();
}

QFont DescribedFont(const FontDescription& description, int pixels) {
    QFont font(QString::fromStdString(description.face));
    font.setPixelSize(pixels);
    font.setBold(description.bold);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    return font;
}

QRgb* Line(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}
const QRgb* Line(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

void WriteRectangle(QImage& image, const QRect& area, QRgb pixel) {
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        std::fill_n(Line(image, y) + clipped.left(), clipped.width(), pixel);
    }
}

uint8_t Grey(QRgb pixel) {
    return static_cast<uint8_t>((77 * qRed(pixel) + 150 * qGreen(pixel) + 29 * qBlue(pixel)) >> 8);
}

// `source` over `target` in straight alpha, the source's alpha given as a product of two
// 0-255 factors (its own alpha and an opacity or a coverage).
QRgb BlendOver(QRgb target, QRgb source, int sourceAlpha255) {
    const int sourceAlpha = (sourceAlpha255 + 127) / 255;
    if (sourceAlpha == 0) {
        return target;
    }
    // Both weights are scaled by 255 * 255.
    const int sourceWeight = sourceAlpha * 255;
    const int targetWeight = qAlpha(target) * (255 - sourceAlpha);
    const int total = sourceWeight + targetWeight;
    const auto mix = [&](int s, int t) { return (s * sourceWeight + t * targetWeight + total / 2) / total; };
    return qRgba(mix(qRed(source), qRed(target)), mix(qGreen(source), qGreen(target)),
                 mix(qBlue(source), qBlue(target)), (total + 127) / 255);
}

// The coverage of a text over the part of a canvas it can touch (its cell and its ink, with a
// margin for rounding). QPainter renders glyphs correctly only into premultiplied images, so
// the text is drawn as coverage and the colour written into the canvas afterwards.
struct TextCoverage {
    QImage mask;
    QRect area;
};

TextCoverage RenderCoverage(const QImage& canvas, const QFont& font, QPointF baseline, const QString& line,
                            const QRect& cell, bool antialiased) {
    const QRect ink = QFontMetricsF(font).boundingRect(line).translated(baseline).toAlignedRect();
    const QRect area = cell.united(ink).adjusted(-2, -2, 2, 2).intersected(canvas.rect());
    if (area.isEmpty()) {
        return {};
    }
    QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (mask.isNull()) {
        return {};
    }
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(baseline - QPointF(area.topLeft()), line);
    painter.end();
    return {std::move(mask), area};
}

// Calls write(pixel, coverage) for every canvas pixel the text covers at least in part; aliased
// text covers a pixel fully or not at all.
template <typename Write>
void ForEachCovered(QImage& canvas, const TextCoverage& coverage, Write write) {
    for (int row = 0; row < coverage.mask.height(); ++row) {
        const QRgb* in = Line(coverage.mask, row);
        QRgb* out = Line(canvas, coverage.area.top() + row) + coverage.area.left();
        for (int column = 0; column < coverage.mask.width(); ++column) {
            if (const int covered = qAlpha(in[column])) {
                write(out[column], covered);
            }
        }
    }
}

// Qt's notes and warnings (such as its fallback for an unset XDG_RUNTIME_DIR) are no part of a
// console run's output; only its errors reach standard error.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

void BringUp() {
    if (QCoreApplication::instance()) {
        return;
    }
    qInstallMessageHandler(ErrorsOnly);
    // Qt keeps argc and argv for the application's lifetime.
    static int argc = 3;
    static char program[] = "kivota";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {program, option, platform, nullptr};
    // Never destroyed: it must outlive every font and canvas, up to the end of the process.
    new QGuiApplication(argc, argv);
}

class QtCanvasFont final : public CanvasFont {
  public:
    explicit QtCanvasFont(const QFont& font) : raster(font), vector(font) {
        raster.setStyleStrategy(QFont::NoAntialias);
        vector.setStyleStrategy(QFont::PreferAntialias);
    }

    int PixelSizeInUse() const override { return QFontInfo(raster).pixelSize(); }

    TextSize RasterTextSize(std::string_view text) const override {
        const QFontMetrics metrics(raster);
        return {metrics.horizontalAdvance(QString::fromUtf8(text)), metrics.height()};
    }

    double VectorTextWidth(std::string_view text) const override {
        return QFontMetricsF(vector).horizontalAdvance(QString::fromUtf8(text));
    }

    QFont raster;
    QFont vector;
};

std::unique_ptr<CanvasFont> LoadFont(const FontDescription& description) {
    const int pixels = FontPixelSize(description.points);
    if (!HasGuiApplication() || pixels < 1 || pixels > kMaxFontPixels || description.face.empty()) {
        return nullptr;
    }
    const QFont font = DescribedFont(description, pixels);
    if (!IsKnownFace(font)) {
        return nullptr;
    }
    return std::make_unique<QtCanvasFont>(font);
}

const QtCanvasFont& QtFont(const CanvasFont& font) {
    return static_cast<const QtCanvasFont&>(font);
}

class QtCanvas final : public Canvas {
  public:
    explicit QtCanvas(QImage pixels) : image(std::move(pixels)) {}

    int Width() const override { return image.width(); }
    int Height() const override { return image.height(); }

    void Fill(uint32_t colour) override { image.fill(ToQRgb(colour)); }

    void FillRectangle(int x, int y, int width, int height, uint32_t colour) override {
        if (width <= 0 || height <= 0) {
            return;
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRectF(x, y, width, height), ToQColor(colour));
    }

    void FillPolygon(std::span<const CanvasPoint> points, uint32_t colour) override {
        QPolygonF polygon;
        for (const CanvasPoint& point : points) {
            polygon << QPointF(point.x, point.y);
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(colour));
        painter.drawPolygon(polygon, Qt::WindingFill);
    }

    void DrawCanvas(const Canvas& source, int x, int y, int opacity) override;
    void CopyCanvas(const Canvas& source, int opacity, PixelFilter filter) override;
    void DrawRasterText(const CanvasFont& font, int x, int y, std::string_view text, uint32_t colour,
                        uint32_t background) override;
    void DrawVectorText(const CanvasFont& font, int x, int y, std::string_view text,
                        uint32_t colour) override;
    Bitmap ToBitmap() const override;

    QImage image;
};

const QImage& PixelsOf(const Canvas& canvas) {
    return static_cast<const QtCanvas&>(canvas).image;
}

void QtCanvas::DrawCanvas(const Canvas& source, int x, int y, int opacity) {
    const QImage& from = PixelsOf(source);
    const int strength = ClampOpacity(opacity);
    const QRect area = QRect(QPoint(x, y), from.size()).intersected(image.rect());
    if (strength == 0 || area.isEmpty()) {
        return;
    }
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const QRgb* in = Line(from, row - y) + (area.left() - x);
        QRgb* out = Line(image, row) + area.left();
        for (int column = 0; column < area.width(); ++column) {
            out[column] = BlendOver(out[column], in[column], qAlpha(in[column]) * strength);
        }
    }
}

void QtCanvas::CopyCanvas(const Canvas& source, int opacity, PixelFilter filter) {
    const QImage& from = PixelsOf(source);
    const int alphaScale = ClampOpacity(opacity);
    const int width = std::min(from.width(), image.width());
    const int height = std::min(from.height(), image.height());
    for (int y = 0; y < height; ++y) {
        const QRgb* in = Line(from, y);
        QRgb* out = Line(image, y);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = in[x];
            const int alpha = (qAlpha(pixel) * alphaScale + 127) / 255;
            if (filter == PixelFilter::Greyscale) {
                const int grey = Grey(pixel);
                out[x] = qRgba(grey, grey, grey, alpha);
            } else {
                out[x] = qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel), alpha);
            }
        }
    }
}

void QtCanvas::DrawRasterText(const CanvasFont& font, int x, int y, std::string_view text, uint32_t colour,
                              uint32_t background) {
    const QFont& rasterFont = QtFont(font).raster;
    const QFontMetrics metrics(rasterFont);
    const QString line = QString::fromUtf8(text);
    const QRect cell(x, y, metrics.horizontalAdvance(line), metrics.height());
    WriteRectangle(image, cell, ToQRgb(background));
    const QPointF baseline(x, static_cast<double>(y) + metrics.ascent());
    const TextCoverage coverage = RenderCoverage(image, rasterFont, baseline, line, cell, false);
    // Aliased glyphs cover a pixel fully or not at all.
    const QRgb pixel = ToQRgb(colour);
    ForEachCovered(image, coverage, [pixel](QRgb& out, int) { out = pixel; });
}

void QtCanvas::DrawVectorText(const CanvasFont& font, int x, int y, std::string_view text, uint32_t colour) {
    const QFont& vectorFont = QtFont(font).vector;
    const QFontMetricsF metrics(vectorFont);
    const QString line = QString::fromUtf8(text);
    const QRect cell = QRectF(x, y, metrics.horizontalAdvance(line), metrics.height()).toAlignedRect();
    const QPointF baseline(x, y + metrics.ascent());
    const TextCoverage coverage = RenderCoverage(image, vectorFont, baseline, line, cell, true);
    const QRgb pixel = ToQRgb(colour);
    ForEachCovered(image, coverage,
                   [pixel](QRgb& out, int covered) { out = BlendOver(out, pixel, covered * qAlpha(pixel)); });
}

Bitmap QtCanvas::ToBitmap() const {
    const int width = image.width();
    const int height = image.height();
    Bitmap bitmap(
        FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
    if (!bitmap) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        const QRgb* in = Line(image, y);
        // FreeImage keeps the bottom row first.
        BYTE* out = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
        for (int x = 0; x < width; ++x, out += 4) {
            out[FI_RGBA_RED] = static_cast<BYTE>(qRed(in[x]));
            out[FI_RGBA_GREEN] = static_cast<BYTE>(qGreen(in[x]));
            out[FI_RGBA_BLUE] = static_cast<BYTE>(qBlue(in[x]));
            out[FI_RGBA_ALPHA] = static_cast<BYTE>(qAlpha(in[x]));
        }
    }
    return bitmap;
}

std::unique_ptr<Canvas> CreateCanvas(int width, int height, CanvasBackground background) {
    if (!IsWithinImageLimits(width, height)) {
        return nullptr;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return nullptr;
    }
    image.fill(background == CanvasBackground::Black ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0));
    return std::make_unique<QtCanvas>(std::move(image));
}

LoadedPicture LoadPictureFile(const std::string& path) {
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    const QImage picture = reader.read();
    if (picture.isNull() || !IsWithinImageLimits(picture.width(), picture.height())) {
        return {};
    }
    QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    if (pixels.isNull()) {
        return {};
    }
    // A colour image without alpha counts as 24 bits even where Qt stores it in 32.
    const int bitsPerPixel = picture.hasAlphaChannel() ? 32 : std::min(picture.depth(), 24);
    return {std::make_unique<QtCanvas>(std::move(pixels)), bitsPerPixel};
}

std::optional<ScreenSize> PrimaryScreenSize() {
    if (!HasGuiApplication()) {
        return std::nullopt;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return std::nullopt;
    }
    const QSize size = screen->size();
    return ScreenSize{size.width(), size.height()};
}

}  // namespace

const QtDrawing& Drawing() {
    static const QtDrawing drawing{BringUp, CreateCanvas, LoadFont, LoadPictureFile, PrimaryScreenSize};
    return drawing;
}
