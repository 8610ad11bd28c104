#include "engine/stage_watermark.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/format_catalogue.h"
#include "engine/stage.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};

class WatermarkTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        Settings defaults;
        ApplyDefaultSettings(defaults, false, std::nullopt, 0);
        font = LoadWatermarkFont(defaults.conversion);
    }
    static void TearDownTestSuite() { font.reset(); }

    WatermarkTest() {
        ApplyDefaultSettings(settings, false, std::nullopt, 0);
        catalogue.BuildFormatCatalogue();
        watermark.doWatermark = 1;
    }

    StageContext Context() { return StageContext{settings.conversion, run, catalogue, font.get()}; }

    Bitmap Watermark(Bitmap image) {
        run.resultWidth = Width(image);
        run.resultHeight = Height(image);
        return ApplyWatermark(std::move(image), Context());
    }

    // The text drawn as a box of solid colour: red text on an opaque white background.
    void UseSolidTextBox(const std::string& text) {
        watermark.text = text;
        watermark.fontColor = "FF0000";
        watermark.backColor = "FFFFFF";
        watermark.backOpacity = 255;
    }

    static inline std::unique_ptr<CanvasFont> font;
    Settings settings;
    ConversionSettings::Watermark& watermark = settings.conversion.watermark;
    RunState run;
    FormatCatalogue catalogue;
};

