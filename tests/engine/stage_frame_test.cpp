#include <gtest/gtest.h>

#include <climits>

#include "engine/format_catalogue.h"
#include "engine/stage.h"
#include "platform/canvas.h"
#include "tests/support/test_images.h"

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};

// The colour MakePatternBitmap gives (x, y).
Rgb PatternAt(int x, int y) {
    return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x + y)};
}

class FrameTest : public testing::Test {
  protected:
    FrameTest() {
        EnsureDrawingPlatform();
        ApplyDefaultSettings(settings, false, std::nullopt, 0);
        catalogue.BuildFormatCatalogue();
        frame.doFrame = 1;
    }

    Bitmap Frame(Bitmap image) {
        run.resultWidth = Width(image);
        run.resultHeight = Height(image);
        return ApplyFrame(std::move(image), StageContext{settings.conversion, run, catalogue});
    }

    void SetBands(int left, int right, int top, int bottom) {
        frame.solidLeft = left;
        frame.solidRight = right;
        frame.solidTop = top;
        frame.solidBottom = bottom;
    }

    void SetColours(const std::string& left, const std::string& right, const std::string& top,
                    const std::string& bottom) {
        frame.solidLeftColor = left;
        frame.solidRightColor = right;
        frame.solidTopColor = top;
        frame.solidBottomColor = bottom;
    }

    Settings settings;
    ConversionSettings::Frame& frame = settings.conversion.frame;
    RunState run;
    FormatCatalogue catalogue;
};

TEST_F(FrameTest, FrameOffReturnsTheSameBitmap) {
    frame.doFrame = 0;
    Bitmap image = MakeSolidBitmap(8, 8, 8, {40, 40, 40});
    FIBITMAP* const original = image.get();
    const Bitmap result = Frame(std::move(image));
    EXPECT_EQ(result.get(), original);
    EXPECT_EQ(BitsPerPixel(result), 8);
}

TEST_F(FrameTest, NullStaysNull) {
    EXPECT_FALSE(ApplyFrame(nullptr, StageContext{settings.conversion, run, catalogue}));
}

TEST_F(FrameTest, InvisibleFrameOrUnknownTypeOnlyConvertsTo24Bits) {
    for (const auto& [type, opacity] : {std::pair{1, 0}, std::pair{2, 255}}) {
        frame.doFrame = static_cast<int8_t>(type);
        frame.solidOpacity = opacity;
        SetBands(5, 5, 5, 5);
        SetColours("FF0000", "FF0000", "FF0000", "FF0000");
        const Bitmap result = Frame(MakePatternBitmap(40, 30, 32));
        ASSERT_TRUE(result);
        EXPECT_EQ(BitsPerPixel(result), 24);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(PixelAt(result, x, y), PatternAt(x, y))
                    << "type " << type << " at " << x << "," << y;
            }
        }
    }
}

struct BandCase {
    int left;
    int right;
    int top;
    int bottom;
};

class FrameBandTest : public FrameTest, public testing::WithParamInterface<BandCase> {};

// Opaque bands cover exactly their outer pixels; a band of 0 is absent and its neighbours end
// square on that side.
TEST_P(FrameBandTest, PaintsExactlyTheOuterBandPixels) {
    const BandCase bands = GetParam();
    SetBands(bands.left, bands.right, bands.top, bands.bottom);
    SetColours("FF0000", "FF0000", "FF0000", "FF0000");
    const Bitmap result = Frame(MakePatternBitmap(40, 30, 24));
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inBand =
                x < bands.left || x >= 40 - bands.right || y < bands.top || y >= 30 - bands.bottom;
            ASSERT_EQ(PixelAt(result, x, y), inBand ? kRed : PatternAt(x, y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FrameBandTest,
                         testing::Values(BandCase{3, 4, 5, 6}, BandCase{0, 10, 10, 10}, BandCase{10, 0, 0, 0},
                                         BandCase{1, 1, 1, 1}, BandCase{0, 0, 0, 0}));

TEST_F(FrameTest, CornersAreSplitAlongTheMitre) {
    // The top-left corner is split by the line from (0, 0) to (10, 30).
    SetBands(10, 0, 30, 0);
    SetColours("00FF00", "000000", "0000FF", "000000");
    const Bitmap result = Frame(MakeSolidBitmap(100, 100, 24, {255, 255, 255}));
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 8, 5), kBlue);  // above the mitre: top colour
    EXPECT_EQ(PixelAt(result, 9, 20), kBlue);
    EXPECT_EQ(PixelAt(result, 1, 25), kGreen);  // below the mitre: left colour
    EXPECT_EQ(PixelAt(result, 3, 20), kGreen);
    EXPECT_EQ(PixelAt(result, 5, 60), kGreen);  // the left band
    EXPECT_EQ(PixelAt(result, 60, 10), kBlue);  // the top band
    EXPECT_EQ(PixelAt(result, 50, 50), (Rgb{255, 255, 255}));
}

