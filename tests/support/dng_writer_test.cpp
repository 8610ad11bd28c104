#include "tests/support/dng_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/support/temp_folder.h"

namespace {

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr DngPreview kPreview{40, 30, {200, 100, 50}};

Bitmap LoadFile(const std::string& path, int flags) {
    return Bitmap(FreeImage_Load(FIF_RAW, path.c_str(), flags));
}

Bitmap LoadBytes(const std::string& bytes, int flags) {
    FIMEMORY* memory = FreeImage_OpenMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()));
    Bitmap image(FreeImage_LoadFromMemory(FIF_RAW, memory, flags));
    FreeImage_CloseMemory(memory);
    return image;
}

// The 16-bit colour at (x, y) of a FIT_RGB16 bitmap, y 0 being the top row.
FIRGB16 Pixel16At(const Bitmap& image, int x, int y) {
    const auto* line =
        reinterpret_cast<const FIRGB16*>(FreeImage_GetScanLine(image.get(), Height(image) - 1 - y));
    return line[x];
}

// The colour at the centre of an image of either depth, in 8-bit steps (48-bit channels / 257).
Rgb CentreColour(const Bitmap& image) {
    const int x = Width(image) / 2;
    const int y = Height(image) / 2;
    if (FreeImage_GetImageType(image.get()) != FIT_RGB16) {
        return PixelAt(image, x, y);
    }
    const FIRGB16 c = Pixel16At(image, x, y);
    const auto to8 = [](WORD v) { return static_cast<uint8_t>((v + 128) / 257); };
    return {to8(c.red), to8(c.green), to8(c.blue)};
}

void ExpectNear(Rgb actual, Rgb expected, int tolerance) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
}

struct LoadCase {
    const char* name;
    int flags;
    bool preview;
    FREE_IMAGE_TYPE type;
    int bitsPerPixel;
    int width;
    int height;
    Rgb centre;  // 48-bit channels / 257
    int tolerance;
};

std::ostream& operator<<(std::ostream& out, const LoadCase& c) {
    return out << c.name;
}

// A 64 x 48 grey (128) scene, with or without a 40 x 30 preview of another colour, through each
// RAW load flag, from a file and from memory.
class DngLoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(DngLoadTest, DecodesToTheDocumentedImage) {
    const LoadCase& c = GetParam();
    DngOptions options;
    options.colour = kGrey;
    if (c.preview) {
        options.preview = kPreview;
    }
    const std::string bytes = MakeDng(options);
    TempFolder folder;
    const std::string path = folder / "scene.dng";
    WriteBytes(path, bytes);
    EXPECT_EQ(FreeImage_GetFileType(path.c_str()), FIF_RAW);

