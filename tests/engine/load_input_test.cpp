#include "engine/load_input.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

class LoadInputTest : public testing::Test {
  protected:
    void SetUp() override { ApplyDefaultSettings(all, false, std::nullopt, 0); }
    std::string Write(std::string_view name, std::string_view bytes) {
        WriteBytes(temp / name, bytes);
        return temp / name;
    }
    TempFolder temp;
    Settings all;
    ConversionSettings& settings = all.conversion;
};

TEST_F(LoadInputTest, RawLoadFlagsFollowTheLoadCode) {
    const std::pair<int, int> cases[] = {{0, RAW_PREVIEW},  {1, 0},           {2, 0}, {3, RAW_DISPLAY},
                                         {4, RAW_HALFSIZE}, {5, RAW_DEFAULT}, {9, 0}};
    for (const auto& [code, flags] : cases) {
        settings.input.rawLoadAs = code;
        EXPECT_EQ(RawLoadFlags(settings), flags) << code;
    }
}

TEST_F(LoadInputTest, JpegUnderARawNameLoadsThroughTheJpegLoaderWithItsOrientation) {
    const std::string path = Write("photo.nef", EncodeJpeg(MakeSolidBitmap(40, 20, 24, {200, 30, 30}), 6));
    const Bitmap image = LoadInputImage(path, settings);
    ASSERT_TRUE(image);
    EXPECT_EQ(BitsPerPixel(image), 24);
    EXPECT_EQ(Width(image), 20);
    EXPECT_EQ(Height(image), 40);
    EXPECT_NEAR(PixelAt(image, 10, 10).red, 200, 8);
}

TEST_F(LoadInputTest, AnyOtherFileBecomesSixteenBitData) {
    const Bitmap image = LoadInputImage(Write("notes.cr2", std::string(2'000'000, 'x')), settings);
    ASSERT_TRUE(image);
    EXPECT_EQ(BitsPerPixel(image), 16);
    EXPECT_EQ(Width(image), 1000);
    EXPECT_EQ(Height(image), 1000);
}

TEST_F(LoadInputTest, EmptyMissingAndUnreadableInputsGiveNoImage) {
    EXPECT_FALSE(LoadInputImage(Write("empty.cr2", ""), settings));
    EXPECT_FALSE(LoadInputImage(temp / "missing.cr2", settings));
    EXPECT_FALSE(LoadInputImage(temp.path(), settings));
    EXPECT_FALSE(LoadInputImage("/dev/zero", settings));
    EXPECT_FALSE(LoadHeaderlessImage(temp / "missing.raw", HeaderlessMode::Rgb8, settings));
}

TEST_F(LoadInputTest, HeaderLargerThanTheFileLeavesOnlyTheMiddleLoaders) {
    settings.input.rawHeaderSize = 1'000'000;
    settings.input.rawLoadAs = 1;
    EXPECT_FALSE(LoadInputImage(Write("data.raw", std::string(1000, 'x')), settings));
    const Bitmap jpeg =
        LoadInputImage(Write("jpeg.raw", EncodeJpeg(MakeSolidBitmap(8, 8, 24, {}))), settings);
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(BitsPerPixel(jpeg), 24);
}

struct HeaderlessCase {
    size_t bytes;
    HeaderlessMode mode;
    int header;
    int width;
    int height;
    int expectedWidth;  // 0: no image
    int expectedHeight;
};

class HeaderlessTest : public testing::TestWithParam<HeaderlessCase> {};

// The headerless loader on a file holding exactly `bytes`.
Bitmap LoadHeaderlessBytes(std::string_view bytes, HeaderlessMode mode, const ConversionSettings& settings) {
    TempFolder temp;
    WriteBytes(temp / "data.raw", bytes);
    return LoadHeaderlessImage(temp / "data.raw", mode, settings);
}

TEST_P(HeaderlessTest, DerivesTheSizeOrRefuses) {
    const HeaderlessCase& c = GetParam();
    ConversionSettings settings;
    settings.input.rawHeaderSize = c.header;
    settings.input.rawImageWidth = c.width;
    settings.input.rawImageHeight = c.height;
    const Bitmap image = LoadHeaderlessBytes(std::string(c.bytes, '\x7f'), c.mode, settings);
    EXPECT_EQ(Width(image), c.expectedWidth);
    EXPECT_EQ(Height(image), c.expectedHeight);
    if (image) {
        EXPECT_EQ(BitsPerPixel(image), c.mode == HeaderlessMode::Rgb8 ? 8 : 16);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, HeaderlessTest,
    testing::Values(HeaderlessCase{2'000'000, HeaderlessMode::Rgb16, 0, 0, 0, 1000, 1000},
                    HeaderlessCase{1'000'001, HeaderlessMode::Rgb8, 0, 0, 0, 1000, 1000},
                    // 640 x 480 pixels of three bytes read as one-byte pixels.
                    HeaderlessCase{921'600, HeaderlessMode::Rgb8, 0, 0, 0, 960, 960},
                    HeaderlessCase{921'600, HeaderlessMode::Rgb8, 0, 1920, 480, 1920, 480},
                    HeaderlessCase{921'600, HeaderlessMode::Rgb8, 0, 1920, 0, 960, 960},
                    HeaderlessCase{1'000'100, HeaderlessMode::Rgb8, 100, 0, 0, 1000, 1000},
                    HeaderlessCase{100, HeaderlessMode::Rgb8, 100, 0, 0, 0, 0},
                    HeaderlessCase{100, HeaderlessMode::Rgb8, -5, 0, 0, 0, 0},
                    HeaderlessCase{100, HeaderlessMode::Rgb8, 0, -10, 10, 0, 0},
                    HeaderlessCase{100, HeaderlessMode::Rgb16, 0, 100000, 100000, 0, 0},
                    HeaderlessCase{100, HeaderlessMode::Rgb16, 0, 1 << 30, 1, 0, 0}));

TEST(HeaderlessImageTest, PadsShortDataWithZerosAtTheBottom) {
    ConversionSettings settings;
    settings.input.rawImageWidth = 4;
    settings.input.rawImageHeight = 3;
    // Four bytes of white: the top row only.
    const Bitmap image = LoadHeaderlessBytes(std::string(4, '\xff'), HeaderlessMode::Rgb8, settings);
    ASSERT_TRUE(image);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 3, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(image, 0, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 3, 2), (Rgb{0, 0, 0}));
}

TEST(HeaderlessImageTest, ReadsSixteenBitPixelsAsFiveSixFive) {
    ConversionSettings settings;
    settings.input.rawImageWidth = 2;
    settings.input.rawImageHeight = 1;
    // Little-endian 0xF800 (red) then 0x001F (blue).
    const Bitmap image =
        LoadHeaderlessBytes(std::string("\x00\xF8\x1F\x00", 4), HeaderlessMode::Rgb16, settings);
    ASSERT_TRUE(image);
    EXPECT_GT(PixelAt(image, 0, 0).red, 240);
    EXPECT_EQ(PixelAt(image, 0, 0).blue, 0);
    EXPECT_GT(PixelAt(image, 1, 0).blue, 240);
    EXPECT_EQ(PixelAt(image, 1, 0).red, 0);
}

}  // namespace
