#include "platform/canvas.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

constexpr uint32_t kOpaqueRed = 0xFF0000FF;
constexpr uint32_t kOpaqueGreen = 0xFF00FF00;
constexpr uint32_t kOpaqueBlue = 0xFFFF0000;

struct Rgba {
    Rgb colour;
    uint8_t alpha = 0;
    bool operator==(const Rgba&) const = default;
};

Rgba ToRgba(uint32_t colour) {
    return {
        {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour >> 16)},
        static_cast<uint8_t>(colour >> 24)};
}

Rgba PixelOf(const Bitmap& bitmap, int x, int y) {
    return {PixelAt(bitmap, x, y), AlphaAt(bitmap, x, y)};
}

class CanvasTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureDrawingPlatform(); }

    static std::unique_ptr<CanvasFont> Arial(int points = 14) {
        return CanvasFont::Load({.face = "Arial", .points = points});
    }
};

TEST_F(CanvasTest, CreatesTransparentOrBlackCanvases) {
    const auto transparent = Canvas::Create(3, 2, CanvasBackground::Transparent);
    const auto black = Canvas::Create(3, 2, CanvasBackground::Black);
    ASSERT_TRUE(transparent && black);
    EXPECT_EQ(transparent->Width(), 3);
    EXPECT_EQ(transparent->Height(), 2);
    EXPECT_EQ(PixelOf(transparent->ToBitmap(), 2, 1), (Rgba{{0, 0, 0}, 0}));
    EXPECT_EQ(PixelOf(black->ToBitmap(), 2, 1), (Rgba{{0, 0, 0}, 255}));
}

TEST_F(CanvasTest, RefusesSizesOutsideTheImageLimits) {
    EXPECT_FALSE(Canvas::Create(0, 5, CanvasBackground::Transparent));
    EXPECT_FALSE(Canvas::Create(5, -1, CanvasBackground::Transparent));
    EXPECT_FALSE(Canvas::Create(65536, 65537, CanvasBackground::Transparent));
}

TEST_F(CanvasTest, HandsOverEveryPixelWithItsAlphaTopRowFirst) {
    const auto canvas = Canvas::Create(4, 3, CanvasBackground::Transparent);
    ASSERT_TRUE(canvas);
    // A low alpha would lose colour precision in a premultiplied hand-over.
    canvas->Fill(0x01FF8040);
    canvas->FillRectangle(0, 0, 1, 1, kOpaqueRed);
    const Bitmap bitmap = canvas->ToBitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(BitsPerPixel(bitmap), 32);
    EXPECT_EQ(Width(bitmap), 4);
    EXPECT_EQ(Height(bitmap), 3);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), ToRgba(kOpaqueRed));
    EXPECT_EQ(PixelOf(bitmap, 3, 2), (Rgba{{0x40, 0x80, 0xFF}, 0x01}));
    EXPECT_EQ(PixelOf(bitmap, 0, 2), (Rgba{{0x40, 0x80, 0xFF}, 0x01}));
}

TEST_F(CanvasTest, FillsRectanglesExactlyOnWholePixelsAndPolygonsWithSoftDiagonals) {
    const auto canvas = Canvas::Create(10, 10, CanvasBackground::Transparent);
    ASSERT_TRUE(canvas);
    canvas->FillRectangle(2, 3, 4, 5, kOpaqueGreen);
    canvas->FillRectangle(7, 7, 0, 3, kOpaqueGreen);
    const CanvasPoint triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    canvas->FillPolygon(triangle, kOpaqueRed);
    const Bitmap bitmap = canvas->ToBitmap();
    const Rgba none{{0, 0, 0}, 0};
    EXPECT_EQ(PixelOf(bitmap, 1, 1), ToRgba(kOpaqueRed));
    EXPECT_EQ(PixelOf(bitmap, 5, 7), ToRgba(kOpaqueGreen));
    EXPECT_EQ(PixelOf(bitmap, 6, 7), none);
    EXPECT_EQ(PixelOf(bitmap, 5, 8), none);
    EXPECT_EQ(PixelOf(bitmap, 7, 8), none);
    // Pixel (9, 0) lies half under the diagonal x + y = 10.
    const uint8_t edge = AlphaAt(bitmap, 9, 0);
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 255);
}

