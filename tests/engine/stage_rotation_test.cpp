#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

class RotationTest : public StageTest {
  protected:
    void TurnBy(int angle, int type = 0) {
        settings.transform.doImageRotation = 1;
        settings.transform.imageRotation = angle;
        settings.transform.imageRotationType = static_cast<int8_t>(type);
    }
};

struct TurnCase {
    int bitsIn;
    int angle;
    int bitsOut;
};
std::ostream& operator<<(std::ostream& out, const TurnCase& c) {
    return out << c.bitsIn << " bits by " << c.angle;
}

class RotationByRightAnglesTest : public RotationTest, public testing::WithParamInterface<TurnCase> {};

// 24- and 32-bit images turn as they are, every other depth as 24 bits.
TEST_P(RotationByRightAnglesTest, TurnsExactlyAtTheExpectedDepth) {
    const TurnCase& c = GetParam();
    TurnBy(c.angle);
    const Bitmap result = ApplyRotation(MakeBitmapOfDepth(40, 20, c.bitsIn), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), c.bitsOut);
    const bool swapsSides = c.angle % 180 != 0;
    EXPECT_EQ(Width(result), swapsSides ? 20 : 40);
    EXPECT_EQ(Height(result), swapsSides ? 40 : 20);
}

INSTANTIATE_TEST_SUITE_P(Depths, RotationByRightAnglesTest,
                         testing::Values(TurnCase{8, 90, 24}, TurnCase{48, 90, 24}, TurnCase{1, 90, 24},
                                         TurnCase{4, 270, 24}, TurnCase{16, 90, 24}, TurnCase{24, 180, 24},
                                         TurnCase{32, 270, 32}));

class RotationIgnoredAngleTest : public RotationTest, public testing::WithParamInterface<int> {};

// No reduction modulo 360: such angles return the very same image, not even converted.
TEST_P(RotationIgnoredAngleTest, ReturnsTheInputUntouched) {
    TurnBy(GetParam());
    Bitmap image = MakeBitmapOfDepth(40, 20, 8);
    FIBITMAP* const input = image.get();
    const Bitmap result = ApplyRotation(std::move(image), Context());
    EXPECT_EQ(result.get(), input);
    EXPECT_EQ(BitsPerPixel(result), 8);
}

INSTANTIATE_TEST_SUITE_P(Angles, RotationIgnoredAngleTest, testing::Values(0, 360, -90, 400));

TEST_F(RotationTest, FourQuarterTurnsGiveTheOriginalPixels) {
    TurnBy(90);
    Bitmap image = MakePatternBitmap(7, 5, 24);
    for (int turn = 0; turn < 4; ++turn) {
        image = ApplyRotation(std::move(image), Context());
    }
    const Bitmap original = MakePatternBitmap(7, 5, 24);
    ASSERT_EQ(Width(image), 7);
    ASSERT_EQ(Height(image), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(PixelAt(image, x, y), PixelAt(original, x, y)) << x << "," << y;
        }
    }
}

TEST_F(RotationTest, SimpleRotationByFortyFiveDegreesGrowsAndKeeps32Bits) {
    TurnBy(45);
    const Bitmap result = ApplyRotation(MakeSolidBitmap(40, 20, 32, {255, 255, 255}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 32);
    EXPECT_GT(Width(result), 40);
    EXPECT_GT(Height(result), 20);
}

struct BackgroundCase {
    const char* text;
    Rgb corner;
};
std::ostream& operator<<(std::ostream& out, const BackgroundCase& c) {
    return out << '"' << c.text << '"';
}

class RotationBackgroundTest : public RotationTest, public testing::WithParamInterface<BackgroundCase> {};

TEST_P(RotationBackgroundTest, FillsTheCornersWithTheBackColour) {
    TurnBy(45);
    settings.transform.imageRotationBackColor = GetParam().text;
    const Bitmap result = ApplyRotation(MakeSolidBitmap(40, 40, 24, {255, 255, 255}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 0, 0), GetParam().corner);
    EXPECT_EQ(PixelAt(result, Width(result) / 2, Height(result) / 2), (Rgb{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(Colours, RotationBackgroundTest,
                         testing::Values(BackgroundCase{"FF8000", {255, 128, 0}},
                                         BackgroundCase{"F80", {0, 0, 0}}, BackgroundCase{"", {0, 0, 0}}));

TEST_F(RotationTest, AdvancedRotationKeepsTheSize) {
    TurnBy(30, 1);
    const Bitmap result = ApplyRotation(MakeBitmapOfDepth(40, 20, 8), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    EXPECT_EQ(Width(result), 40);
    EXPECT_EQ(Height(result), 20);
}

TEST_F(RotationTest, UnknownTypeOnlyConvertsTheDepth) {
    TurnBy(90, 2);
    const Bitmap result = ApplyRotation(MakeSolidBitmap(40, 20, 8, {77, 0, 0}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 24);
    EXPECT_EQ(Width(result), 40);
    EXPECT_EQ(PixelAt(result, 3, 4), (Rgb{77, 77, 77}));
}

// A long thin line turned by 45 degrees would need a canvas of about 707107 x 707107 pixels.
TEST_F(RotationTest, RefusesACanvasBeyondTheImageLimits) {
    TurnBy(45);
    EXPECT_FALSE(ApplyRotation(MakeSolidBitmap(1000000, 1, 24, {}), Context()));
}

}  // namespace