TEST_F(FrameTest, OpacityAppliesToTheFinishedFrameAsAWhole) {
    frame.solidOpacity = 128;
    SetBands(6, 6, 6, 6);
    SetColours("FF0000", "FF0000", "FF0000", "FF0000");
    const Bitmap result = Frame(MakeSolidBitmap(40, 30, 24, {0, 0, 0}));
    ASSERT_TRUE(result);
    const Rgb band = PixelAt(result, 20, 2);
    EXPECT_NEAR(band.red, 128, 2);
    EXPECT_EQ(band.green, 0);
    // Where corner square and bands overlap, the frame is no denser than elsewhere.
    EXPECT_EQ(PixelAt(result, 1, 1), band);
    EXPECT_EQ(PixelAt(result, 3, 3), band);
    EXPECT_EQ(PixelAt(result, 20, 15), kBlack);
}

TEST_F(FrameTest, LowDepthImagesComeOutAt24Bits) {
    SetBands(2, 2, 2, 2);
    SetColours("FF0000", "FF0000", "FF0000", "FF0000");
    Bitmap images[] = {MakeSolidBitmap(16, 16, 8, {90, 90, 90}), Bitmap(FreeImage_Allocate(16, 16, 1))};
    for (Bitmap& image : images) {
        const int depth = BitsPerPixel(image);
        const Bitmap result = Frame(std::move(image));
        ASSERT_TRUE(result) << depth;
        EXPECT_EQ(BitsPerPixel(result), 24) << depth;
        EXPECT_EQ(PixelAt(result, 0, 0), kRed) << depth;
    }
}

TEST_F(FrameTest, ColourTextsOfTheWrongLengthPaintBlack) {
    SetBands(5, 5, 5, 5);
    SetColours("FF000", "FF00000", "", "FF0000");
    const Bitmap result = Frame(MakeSolidBitmap(40, 30, 24, {255, 255, 255}));
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 1, 15), kBlack);
    EXPECT_EQ(PixelAt(result, 38, 15), kBlack);
    EXPECT_EQ(PixelAt(result, 20, 1), kBlack);
    EXPECT_EQ(PixelAt(result, 20, 28), kRed);
}

class OutsizedBandTest : public FrameTest, public testing::WithParamInterface<BandCase> {};

// Bands from the command line may be negative or wider than the image: the frame stays inside
// the image and nothing breaks.
TEST_P(OutsizedBandTest, StaysInsideTheImage) {
    SetBands(GetParam().left, GetParam().right, GetParam().top, GetParam().bottom);
    SetColours("FF0000", "FF0000", "FF0000", "FF0000");
    const Bitmap result = Frame(MakePatternBitmap(40, 30, 24));
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    EXPECT_EQ(Width(result), 40);
    EXPECT_EQ(Height(result), 30);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutsizedBandTest,
                         testing::Values(BandCase{-5, 10, -20, 5}, BandCase{100, 100, 5, 5},
                                         BandCase{30, 30, 20, 20},
                                         BandCase{INT_MAX, INT_MAX, INT_MIN, INT_MAX},
                                         BandCase{INT_MIN, INT_MIN, INT_MAX, INT_MIN}));

TEST_F(FrameTest, NegativeBandsAreAbsentAndOverWideOnesCoverTheImage) {
    SetColours("FF0000", "FF0000", "FF0000", "FF0000");
    SetBands(-5, 0, 0, 0);
    Bitmap result = Frame(MakePatternBitmap(40, 30, 24));
    EXPECT_EQ(PixelAt(result, 0, 15), PatternAt(0, 15));
    SetBands(100, 100, 0, 0);
    result = Frame(MakePatternBitmap(40, 30, 24));
    EXPECT_EQ(PixelAt(result, 39, 15), kRed);
    EXPECT_EQ(PixelAt(result, 20, 29), kRed);
}

TEST_F(FrameTest, RefusesAFrameLargerThanTheImageLimits) {
    run.resultWidth = 70000;
    run.resultHeight = 70000;
    EXPECT_FALSE(
        ApplyFrame(MakeSolidBitmap(4, 4, 24, {}), StageContext{settings.conversion, run, catalogue}));
}

}  // namespace