TEST_F(CanvasTest, DrawsOneCanvasOnAnotherWithAConstantOpacity) {
    const auto source = Canvas::Create(2, 2, CanvasBackground::Transparent);
    const auto target = Canvas::Create(4, 4, CanvasBackground::Transparent);
    ASSERT_TRUE(source && target);
    source->Fill(kOpaqueBlue);
    target->DrawCanvas(*source, 1, 1, 128);
    target->DrawCanvas(*source, 0, 0, 0);
    const Bitmap bitmap = target->ToBitmap();
    EXPECT_EQ(PixelOf(bitmap, 0, 0), (Rgba{{0, 0, 0}, 0}));
    EXPECT_EQ(PixelOf(bitmap, 3, 3), (Rgba{{0, 0, 0}, 0}));
    EXPECT_EQ(PixelOf(bitmap, 2, 2), (Rgba{{0, 0, 255}, 128}));

    // A translucent pixel over an opaque one mixes their colours.
    const auto white = Canvas::Create(1, 1, CanvasBackground::Transparent);
    white->Fill(0xFFFFFFFF);
    source->Fill(0x800000FF);
    white->DrawCanvas(*source, 0, 0, 255);
    EXPECT_EQ(PixelOf(white->ToBitmap(), 0, 0), (Rgba{{255, 127, 127}, 255}));
}

struct CopyCase {
    uint32_t source;
    int opacity;
    PixelFilter filter;
    Rgba expected;
};

class CopyCanvasTest : public CanvasTest, public testing::WithParamInterface<CopyCase> {};

TEST_P(CopyCanvasTest, ReplacesColourAndScalesAlpha) {
    const auto source = Canvas::Create(2, 1, CanvasBackground::Transparent);
    const auto target = Canvas::Create(3, 1, CanvasBackground::Black);
    ASSERT_TRUE(source && target);
    source->Fill(GetParam().source);
    target->CopyCanvas(*source, GetParam().opacity, GetParam().filter);
    const Bitmap bitmap = target->ToBitmap();
    EXPECT_EQ(PixelOf(bitmap, 1, 0), GetParam().expected);
    // Outside the source the target keeps what it had.
    EXPECT_EQ(PixelOf(bitmap, 2, 0), (Rgba{{0, 0, 0}, 255}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyCanvasTest,
    testing::Values(CopyCase{0x801E140A, 255, PixelFilter::None, {{10, 20, 30}, 128}},
                    CopyCase{0x801E140A, 128, PixelFilter::None, {{10, 20, 30}, 64}},
                    CopyCase{0x00FFFFFF, 255, PixelFilter::None, {{255, 255, 255}, 0}},
                    CopyCase{kOpaqueRed, 255, PixelFilter::Greyscale, {{76, 76, 76}, 255}},
                    CopyCase{kOpaqueGreen, 255, PixelFilter::Greyscale, {{149, 149, 149}, 255}},
                    CopyCase{kOpaqueBlue, 255, PixelFilter::Greyscale, {{28, 28, 28}, 255}},
                    CopyCase{0xC8FFFFFF, 255, PixelFilter::Greyscale, {{255, 255, 255}, 200}},
                    CopyCase{0xFF000000, 255, PixelFilter::Greyscale, {{0, 0, 0}, 255}}));

TEST_F(CanvasTest, ConvertsPointsToPixelsAt96PerInch) {
    const std::pair<int, int> pointsToPixels[] = {{14, 19}, {12, 16}, {9, 12}, {72, 96},
                                                  {1, 1},   {2, 3},   {0, 0},  {-5, 0}};
    for (const auto& [points, pixels] : pointsToPixels) {
        EXPECT_EQ(FontPixelSize(points), pixels) << points << " points";
    }
    const auto font = Arial(14);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->PixelSizeInUse(), 19);
}

TEST_F(CanvasTest, LoadsInstalledAndSubstitutedFacesAndRefusesUnknownOnes) {
    EXPECT_TRUE(CanvasFont::Load({.face = "DejaVu Sans", .points = 10}));
    // Arial is not installed; the font configuration maps it to Liberation Sans.
    EXPECT_TRUE(CanvasFont::Load({.face = "Arial", .points = 10, .bold = true, .italic = true}));
    EXPECT_FALSE(CanvasFont::Load({.face = "NoSuchFont123", .points = 10}));
    EXPECT_FALSE(CanvasFont::Load({.face = "", .points = 10}));
    EXPECT_FALSE(CanvasFont::Load({.face = "Arial", .points = 0}));
    EXPECT_FALSE(CanvasFont::Load({.face = "Arial", .points = 20000}));
}

TEST_F(CanvasTest, MeasuresRasterAndVectorText) {
    const auto font = Arial();
    ASSERT_TRUE(font);
    const TextSize empty = font->RasterTextSize("");
    const TextSize one = font->RasterTextSize("A");
    const TextSize two = font->RasterTextSize("AB");
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(one.width, 0);
    EXPECT_GT(two.width, one.width);
    EXPECT_EQ(two.height, one.height);
    EXPECT_GE(one.height, 19);
    EXPECT_NEAR(font->VectorTextWidth("AB"), two.width, 2.0);
}

TEST_F(CanvasTest, AliasedTextWritesExactColoursOverItsCell) {
    const auto font = Arial();
    const auto canvas = Canvas::Create(60, 40, CanvasBackground::Transparent);
    ASSERT_TRUE(font && canvas);
    const uint32_t text = 0x40FF8000;
    const uint32_t back = 0x20102030;
    canvas->DrawRasterText(*font, 5, 6, "AB", text, back);
    const Bitmap bitmap = canvas->ToBitmap();
    const TextSize cell = font->RasterTextSize("AB");
    int textPixels = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Rgba pixel = PixelOf(bitmap, x, y);
            const bool inCell = x >= 5 && x < 5 + cell.width && y >= 6 && y < 6 + cell.height;
            if (pixel == ToRgba(text)) {
                ++textPixels;
            } else {
                EXPECT_EQ(pixel, inCell ? ToRgba(back) : Rgba{}) << x << "," << y;
            }
        }
    }
    EXPECT_GT(textPixels, 20);
}

