#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

struct FlipCase {
    bool horizontal;
    bool vertical;
};

class FlipTest : public StageTest, public testing::WithParamInterface<FlipCase> {};

// Each pixel moves to its mirror position; with both flips on, to the position of a half turn.
TEST_P(FlipTest, MirrorsInPlace) {
    const FlipCase& c = GetParam();
    settings.transform.doImageFlipHorizontal = c.horizontal;
    settings.transform.doImageFlipVertical = c.vertical;
    constexpr int kWidth = 7;
    constexpr int kHeight = 5;
    Bitmap image = MakePatternBitmap(kWidth, kHeight, 24);
    FIBITMAP* const input = image.get();
    const Bitmap result = ApplyFlip(std::move(image), Context());
    ASSERT_EQ(result.get(), input);
    const Bitmap original = MakePatternBitmap(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int fromX = c.horizontal ? kWidth - 1 - x : x;
            const int fromY = c.vertical ? kHeight - 1 - y : y;
            EXPECT_EQ(PixelAt(result, x, y), PixelAt(original, fromX, fromY)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, FlipTest,
                         testing::Values(FlipCase{false, false}, FlipCase{true, false}, FlipCase{false, true},
                                         FlipCase{true, true}));

}  // namespace