// True when the image is `colour` everywhere outside the rectangle.
bool IsUntouchedOutside(const Bitmap& image, int left, int top, int right, int bottom, Rgb colour) {
    for (int y = 0; y < Height(image); ++y) {
        for (int x = 0; x < Width(image); ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            if (!inside && PixelAt(image, x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

bool IsUniform(const Bitmap& image, Rgb colour) {
    return IsUntouchedOutside(image, 0, 0, 0, 0, colour);
}

TEST_F(WatermarkTest, LoadsTheFontForArialAndRefusesAnUnknownFace) {
    ASSERT_TRUE(font);
    EXPECT_EQ(font->PixelSizeInUse(), 19);
    watermark.font = "NoSuchFont123";
    EXPECT_FALSE(LoadWatermarkFont(settings.conversion));
    watermark.font = "Arial";
    watermark.fontSize = 0;
    EXPECT_FALSE(LoadWatermarkFont(settings.conversion));
}

TEST_F(WatermarkTest, FontStyleOneIsBold) {
    watermark.fontStyle = 1;
    const auto bold = LoadWatermarkFont(settings.conversion);
    ASSERT_TRUE(bold);
    EXPECT_GT(bold->RasterTextSize("Watermark").width, font->RasterTextSize("Watermark").width);
}

TEST_F(WatermarkTest, ExpandsPlaceholdersWithTheResizedSize) {
    run.resultWidth = 800;
    run.resultHeight = 600;
    run.inputFullPath = "/in/IMG_0042.CR2";
    watermark.text = "%width%x%height%";
    EXPECT_EQ(ExpandWatermarkText(settings.conversion, run), "800x600");
    watermark.text = "%FILENAME%%EOL%%Width%";
    EXPECT_EQ(ExpandWatermarkText(settings.conversion, run), "IMG_0042%EOL%800");
}

TEST_F(WatermarkTest, SplitsLinesAtEolInAnyCase) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WatermarkLines("A%EOL%B"), (Lines{"A", "B"}));
    EXPECT_EQ(WatermarkLines("A%eol%%Eol%B"), (Lines{"A", "", "B"}));
    EXPECT_EQ(WatermarkLines("%eol%"), (Lines{"", ""}));
    EXPECT_EQ(WatermarkLines("one line"), (Lines{"one line"}));
    EXPECT_EQ(WatermarkLines("100%eo"), (Lines{"100%eo"}));
}

TEST_F(WatermarkTest, LaysOutSeveralLinesWithLeadingAndPadding) {
    watermark.textPadding = 3;
    watermark.fontLeading = 5;
    const TextBoxLayout layout = LayOutTextBox("A%EOL%B", *font, settings.conversion);
    const TextSize a = font->RasterTextSize("A");
    const TextSize b = font->RasterTextSize("B");
    const int64_t lineHeight = std::max({10, a.height, b.height});
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(layout.lines[0].text, "A");
    EXPECT_EQ(layout.lines[1].text, "B");
    EXPECT_EQ(layout.width, std::max({10, a.width, b.width}) + 6);
    EXPECT_EQ(layout.height, lineHeight + lineHeight + 5 + 6);
    EXPECT_EQ(layout.lines[0].y, 3);
    EXPECT_EQ(layout.lines[1].y - layout.lines[0].y, lineHeight + 5);
    EXPECT_EQ(layout.lines[0].x, 3);
}

TEST_F(WatermarkTest, SeveralLinesMeasureAtLeastTenPixels) {
    watermark.fontSize = 1;
    const auto tiny = LoadWatermarkFont(settings.conversion);
    ASSERT_TRUE(tiny);
    ASSERT_LT(tiny->RasterTextSize("i").height, 10);
    watermark.textPadding = 2;
    const TextBoxLayout layout = LayOutTextBox("i%eol%i", *tiny, settings.conversion);
    EXPECT_EQ(layout.width, 10 + 4);
    EXPECT_EQ(layout.height, 10 + 10 + 4);
    // A single line has no minimum.
    const TextBoxLayout single = LayOutTextBox("i", *tiny, settings.conversion);
    EXPECT_EQ(single.width, tiny->RasterTextSize("i").width + 4);
}

TEST_F(WatermarkTest, SingleLineSitsAtThePaddingWhateverTheAlignment) {
    watermark.textPadding = 4;
    for (const int8_t alignment : {int8_t{0}, int8_t{1}, int8_t{2}}) {
        watermark.textAlignment = alignment;
        const TextBoxLayout layout = LayOutTextBox("Hello", *font, settings.conversion);
        ASSERT_EQ(layout.lines.size(), 1u);
        EXPECT_EQ(layout.lines[0].x, 4);
        EXPECT_EQ(layout.lines[0].y, 4);
        EXPECT_EQ(layout.width, font->RasterTextSize("Hello").width + 8);
        EXPECT_EQ(layout.height, font->RasterTextSize("Hello").height + 8);
    }
}

struct LineXCase {
    int8_t alignment;
    int64_t lineWidth;
    int64_t boxWidth;
    int64_t x;
};

class WatermarkLineXTest : public WatermarkTest, public testing::WithParamInterface<LineXCase> {};

TEST_P(WatermarkLineXTest, AlignsTheLineInTheBox) {
    watermark.textPadding = 3;
    watermark.textAlignment = GetParam().alignment;
    EXPECT_EQ(WatermarkLineX(GetParam().lineWidth, GetParam().boxWidth, settings.conversion), GetParam().x);
}

INSTANTIATE_TEST_SUITE_P(Cases, WatermarkLineXTest,
                         testing::Values(LineXCase{0, 20, 40, 3},
                                         // 7 narrower: 3.5 rounds away from zero.
                                         LineXCase{1, 20, 27, 4}, LineXCase{1, 27, 20, -4},
                                         LineXCase{1, 20, 26, 3}, LineXCase{2, 20, 40, 17},
                                         LineXCase{3, 20, 40, 0}));

struct PlaceCase {
    int8_t position;
    int xOffset;
    int yOffset;
    int64_t width;
    WatermarkPosition expected;
};

class PlaceWatermarkTest : public WatermarkTest, public testing::WithParamInterface<PlaceCase> {};

// A 640 x 480 image and a watermark 50 pixels high.
TEST_P(PlaceWatermarkTest, PlacesByPositionAndOffsets) {
    watermark.textPosition = GetParam().position;
    watermark.textXOffset = GetParam().xOffset;
    watermark.textYOffset = GetParam().yOffset;
    EXPECT_EQ(PlaceWatermark(640, 480, GetParam().width, 50, settings.conversion), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceWatermarkTest,
    testing::Values(PlaceCase{8, 10, 10, 100, {530, 420}}, PlaceCase{8, 20, 30, 100, {520, 400}},
                    PlaceCase{4, 10, 10, 100, {270, 215}}, PlaceCase{4, 99, -99, 100, {270, 215}},
                    PlaceCase{0, 10, 20, 100, {10, 20}}, PlaceCase{1, 10, 20, 100, {270, 20}},
                    PlaceCase{2, 10, 20, 100, {530, 20}}, PlaceCase{3, 10, 20, 100, {10, 215}},
                    PlaceCase{5, 10, 20, 100, {530, 215}}, PlaceCase{6, 10, 20, 100, {10, 410}},
                    PlaceCase{7, 10, 20, 100, {270, 410}},
                    // Halves are truncated towards zero, also below zero.
                    PlaceCase{1, 0, 0, 99, {270, 0}}, PlaceCase{1, 0, 0, 641, {0, 0}},
                    PlaceCase{1, 0, 0, 643, {-1, 0}}, PlaceCase{9, 10, 10, 100, {0, 0}}));

TEST_F(WatermarkTest, FrameBoundaryPlacesInsideTheFrame) {
    watermark.textBoundary = 1;
    watermark.textPosition = 0;
    auto& frame = settings.conversion.frame;
    frame.doFrame = 1;
    frame.solidLeft = frame.solidRight = frame.solidTop = frame.solidBottom = 20;
    EXPECT_EQ(PlaceWatermark(640, 480, 100, 50, settings.conversion), (WatermarkPosition{30, 30}));
    watermark.textPosition = 8;
    EXPECT_EQ(PlaceWatermark(640, 480, 100, 50, settings.conversion), (WatermarkPosition{510, 400}));
    // Without a frame the boundary is the image.
    frame.doFrame = 0;
    watermark.textPosition = 0;
    EXPECT_EQ(PlaceWatermark(640, 480, 100, 50, settings.conversion), (WatermarkPosition{10, 10}));
    // The picture kind reads its own boundary.
    frame.doFrame = 1;
    watermark.doWatermark = 2;
    watermark.imagePosition = 0;
    EXPECT_EQ(PlaceWatermark(640, 480, 100, 50, settings.conversion), (WatermarkPosition{10, 10}));
}

TEST_F(WatermarkTest, ClipsToTheAreaLessTheOffsetsKeepingTheTopLeftPart) {
    for (const int8_t position : {int8_t{0}, int8_t{4}, int8_t{8}}) {
        watermark.textPosition = position;
        const Bitmap clipped = ClipWatermark(MakePatternBitmap(200, 50, 32), 150, 100, settings.conversion);
        ASSERT_TRUE(clipped);
        EXPECT_EQ(Width(clipped), 140);
        EXPECT_EQ(Height(clipped), 50);
        EXPECT_EQ(PixelAt(clipped, 139, 49), (Rgb{139, 49, 188}));
    }
    watermark.textYOffset = 60;
    const Bitmap both = ClipWatermark(MakePatternBitmap(200, 50, 32), 150, 100, settings.conversion);
    EXPECT_EQ(Height(both), 40);
    EXPECT_EQ(PixelAt(both, 0, 0), (Rgb{0, 0, 0}));
}

TEST_F(WatermarkTest, ClippingLeavesTheWatermarkAloneWhenItFitsAndNothingWhenNoRoomIsLeft) {
    Bitmap fitting = MakePatternBitmap(100, 50, 32);
    FIBITMAP* const original = fitting.get();
    EXPECT_EQ(ClipWatermark(std::move(fitting), 110, 60, settings.conversion).get(), original);
    watermark.textXOffset = 150;
    EXPECT_FALSE(ClipWatermark(MakePatternBitmap(100, 50, 32), 150, 100, settings.conversion));
    watermark.textXOffset = 10;
    watermark.textYOffset = 100;
    EXPECT_FALSE(ClipWatermark(MakePatternBitmap(100, 50, 32), 150, 100, settings.conversion));
}

TEST_F(WatermarkTest, RotatesOnlyFrom1To359Degrees) {
    for (int angle : {0, 360, -90, 450}) {
        watermark.textRotation = angle;
        Bitmap box = MakePatternBitmap(200, 50, 32);
        FIBITMAP* const original = box.get();
        EXPECT_EQ(RotateWatermark(std::move(box), settings.conversion).get(), original) << angle;
    }
    watermark.textRotation = 90;
    const Bitmap turned = RotateWatermark(MakePatternBitmap(200, 50, 32), settings.conversion);
    EXPECT_EQ(Width(turned), 50);
    EXPECT_EQ(Height(turned), 200);
    // A picture turns by its own angle.
    watermark.doWatermark = 2;
    watermark.imageRotation = 270;
    EXPECT_EQ(Width(RotateWatermark(MakePatternBitmap(200, 50, 32), settings.conversion)), 50);
}

TEST_F(WatermarkTest, WatermarkOffReturnsTheSameBitmap) {
    watermark.doWatermark = 0;
    Bitmap image = MakeSolidBitmap(8, 8, 8, {40, 40, 40});
    FIBITMAP* const original = image.get();
    const Bitmap result = Watermark(std::move(image));
    EXPECT_EQ(result.get(), original);
    EXPECT_FALSE(ApplyWatermark(nullptr, Context()));
}

TEST_F(WatermarkTest, DrawsTheTextBoxAtTheBottomRightOffsetInwards) {
    UseSolidTextBox("Kivota");
    const TextBoxLayout layout = LayOutTextBox("Kivota", *font, settings.conversion);
    const int right = 200 - 10;
    const int bottom = 100 - 10;
    const int left = right - static_cast<int>(layout.width);
    const int top = bottom - static_cast<int>(layout.height);
    const Bitmap result = Watermark(MakeSolidBitmap(200, 100, 32, kBlack));
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    EXPECT_TRUE(IsUntouchedOutside(result, left, top, right, bottom, kBlack));
    int red = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Rgb pixel = PixelAt(result, x, y);
            ASSERT_TRUE(pixel == kWhite || pixel == kRed) << x << "," << y;
            red += pixel == kRed;
        }
    }
    EXPECT_GT(red, 20);
}

TEST_F(WatermarkTest, AliasedTextAndBoxCarryTheirOpacities) {
    UseSolidTextBox("Kivota");
    watermark.backOpacity = 0;
    watermark.textOpacity = 128;
    const Bitmap result = Watermark(MakeSolidBitmap(200, 100, 24, kBlack));
    ASSERT_TRUE(result);
    bool sawText = false;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const Rgb pixel = PixelAt(result, x, y);
            ASSERT_TRUE(pixel == kBlack || pixel == (Rgb{127, 0, 0}) || pixel == (Rgb{128, 0, 0}))
                << x << "," << y;
            sawText |= pixel != kBlack;
        }
    }
    EXPECT_TRUE(sawText);
}