TEST_F(CanvasTest, AntialiasedTextHasSoftEdgesInItsOwnColour) {
    const auto font = Arial();
    const auto canvas = Canvas::Create(60, 40, CanvasBackground::Transparent);
    ASSERT_TRUE(font && canvas);
    canvas->DrawVectorText(*font, 5, 6, "AVW", kOpaqueRed);
    const Bitmap bitmap = canvas->ToBitmap();
    int solid = 0;
    int soft = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint8_t alpha = AlphaAt(bitmap, x, y);
            solid += alpha == 255;
            soft += alpha > 0 && alpha < 255;
            if (alpha > 0) {
                ASSERT_EQ(PixelAt(bitmap, x, y), (Rgb{255, 0, 0})) << x << "," << y;
            }
            if (y < 6) {
                EXPECT_EQ(alpha, 0) << "above the text's top at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(solid, 0);
    EXPECT_GT(soft, 0);
}

// A 2 x 1 picture: red with alpha 100, then opaque white.
Bitmap MakeTranslucentPicture() {
    Bitmap picture = MakeSolidBitmap(2, 1, 32, {255, 255, 255});
    BYTE* line = FreeImage_GetScanLine(picture.get(), 0);
    line[FI_RGBA_GREEN] = 0;
    line[FI_RGBA_BLUE] = 0;
    line[FI_RGBA_ALPHA] = 100;
    return picture;
}

TEST_F(CanvasTest, LoadsPicturesWithTheirDepth) {
    TempFolder temp;
    WriteBytes(temp / "alpha.png", EncodeImage(MakeTranslucentPicture(), FIF_PNG));
    WriteBytes(temp / "colour.bmp", EncodeImage(MakePatternBitmap(5, 4, 24), FIF_BMP));
    WriteBytes(temp / "photo.jpg", EncodeJpeg(MakeSolidBitmap(8, 8, 24, {0, 0, 255})));
    WriteBytes(temp / "grey.png", EncodeImage(MakeSolidBitmap(3, 3, 8, {90, 90, 90}), FIF_PNG));

    const LoadedPicture alpha = LoadPicture(temp / "alpha.png");
    ASSERT_TRUE(alpha.canvas);
    EXPECT_EQ(alpha.bitsPerPixel, 32);
    const Bitmap alphaPixels = alpha.canvas->ToBitmap();
    EXPECT_EQ(PixelOf(alphaPixels, 0, 0), (Rgba{{255, 0, 0}, 100}));
    EXPECT_EQ(PixelOf(alphaPixels, 1, 0), (Rgba{{255, 255, 255}, 255}));

    const LoadedPicture colour = LoadPicture(temp / "colour.bmp");
    ASSERT_TRUE(colour.canvas);
    EXPECT_EQ(colour.bitsPerPixel, 24);
    EXPECT_EQ(colour.canvas->Width(), 5);
    EXPECT_EQ(colour.canvas->Height(), 4);
    EXPECT_EQ(PixelOf(colour.canvas->ToBitmap(), 3, 2), (Rgba{{3, 2, 5}, 255}));

    const LoadedPicture photo = LoadPicture(temp / "photo.jpg");
    ASSERT_TRUE(photo.canvas);
    EXPECT_EQ(photo.bitsPerPixel, 24);

    const LoadedPicture grey = LoadPicture(temp / "grey.png");
    ASSERT_TRUE(grey.canvas);
    EXPECT_EQ(grey.bitsPerPixel, 8);
}

TEST_F(CanvasTest, PicturesThatDoNotDecodeGiveNoCanvas) {
    TempFolder temp;
    WriteBytes(temp / "broken.png", "not a picture at all");
    EXPECT_FALSE(LoadPicture(temp / "broken.png").canvas);
    EXPECT_FALSE(LoadPicture(temp / "missing.png").canvas);
    EXPECT_FALSE(LoadPicture(temp.path()).canvas);
}

}  // namespace
