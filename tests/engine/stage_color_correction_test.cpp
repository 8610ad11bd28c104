#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

class ColorCorrectionTest : public StageTest {
  protected:
    ColorCorrectionTest() { settings.adjustment.doImageColorCorrection = 1; }
};

struct DepthCase {
    int bitsIn;
    int bitsOut;
};
std::ostream& operator<<(std::ostream& out, const DepthCase& c) {
    return out << c.bitsIn << " bits";
}

class ColorCorrectionDepthTest : public ColorCorrectionTest, public testing::WithParamInterface<DepthCase> {};

// 8 to 32 bits are adjusted in place; other depths are converted to 24 bits first.
TEST_P(ColorCorrectionDepthTest, AdjustsAtTheExpectedDepth) {
    const DepthCase& c = GetParam();
    settings.adjustment.imageBrightness = 20;
    Bitmap image = MakeBitmapOfDepth(8, 6, c.bitsIn);
    FIBITMAP* const input = image.get();
    const Bitmap result = ApplyColorCorrection(std::move(image), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), c.bitsOut);
    if (c.bitsIn == c.bitsOut) {
        EXPECT_EQ(result.get(), input);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, ColorCorrectionDepthTest,
                         testing::Values(DepthCase{1, 24}, DepthCase{4, 24}, DepthCase{8, 8},
                                         DepthCase{16, 16}, DepthCase{24, 24}, DepthCase{32, 32},
                                         DepthCase{48, 24}));

TEST_F(ColorCorrectionTest, NeutralValuesKeepThePixelsButNotA4BitDepth) {
    const Bitmap original = MakeBitmapOfDepth(8, 6, 4);
    const Bitmap result = ApplyColorCorrection(MakeBitmapOfDepth(8, 6, 4), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(PixelAt(result, x, y), PixelAt(original, x, y)) << x << "," << y;
        }
    }
}

TEST_F(ColorCorrectionTest, InvertsAndBrightens) {
    settings.adjustment.imageInvert = 1;
    Bitmap inverted = ApplyColorCorrection(MakeSolidBitmap(4, 4, 24, {255, 200, 0}), Context());
    ASSERT_TRUE(inverted);
    EXPECT_EQ(PixelAt(inverted, 2, 2), (Rgb{0, 55, 255}));

    settings.adjustment.imageInvert = 0;
    settings.adjustment.imageBrightness = 50;
    const Bitmap brighter = ApplyColorCorrection(MakeSolidBitmap(4, 4, 24, {100, 100, 100}), Context());
    ASSERT_TRUE(brighter);
    EXPECT_GT(PixelAt(brighter, 2, 2).red, 100);
}

}  // namespace