TEST_F(WatermarkTest, AntialiasedTextBlendsItsEdges) {
    UseSolidTextBox("AVW");
    watermark.textAntialiasing = 1;
    watermark.textPosition = 0;
    const TextBoxLayout layout = LayOutTextBox("AVW", *font, settings.conversion);
    const Bitmap result = Watermark(MakeSolidBitmap(200, 100, 24, kBlack));
    ASSERT_TRUE(result);
    EXPECT_TRUE(IsUntouchedOutside(result, 10, 10, 10 + static_cast<int>(layout.width),
                                   10 + static_cast<int>(layout.height), kBlack));
    int blended = 0;
    for (int y = 10; y < 10 + layout.height; ++y) {
        for (int x = 10; x < 10 + layout.width; ++x) {
            const Rgb pixel = PixelAt(result, x, y);
            EXPECT_EQ(pixel.red, 255);
            blended += pixel.green > 0 && pixel.green < 255;
        }
    }
    EXPECT_GT(blended, 0);
}

TEST_F(WatermarkTest, CentredLinesOfAntialiasedTextFollowTheirVectorWidths) {
    UseSolidTextBox("W%eol%iiiiiiiiiiii");
    watermark.textAntialiasing = 1;
    watermark.textAlignment = 1;
    watermark.textPosition = 0;
    watermark.textXOffset = 0;
    watermark.textYOffset = 0;
    const Bitmap result = Watermark(MakeSolidBitmap(300, 100, 24, kBlack));
    ASSERT_TRUE(result);
    // The first line's single glyph sits in the middle of the box, not at its left edge.
    const TextBoxLayout layout = LayOutTextBox("W%eol%iiiiiiiiiiii", *font, settings.conversion);
    bool leftEdgeClear = true;
    for (int y = 0; y < layout.lines[1].y; ++y) {
        for (int x = 0; x < 5; ++x) {
            leftEdgeClear &= PixelAt(result, x, y) == kWhite;
        }
    }
    EXPECT_TRUE(leftEdgeClear);
}