    const Bitmap fromFile = LoadFile(path, c.flags);
    const Bitmap fromMemory = LoadBytes(bytes, c.flags);
    for (const Bitmap* image : {&fromFile, &fromMemory}) {
        ASSERT_TRUE(*image);
        EXPECT_EQ(FreeImage_GetImageType(image->get()), c.type);
        EXPECT_EQ(BitsPerPixel(*image), c.bitsPerPixel);
        EXPECT_EQ(Width(*image), c.width);
        EXPECT_EQ(Height(*image), c.height);
        ExpectNear(CentreColour(*image), c.centre, c.tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, DngLoadTest,
    testing::Values(
        LoadCase{"Default", RAW_DEFAULT, false, FIT_RGB16, 48, 64, 48, kGrey, 1},
        LoadCase{"DefaultWithPreview", RAW_DEFAULT, true, FIT_RGB16, 48, 64, 48, kGrey, 1},
        LoadCase{"HalfSize", RAW_HALFSIZE, false, FIT_RGB16, 48, 32, 24, kGrey, 1},
        LoadCase{"HalfSizeWithPreview", RAW_HALFSIZE, true, FIT_RGB16, 48, 32, 24, kGrey, 1},
        LoadCase{"Display", RAW_DISPLAY, false, FIT_BITMAP, 24, 64, 48, {180, 180, 180}, 1},
        LoadCase{"DisplayWithPreview", RAW_DISPLAY, true, FIT_BITMAP, 24, 64, 48, {180, 180, 180}, 1},
        LoadCase{"PreviewMissing", RAW_PREVIEW, false, FIT_BITMAP, 24, 64, 48, {180, 180, 180}, 1},
        LoadCase{"Preview", RAW_PREVIEW, true, FIT_BITMAP, 24, 40, 30, kPreview.colour, 3}),
    [](const testing::TestParamInfo<LoadCase>& param) { return std::string(param.param.name); });

// Every decoded pixel of a uniform scene keeps the scene's linear colour, channels in order.
struct ColourCase {
    const char* name;
    Rgb colour;
};

std::ostream& operator<<(std::ostream& out, const ColourCase& c) {
    return out << c.name;
}

class DngColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(DngColourTest, UniformScenesKeepTheirLinearColour) {
    const Rgb colour = GetParam().colour;
    DngOptions options;
    options.colour = colour;
    const Bitmap image = LoadBytes(MakeDng(options), RAW_DEFAULT);
    ASSERT_TRUE(image);
    for (int y = 0; y < Height(image); ++y) {
        for (int x = 0; x < Width(image); ++x) {
            const FIRGB16 c = Pixel16At(image, x, y);
            ASSERT_NEAR(c.red, colour.red * 257, 64) << x << "," << y;
            ASSERT_NEAR(c.green, colour.green * 257, 64) << x << "," << y;
            ASSERT_NEAR(c.blue, colour.blue * 257, 64) << x << "," << y;
        }
    }
    const Bitmap display = LoadBytes(MakeDng(options), RAW_DISPLAY);
    ASSERT_TRUE(display);
    const Rgb shown = PixelAt(display, 10, 10);
    EXPECT_EQ(shown.red > shown.green, colour.red > colour.green);
    EXPECT_EQ(shown.green > shown.blue, colour.green > colour.blue);
}

INSTANTIATE_TEST_SUITE_P(Colours, DngColourTest,
                         testing::Values(ColourCase{"Grey", kGrey}, ColourCase{"Red", kRed},
                                         ColourCase{"Green", kGreen}, ColourCase{"Blue", kBlue},
                                         ColourCase{"Mixed", {60, 120, 180}}, ColourCase{"Black", kBlack},
                                         ColourCase{"BrightestUnstretched", {191, 191, 191}},
                                         ColourCase{"White", {255, 255, 255}}),
                         [](const testing::TestParamInfo<ColourCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(DngWriterTest, BrightestSampleAboveThreeQuartersIsStretchedToWhite) {
    DngOptions options;
    options.colour = {200, 200, 200};
    const Bitmap image = LoadBytes(MakeDng(options), RAW_DEFAULT);
    ASSERT_TRUE(image);
    EXPECT_EQ(CentreColour(image), (Rgb{255, 255, 255}));
}

TEST(DngWriterTest, GradientComesBackLinearLeftToRight) {
    DngOptions options;
    options.scene = [](int x, int) {
        const auto v = static_cast<uint8_t>(x * 3);
        return Rgb{v, v, v};
    };
    const Bitmap image = LoadBytes(MakeDng(options), RAW_DEFAULT);
    ASSERT_TRUE(image);
    for (int x = 2; x < Width(image) - 2; ++x) {
        const FIRGB16 c = Pixel16At(image, x, 20);
        EXPECT_NEAR(c.red, x * 3 * 257, 64) << x;
        EXPECT_NEAR(c.green, x * 3 * 257, 64) << x;
        EXPECT_NEAR(c.blue, x * 3 * 257, 64) << x;
    }
}

// A scene of four quadrants (red, green / blue, black) under each Orientation, read back as shown.
struct OrientationCase {
    int orientation;
    Rgb topLeft, topRight, bottomLeft, bottomRight;
};

std::ostream& operator<<(std::ostream& out, const OrientationCase& c) {
    return out << "orientation " << c.orientation;
}

class DngOrientationTest : public testing::TestWithParam<OrientationCase> {};

TEST_P(DngOrientationTest, LibRawTurnsTheSceneByTheTag) {
    const OrientationCase& c = GetParam();
    DngOptions options;
    options.orientation = c.orientation;
    options.scene = [&options](int x, int y) {
        const bool left = x < options.width / 2;
        const bool top = y < options.height / 2;
        return top ? (left ? kRed : kGreen) : (left ? kBlue : kBlack);
    };
    const Bitmap image = LoadBytes(MakeDng(options), RAW_DISPLAY);
    ASSERT_TRUE(image);
    const bool turned = c.orientation >= 5;
    ASSERT_EQ(Width(image), turned ? options.height : options.width);
    ASSERT_EQ(Height(image), turned ? options.width : options.height);
    const int w = Width(image);
    const int h = Height(image);
    const auto dominant = [](Rgb colour) {
        return std::make_tuple(colour.red > 128, colour.green > 128, colour.blue > 128);
    };
    EXPECT_EQ(dominant(PixelAt(image, w / 4, h / 4)), dominant(c.topLeft));
    EXPECT_EQ(dominant(PixelAt(image, 3 * w / 4, h / 4)), dominant(c.topRight));
    EXPECT_EQ(dominant(PixelAt(image, w / 4, 3 * h / 4)), dominant(c.bottomLeft));
    EXPECT_EQ(dominant(PixelAt(image, 3 * w / 4, 3 * h / 4)), dominant(c.bottomRight));
}

INSTANTIATE_TEST_SUITE_P(Orientations, DngOrientationTest,
                         testing::Values(OrientationCase{1, kRed, kGreen, kBlue, kBlack},
                                         OrientationCase{3, kBlack, kBlue, kGreen, kRed},
                                         OrientationCase{6, kBlue, kRed, kBlack, kGreen},
                                         OrientationCase{8, kGreen, kBlack, kRed, kBlue}));

TEST(DngWriterTest, PreviewTurnsWithTheOrientation) {
    DngOptions options;
    options.orientation = 6;
    options.preview = kPreview;
    const Bitmap image = LoadBytes(MakeDng(options), RAW_PREVIEW);
    ASSERT_TRUE(image);
    EXPECT_EQ(Width(image), kPreview.height);
    EXPECT_EQ(Height(image), kPreview.width);
}

TEST(DngWriterTest, LibRawNeedsTheMinimumSide) {
    constexpr int kMin = kDngMinimumSide;
    for (const auto& [width, height, decodes] :
         {std::tuple{kMin, kMin, true}, std::tuple{kMin - 2, kMin, false}, std::tuple{kMin, kMin - 2, false},
          std::tuple{2, 2, false}}) {
        DngOptions options;
        options.width = width;
        options.height = height;
        const std::string bytes = MakeDng(options);
        ASSERT_FALSE(bytes.empty());
        const Bitmap image = LoadBytes(bytes, RAW_DEFAULT);
        EXPECT_EQ(static_cast<bool>(image), decodes) << width << "x" << height;
        if (image) {
            EXPECT_EQ(Width(image), width);
            EXPECT_EQ(Height(image), height);
        }
    }
}

TEST(DngWriterTest, RefusesOptionsNoFileCanHold) {
    TempFolder folder;
    for (const auto& change : std::initializer_list<void (*)(DngOptions&)>{
             [](DngOptions& o) { o.width = 63; },
             [](DngOptions& o) { o.height = 0; },
             [](DngOptions& o) { o.width = 70000; },
             [](DngOptions& o) { o.width = o.height = 40000; },
             [](DngOptions& o) { o.orientation = 9; },
             [](DngOptions& o) {
                 o.preview = DngPreview{0, 10, kRed};
             },
         }) {
        DngOptions options;
        change(options);
        EXPECT_TRUE(MakeDng(options).empty());
        EXPECT_FALSE(WriteDng(folder / "refused.dng", options));
    }
    EXPECT_TRUE(WriteDng(folder / "written.dng", DngOptions{}));
    EXPECT_EQ(ReadBytes(folder / "written.dng"), MakeDng(DngOptions{}));
}

TEST(DngWriterTest, JpegNamedNefIsNotTakenForRaw) {
    TempFolder folder;
    const std::string path = folder / "photo.nef";
    const Bitmap jpeg = MakeSolidBitmap(32, 32, 24, kRed);
    ASSERT_TRUE(FreeImage_Save(FIF_JPEG, jpeg.get(), path.c_str(), JPEG_DEFAULT));
    EXPECT_EQ(FreeImage_GetFileType(path.c_str()), FIF_JPEG);
    EXPECT_FALSE(LoadFile(path, RAW_DEFAULT));
    EXPECT_FALSE(LoadFile(path, RAW_PREVIEW));
}

}  // namespace
