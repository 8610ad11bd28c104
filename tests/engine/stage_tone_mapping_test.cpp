#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

struct ToneCase {
    int rawLoadAs;
    int toneMapping;
    int bitsOut;  // 0: the input comes back untouched
};
std::ostream& operator<<(std::ostream& out, const ToneCase& c) {
    return out << "load as " << c.rawLoadAs << ", operator " << c.toneMapping;
}

class ToneMappingTest : public StageTest, public testing::WithParamInterface<ToneCase> {};

TEST_P(ToneMappingTest, MapsOnlyThe48BitLoads) {
    const ToneCase& c = GetParam();
    settings.input.rawLoadAs = c.rawLoadAs;
    settings.input.rawToneMapping = c.toneMapping;
    // The gradient-domain operator needs an image of some size, with gradients, to work on.
    Bitmap image = MakeBitmapOfDepth(64, 48, 48);
    FIBITMAP* const input = image.get();
    const Bitmap result = ApplyToneMapping(std::move(image), Context());
    ASSERT_TRUE(result);
    if (c.bitsOut == 0) {
        EXPECT_EQ(result.get(), input);
        EXPECT_EQ(BitsPerPixel(result), 48);
    } else {
        EXPECT_EQ(BitsPerPixel(result), c.bitsOut);
        EXPECT_EQ(Width(result), 64);
        EXPECT_EQ(Height(result), 48);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, ToneMappingTest,
                         testing::Values(ToneCase{0, 2, 0}, ToneCase{1, 2, 0}, ToneCase{2, 2, 0},
                                         ToneCase{3, 2, 0}, ToneCase{4, 2, 24}, ToneCase{5, 0, 0},
                                         ToneCase{5, 1, 24}, ToneCase{5, 2, 24}, ToneCase{5, 3, 24},
                                         ToneCase{5, 4, 24}, ToneCase{5, 5, 0}, ToneCase{5, -1, 0}));

// The linear operator is the library's plain 24-bit conversion: 16-bit channels keep their high byte.
TEST_F(ToneMappingTest, LinearKeepsTheColours) {
    settings.input.rawLoadAs = 4;
    settings.input.rawToneMapping = 1;
    const Bitmap result = ApplyToneMapping(MakeSolidBitmap(4, 4, 48, {200, 100, 50}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(PixelAt(result, 1, 1), (Rgb{200, 100, 50}));
}

}  // namespace