TEST_F(WatermarkTest, NoWatermarkButTwentyFourBitsWhenTheTextCannotBeDrawn) {
    const auto check = [this](const char* what) {
        const Bitmap result = Watermark(MakeSolidBitmap(200, 100, 8, {50, 50, 50}));
        ASSERT_TRUE(result) << what;
        EXPECT_EQ(BitsPerPixel(result), 24) << what;
        EXPECT_TRUE(IsUniform(result, {50, 50, 50})) << what;
    };
    UseSolidTextBox("Kivota");
    watermark.textXOffset = 200;
    check("X offset as wide as the image");
    watermark.textXOffset = -5;
    watermark.textPosition = 0;
    check("negative X offset on the left");
    watermark.textPosition = 2;
    check("negative X offset on the right");
    watermark.textPosition = 8;
    watermark.textXOffset = 10;
    watermark.textPadding = -100;
    check("box of negative size");
    watermark.textPadding = 0;
    watermark.text = "";
    check("empty text");
    watermark.text = "Kivota";
    StageContext context = Context();
    context.watermarkFont = nullptr;
    run.resultWidth = 200;
    run.resultHeight = 100;
    const Bitmap unloaded = ApplyWatermark(MakeSolidBitmap(200, 100, 8, {50, 50, 50}), context);
    EXPECT_EQ(BitsPerPixel(unloaded), 24);
    EXPECT_TRUE(IsUniform(unloaded, {50, 50, 50}));
}

