#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

class GreyscaleTest : public StageTest, public testing::WithParamInterface<int> {
  protected:
    GreyscaleTest() { settings.adjustment.doImageGreyscale = 1; }
};

// Every depth, deep ones through 24 bits, ends as 8-bit grey.
TEST_P(GreyscaleTest, GivesEightBitGrey) {
    const Bitmap result = ApplyGreyscale(MakeBitmapOfDepth(8, 6, GetParam()), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(BitsPerPixel(result), 8);
    const Rgb pixel = PixelAt(result, 5, 3);
    EXPECT_EQ(pixel.red, pixel.green);
    EXPECT_EQ(pixel.red, pixel.blue);
}

INSTANTIATE_TEST_SUITE_P(Depths, GreyscaleTest, testing::Values(1, 4, 8, 16, 24, 32, 48));

}  // namespace
