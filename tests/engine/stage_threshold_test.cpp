#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

class ThresholdTest : public StageTest {
  protected:
    ThresholdTest() { settings.adjustment.doImageThreshold = 1; }
};

class ThresholdDepthTest : public ThresholdTest, public testing::WithParamInterface<int> {};

TEST_P(ThresholdDepthTest, GivesOneBit) {
    const Bitmap result = ApplyThreshold(MakeBitmapOfDepth(8, 6, GetParam()), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 1);
}

INSTANTIATE_TEST_SUITE_P(Depths, ThresholdDepthTest, testing::Values(1, 4, 8, 16, 24, 32, 48));

struct LevelCase {
    int level;
    uint8_t grey;
    uint8_t result;
};
std::ostream& operator<<(std::ostream& out, const LevelCase& c) {
    return out << "grey " << int{c.grey} << " at level " << c.level;
}

class ThresholdLevelTest : public ThresholdTest, public testing::WithParamInterface<LevelCase> {};

// Pixels at or above the level become white. Only the level's low byte counts.
TEST_P(ThresholdLevelTest, SplitsAtTheLevel) {
    const LevelCase& c = GetParam();
    settings.adjustment.imageThreshold = c.level;
    const Bitmap result = ApplyThreshold(MakeSolidBitmap(4, 4, 24, {c.grey, c.grey, c.grey}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 1);
    EXPECT_EQ(PixelAt(result, 1, 1), (Rgb{c.result, c.result, c.result}));
}

INSTANTIATE_TEST_SUITE_P(Levels, ThresholdLevelTest,
                         testing::Values(LevelCase{0, 0, 255}, LevelCase{255, 254, 0},
                                         LevelCase{255, 255, 255}, LevelCase{128, 127, 0},
                                         LevelCase{128, 128, 255}, LevelCase{256 + 128, 127, 0}));

// With greyscale on as well, the threshold works on the 8-bit grey result.
TEST_F(ThresholdTest, AfterGreyscaleWorksOnTheGreyImage) {
    settings.adjustment.doImageGreyscale = 1;
    settings.adjustment.imageThreshold = 100;
    const StageContext context = Context();
    const Bitmap result =
        ApplyThreshold(ApplyGreyscale(MakeSolidBitmap(4, 4, 24, {0, 255, 0}), context), context);
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 1);
    EXPECT_EQ(PixelAt(result, 0, 0), (Rgb{255, 255, 255}));
}

}  // namespace
