#include "engine/stage_resize.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

struct ScaleCase {
    int value;
    int unit;
    int size;
    int pixels;
};
std::ostream& operator<<(std::ostream& out, const ScaleCase& c) {
    return out << c.value << " unit " << c.unit << " of " << c.size;
}

class ScaleDimensionTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleDimensionTest, GivesPixels) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(ScaleDimension(c.value, c.unit, c.size), c.pixels);
}

// Percent sizes round halves to even: 50 percent of 1001 is 500, of 1003 is 502.
INSTANTIATE_TEST_SUITE_P(Units, ScaleDimensionTest,
                         testing::Values(ScaleCase{800, 0, 123, 800}, ScaleCase{-5, 0, 123, -5},
                                         ScaleCase{50, 1, 1001, 500}, ScaleCase{50, 1, 1003, 502},
                                         ScaleCase{100, 1, 640, 640}, ScaleCase{33, 1, 10, 3},
                                         ScaleCase{50, 2, 1000, 0}, ScaleCase{50, -1, 1000, 0},
                                         ScaleCase{INT_MAX, 1, 1000, INT_MAX}));

TEST(ResizeFilterForTest, MapsListPositionsToLibraryFilters) {
    EXPECT_EQ(ResizeFilterFor(0), FILTER_BOX);
    EXPECT_EQ(ResizeFilterFor(1), FILTER_BILINEAR);
    EXPECT_EQ(ResizeFilterFor(2), FILTER_BSPLINE);
    EXPECT_EQ(ResizeFilterFor(3), FILTER_BICUBIC);
    EXPECT_EQ(ResizeFilterFor(4), FILTER_CATMULLROM);
    EXPECT_EQ(ResizeFilterFor(5), FILTER_LANCZOS3);
    EXPECT_EQ(ResizeFilterFor(9), FILTER_BICUBIC);
    EXPECT_EQ(ResizeFilterFor(-1), FILTER_BICUBIC);
}

class ResizeTest : public StageTest {
  protected:
    ResizeTest() {
        settings.transform.doImageResize = 1;
        settings.transform.imageResizeAlgorithm = 0;  // box: quick
    }
    void Target(int width, int height, int widthUnit = 0, int heightUnit = 0) {
        settings.transform.imageWidth = width;
        settings.transform.imageHeight = height;
        settings.transform.imageWidthUnit = static_cast<int8_t>(widthUnit);
        settings.transform.imageHeightUnit = static_cast<int8_t>(heightUnit);
    }
};

struct AspectCase {
    int width;
    int height;
    int targetWidth;
    int targetHeight;
    int newWidth;
    int newHeight;
};
std::ostream& operator<<(std::ostream& out, const AspectCase& c) {
    return out << c.width << "x" << c.height << " to " << c.targetWidth << "x" << c.targetHeight;
}

class ResizeKeepingAspectTest : public ResizeTest, public testing::WithParamInterface<AspectCase> {};

