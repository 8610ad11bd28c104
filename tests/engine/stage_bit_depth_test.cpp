#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

class BitDepthTest : public StageTest {
  protected:
    void Target(const char* extension, int bits) {
        run.outputFormat = extension;
        run.outputBitDepth = bits;
        run.keepBitDepth = false;
    }
};

struct AutomaticCase {
    int sourceBits;
    int bitsNow;
    int chosen;
};
std::ostream& operator<<(std::ostream& out, const AutomaticCase& c) {
    return out << "loaded " << c.sourceBits << ", now " << c.bitsNow;
}

class AutomaticBitDepthTest : public BitDepthTest, public testing::WithParamInterface<AutomaticCase> {};

// The depth follows the image as loaded: a 48-bit load becomes 32 bits for bmp even after tone
// mapping made it 24 bits.
TEST_P(AutomaticBitDepthTest, ChoosesFromTheLoadedDepth) {
    const AutomaticCase& c = GetParam();
    run.outputFormat = "bmp";
    run.keepBitDepth = true;
    run.outputBitDepth = 8;  // left from the previous file
    run.sourceBitDepth = c.sourceBits;
    Bitmap image = MakeBitmapOfDepth(6, 4, c.bitsNow);
    FIBITMAP* const input = image.get();
    const Bitmap result = ApplyBitDepth(std::move(image), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(run.outputBitDepth, c.chosen);
    EXPECT_EQ(BitsPerPixel(result), c.chosen);
    if (c.bitsNow == c.chosen) {
        EXPECT_EQ(result.get(), input);
    }
}

INSTANTIATE_TEST_SUITE_P(Bmp, AutomaticBitDepthTest,
                         testing::Values(AutomaticCase{24, 24, 24}, AutomaticCase{48, 24, 32},
                                         AutomaticCase{48, 48, 32}, AutomaticCase{8, 1, 8}));

struct TargetCase {
    const char* extension;
    int target;
    int bitsIn;
    FREE_IMAGE_TYPE type;
    unsigned greenMask;  // 16-bit results only
};
std::ostream& operator<<(std::ostream& out, const TargetCase& c) {
    return out << c.extension << " " << c.bitsIn << " to " << c.target;
}

class FixedBitDepthTest : public BitDepthTest, public testing::WithParamInterface<TargetCase> {};

TEST_P(FixedBitDepthTest, ConvertsToTheTarget) {
    const TargetCase& c = GetParam();
    Target(c.extension, c.target);
    const Bitmap result = ApplyBitDepth(MakeBitmapOfDepth(6, 4, c.bitsIn), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), c.target);
    EXPECT_EQ(FreeImage_GetImageType(result.get()), c.type);
    if (c.target == 16) {
        EXPECT_EQ(FreeImage_GetGreenMask(result.get()), c.greenMask);
    }
    EXPECT_EQ(run.outputBitDepth, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FixedBitDepthTest,
    testing::Values(TargetCase{"bmp", 1, 24, FIT_BITMAP, 0}, TargetCase{"bmp", 1, 48, FIT_BITMAP, 0},
                    TargetCase{"bmp", 4, 24, FIT_BITMAP, 0}, TargetCase{"bmp", 8, 32, FIT_BITMAP, 0},
                    TargetCase{"bmp", 8, 48, FIT_BITMAP, 0},
                    TargetCase{"bmp", 16, 24, FIT_BITMAP, FI16_565_GREEN_MASK},
                    TargetCase{"bmp", 16, 48, FIT_BITMAP, FI16_565_GREEN_MASK},
                    TargetCase{"ico", 16, 24, FIT_BITMAP, FI16_555_GREEN_MASK},
                    TargetCase{"tga", 16, 32, FIT_BITMAP, FI16_555_GREEN_MASK},
                    TargetCase{"bmp", 24, 8, FIT_BITMAP, 0}, TargetCase{"bmp", 32, 24, FIT_BITMAP, 0},
                    TargetCase{"png", 48, 24, FIT_RGB16, 0}, TargetCase{"exr", 96, 24, FIT_RGBF, 0}));

// Quantising keeps the colours of an image with few of them; for jpg the same depth is grey.
TEST_F(BitDepthTest, EightBitsQuantiseForBmpAndGreyForJpg) {
    Target("bmp", 8);
    const Bitmap quantised = ApplyBitDepth(MakeSolidBitmap(6, 4, 24, {200, 30, 90}), Context());
    ASSERT_TRUE(quantised);
    EXPECT_EQ(BitsPerPixel(quantised), 8);
    EXPECT_EQ(PixelAt(quantised, 2, 2), (Rgb{200, 30, 90}));

    Target("jpg", 8);
    const Bitmap grey = ApplyBitDepth(MakeSolidBitmap(6, 4, 24, {200, 30, 90}), Context());
    ASSERT_TRUE(grey);
    EXPECT_EQ(BitsPerPixel(grey), 8);
    const Rgb pixel = PixelAt(grey, 2, 2);
    EXPECT_EQ(pixel.red, pixel.green);
    EXPECT_EQ(pixel.red, pixel.blue);
}

TEST_F(BitDepthTest, AnEightBitImageIsNotQuantisedAgain) {
    Target("bmp", 8);
    Bitmap image = MakeBitmapOfDepth(6, 4, 8);
    FIBITMAP* const input = image.get();
    EXPECT_EQ(ApplyBitDepth(std::move(image), Context()).get(), input);
}

class UnknownBitDepthTest : public BitDepthTest, public testing::WithParamInterface<int> {};

TEST_P(UnknownBitDepthTest, GivesNoImage) {
    Target("bmp", GetParam());
    EXPECT_FALSE(ApplyBitDepth(MakeBitmapOfDepth(6, 4, 24), Context()));
}

INSTANTIATE_TEST_SUITE_P(Targets, UnknownBitDepthTest, testing::Values(0, 7, 64));

TEST_F(BitDepthTest, NoImageLeavesTheChosenDepthAlone) {
    run.outputFormat = "bmp";
    run.keepBitDepth = true;
    run.outputBitDepth = 8;
    run.sourceBitDepth = 24;
    EXPECT_FALSE(ApplyBitDepth(nullptr, Context()));
    EXPECT_EQ(run.outputBitDepth, 8);
}

}  // namespace
