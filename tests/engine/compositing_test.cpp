#include "engine/compositing.h"

#include <gtest/gtest.h>

#include "tests/support/test_images.h"

namespace {

// A 32-bit layer of one colour and alpha.
Bitmap Layer(int width, int height, Rgb colour, uint8_t alpha) {
    Bitmap layer = MakeSolidBitmap(width, height, 32, colour);
    for (unsigned y = 0; y < static_cast<unsigned>(height); ++y) {
        BYTE* line = FreeImage_GetScanLine(layer.get(), static_cast<int>(y));
        for (int x = 0; x < width; ++x) {
            line[x * 4 + FI_RGBA_ALPHA] = alpha;
        }
    }
    return layer;
}

TEST(CompositeOverTest, BlendsOnlyTheCoveredPartAsAWholeLayerWould) {
    const Bitmap image = MakePatternBitmap(40, 30, 24);
    const Bitmap whole = MakePatternBitmap(40, 30, 24);
    // The same layer placed on an image-sized transparent layer and blended over everything.
    Bitmap full(FreeImage_AllocateT(FIT_BITMAP, 40, 30, 32));
    const Bitmap layer = Layer(10, 6, {255, 0, 0}, 128);
    ASSERT_TRUE(FreeImage_Paste(full.get(), layer.get(), 5, 7, 256));
    const Bitmap expected(FreeImage_Composite(full.get(), FALSE, nullptr, whole.get()));

    ASSERT_TRUE(CompositeOver(image, layer, 5, 7));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(PixelAt(image, x, y), PixelAt(expected, x, y)) << x << "," << y;
        }
    }
}

TEST(CompositeOverTest, RefusesALayerOutsideTheImage) {
    const Bitmap image = MakeSolidBitmap(20, 20, 24, {1, 2, 3});
    const Bitmap layer = Layer(10, 10, {255, 255, 255}, 255);
    EXPECT_FALSE(CompositeOver(image, layer, -1, 0));
    EXPECT_FALSE(CompositeOver(image, layer, 11, 0));
    EXPECT_FALSE(CompositeOver(image, layer, 0, 11));
    EXPECT_FALSE(CompositeOver(image, layer, int64_t{1} << 40, 0));
    EXPECT_TRUE(CompositeOver(image, layer, 10, 10));
    EXPECT_EQ(PixelAt(image, 9, 9), (Rgb{1, 2, 3}));
    EXPECT_EQ(PixelAt(image, 10, 10), (Rgb{255, 255, 255}));
}

TEST(ConvertedTo24BitsTest, KeepsTwentyFourBitImagesAndConvertsOthers) {
    Bitmap image = MakeSolidBitmap(4, 4, 24, {});
    FIBITMAP* same = image.get();
    image = ConvertedTo24Bits(std::move(image));
    EXPECT_EQ(image.get(), same);
    EXPECT_EQ(BitsPerPixel(ConvertedTo24Bits(MakeSolidBitmap(4, 4, 8, {}))), 24);
    EXPECT_FALSE(ConvertedTo24Bits(nullptr));
}

}  // namespace