// Only the target of the longer side counts; the other must merely be positive.
TEST_P(ResizeKeepingAspectTest, ScalesByTheLongerSide) {
    const AspectCase& c = GetParam();
    settings.transform.keepAspectRatio = 1;
    Target(c.targetWidth, c.targetHeight);
    const Bitmap result = ApplyResize(MakeSolidBitmap(c.width, c.height, 8, {}), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(Width(result), c.newWidth);
    EXPECT_EQ(Height(result), c.newHeight);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ResizeKeepingAspectTest,
                         testing::Values(AspectCase{1000, 667, 800, 1, 800, 534},
                                         AspectCase{1000, 500, 801, 1, 801, 401},
                                         AspectCase{3000, 4000, 1, 1024, 768, 1024},
                                         AspectCase{4000, 3000, 1024, 1, 1024, 768},
                                         AspectCase{300, 300, 100, 9999, 100, 100}));

TEST_F(ResizeTest, AHeightRoundedToZeroFailsTheImage) {
    settings.transform.keepAspectRatio = 1;
    Target(100, 100);
    EXPECT_FALSE(ApplyResize(MakeSolidBitmap(10000, 10, 8, {}), Context()));
}

TEST_F(ResizeTest, WithoutAspectUsesBothTargets) {
    settings.transform.keepAspectRatio = 0;
    Target(30, 70);
    const Bitmap result = ApplyResize(MakePatternBitmap(100, 50, 24), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(Width(result), 30);
    EXPECT_EQ(Height(result), 70);
    EXPECT_EQ(BitsPerPixel(result), 24);
}

TEST_F(ResizeTest, PercentOfEachSide) {
    settings.transform.keepAspectRatio = 0;
    Target(50, 25, 1, 1);
    const Bitmap result = ApplyResize(MakePatternBitmap(1001, 80, 24), Context());
    ASSERT_TRUE(result);
    EXPECT_EQ(Width(result), 500);
    EXPECT_EQ(Height(result), 20);
}

struct UnchangedCase {
    const char* name;
    int targetWidth;
    int widthUnit;
    int targetHeight;
    int heightUnit;
    int keepAspect;
    int resizeType;
    int width;
    int height;
};

class ResizeUnchangedTest : public ResizeTest, public testing::WithParamInterface<UnchangedCase> {};

TEST_P(ResizeUnchangedTest, ReturnsTheInputItself) {
    const UnchangedCase& c = GetParam();
    Target(c.targetWidth, c.targetHeight, c.widthUnit, c.heightUnit);
    settings.transform.keepAspectRatio = static_cast<int8_t>(c.keepAspect);
    settings.transform.imageResizeType = static_cast<int8_t>(c.resizeType);
    Bitmap image = MakeSolidBitmap(c.width, c.height, 24, {});
    FIBITMAP* const input = image.get();
    EXPECT_EQ(ApplyResize(std::move(image), Context()).get(), input);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ResizeUnchangedTest,
    testing::Values(UnchangedCase{"HalfWidthZeroHeight", 50, 1, 0, 0, 0, 0, 600, 400},
                    UnchangedCase{"HalfWidthZeroHeightKeepingAspect", 50, 1, 0, 0, 1, 0, 600, 400},
                    UnchangedCase{"NegativeWidth", -10, 0, 100, 0, 0, 0, 600, 400},
                    UnchangedCase{"FullSizeInPercent", 100, 1, 100, 1, 0, 0, 600, 400},
                    UnchangedCase{"SameSizeInPixels", 600, 0, 400, 0, 1, 0, 600, 400},
                    UnchangedCase{"UnknownUnit", 50, 2, 50, 0, 0, 0, 600, 400},
                    UnchangedCase{"LargeImagesOnlyAndSmaller", 800, 0, 800, 0, 1, 1, 600, 500}),
    [](const testing::TestParamInfo<UnchangedCase>& row) { return std::string(row.param.name); });

TEST_F(ResizeTest, SwitchedOffReturnsTheInputItself) {
    settings.transform.doImageResize = 0;
    Target(10, 10);
    Bitmap image = MakeSolidBitmap(60, 40, 24, {});
    FIBITMAP* const input = image.get();
    EXPECT_EQ(ApplyResize(std::move(image), Context()).get(), input);
}

// Large Images resamples an image that reaches the target in one dimension: without the
// proportions to the target, with them to the size it already has.
TEST_F(ResizeTest, LargeImagesOnlyResamplesAnImageReachingTheTarget) {
    settings.transform.imageResizeType = 1;
    Target(800, 800);
    settings.transform.keepAspectRatio = 0;
    const Bitmap stretched = ApplyResize(MakeSolidBitmap(800, 600, 24, {}), Context());
    ASSERT_TRUE(stretched);
    EXPECT_EQ(Width(stretched), 800);
    EXPECT_EQ(Height(stretched), 800);

    settings.transform.keepAspectRatio = 1;
    const Bitmap resampled = ApplyResize(MakeSolidBitmap(800, 600, 24, {}), Context());
    ASSERT_TRUE(resampled);
    EXPECT_EQ(Width(resampled), 800);
    EXPECT_EQ(Height(resampled), 600);
}

TEST_F(ResizeTest, RefusesAResultBeyondTheImageLimits) {
    settings.transform.keepAspectRatio = 0;
    Target(200000, 200000);
    EXPECT_FALSE(ApplyResize(MakeSolidBitmap(10, 10, 24, {}), Context()));
}

}  // namespace