TEST_F(WatermarkTest, CentredPositionIgnoresANegativeXOffset) {
    UseSolidTextBox("Kivota");
    watermark.textXOffset = -5;
    watermark.textPosition = 1;
    const Bitmap result = Watermark(MakeSolidBitmap(200, 100, 24, kBlack));
    ASSERT_TRUE(result);
    EXPECT_FALSE(IsUniform(result, kBlack));
}

class PictureWatermarkTest : public WatermarkTest {
  protected:
    PictureWatermarkTest() {
        watermark.doWatermark = 2;
        watermark.image = temp / "mark.png";
        watermark.imagePosition = 0;
        watermark.imageXOffset = 1;
        watermark.imageYOffset = 2;
        // Red, then white.
        Bitmap picture = MakeSolidBitmap(2, 1, 24, kWhite);
        RGBQUAD red{};
        red.rgbRed = 255;
        FreeImage_SetPixelColor(picture.get(), 0, 0, &red);
        WriteBytes(watermark.image, EncodeImage(picture, FIF_PNG));
    }

    TempFolder temp;
};

TEST_F(PictureWatermarkTest, DrawsThePictureInColourOrGrey) {
    Bitmap result = Watermark(MakeSolidBitmap(10, 10, 24, kBlack));
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 1, 2), kRed);
    EXPECT_EQ(PixelAt(result, 2, 2), kWhite);
    EXPECT_TRUE(IsUntouchedOutside(result, 1, 2, 3, 3, kBlack));

    watermark.imageGreyscale = 1;
    result = Watermark(MakeSolidBitmap(10, 10, 24, kBlack));
    EXPECT_EQ(PixelAt(result, 1, 2), (Rgb{76, 76, 76}));
    EXPECT_EQ(PixelAt(result, 2, 2), kWhite);
}

TEST_F(PictureWatermarkTest, OpacityBlendsThePictureOverTheImage) {
    watermark.imageOpacity = 128;
    const Bitmap result = Watermark(MakeSolidBitmap(10, 10, 24, kBlack));
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 2, 2), (Rgb{127, 127, 127}));
}

TEST_F(PictureWatermarkTest, APictureThatDoesNotDecodeGivesNoWatermark) {
    WriteBytes(watermark.image, "no picture");
    const Bitmap result = Watermark(MakeSolidBitmap(10, 10, 32, kBlack));
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    EXPECT_TRUE(IsUniform(result, kBlack));
}

}  // namespace
