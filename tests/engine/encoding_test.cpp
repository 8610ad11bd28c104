#include "engine/encoding.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

class EncodingTest : public testing::Test {
  protected:
    EncodingTest() { ApplyDefaultSettings(allSettings, false, std::nullopt, 0); }

    Settings allSettings;
    ConversionSettings& settings = allSettings.conversion;
    RunState run;
};

struct FlagsCase {
    const char* name;
    const char* extension;
    std::function<void(ConversionSettings::Output&)> set;
    int32_t flags;
};

class SaveFlagsTest : public EncodingTest, public testing::WithParamInterface<FlagsCase> {};

TEST_P(SaveFlagsTest, CombinesTheFormatSettings) {
    const FlagsCase& c = GetParam();
    c.set(settings.output);
    EXPECT_EQ(SaveFlagsFor(c.extension, settings), c.flags);
}

using Output = ConversionSettings::Output;

INSTANTIATE_TEST_SUITE_P(
    Formats, SaveFlagsTest,
    testing::Values(FlagsCase{"BmpPlain", "bmp", [](Output& o) { o.bmpCompression = 0; }, 0},
                    FlagsCase{"BmpRle", "bmp", [](Output& o) { o.bmpCompression = 1; }, BMP_SAVE_RLE},
                    FlagsCase{"BmpUnknownCompression", "bmp", [](Output& o) { o.bmpCompression = 2; }, 0},
                    FlagsCase{"ExrNone", "exr", [](Output& o) { o.exrCompression = 0; }, EXR_NONE},
                    FlagsCase{"ExrPiz", "exr", [](Output& o) { o.exrCompression = 2; }, EXR_PIZ},
                    FlagsCase{"ExrB44", "exr", [](Output& o) { o.exrCompression = 4; }, EXR_B44},
                    FlagsCase{"ExrUnknown", "exr", [](Output& o) { o.exrCompression = 5; }, 0},
                    FlagsCase{"JpgProgressive444", "jpg",
                              [](Output& o) {
                                  o.jpgQuality = 95;
                                  o.jpgChroma = 0;
                                  o.jpgSaveAs = 3;
                              },
                              0x1205F},
                    FlagsCase{"JpgBaseline422", "jpg",
                              [](Output& o) {
                                  o.jpgQuality = 80;
                                  o.jpgChroma = 1;
                                  o.jpgSaveAs = 1;
                              },
                              80 | JPEG_SUBSAMPLING_422 | JPEG_BASELINE},
                    FlagsCase{"JpgOptimised420", "jpg",
                              [](Output& o) {
                                  o.jpgQuality = 50;
                                  o.jpgChroma = 2;
                                  o.jpgSaveAs = 2;
                              },
                              50 | JPEG_SUBSAMPLING_420 | JPEG_OPTIMIZE},
                    FlagsCase{"JpgUnknownCodes", "jpg",
                              [](Output& o) {
                                  o.jpgQuality = 70;
                                  o.jpgChroma = 4;
                                  o.jpgSaveAs = 4;
                              },
                              70},
                    FlagsCase{"JxrAlwaysLossless", "jxr", [](Output&) {}, JXR_LOSSLESS},
                    FlagsCase{"PngNoneInterlaced", "png",
                              [](Output& o) {
                                  o.pngCompression = 0;
                                  o.pngInterlaced = 1;
                              },
                              0x300},
                    FlagsCase{"PngBest", "png", [](Output& o) { o.pngCompression = 3; },
                              PNG_Z_BEST_COMPRESSION},
                    FlagsCase{"PngUnknown", "png", [](Output& o) { o.pngCompression = 4; }, 0},
                    FlagsCase{"TgaRle", "tga", [](Output& o) { o.tgaCompression = 1; }, TARGA_SAVE_RLE},
                    FlagsCase{"TgaPlain", "tga", [](Output& o) { o.tgaCompression = 0; }, 0},
                    FlagsCase{"TiffNone", "tiff", [](Output& o) { o.tiffCompression = 0; }, TIFF_NONE},
                    FlagsCase{"TiffLzwCmyk", "tiff",
                              [](Output& o) {
                                  o.tiffCompression = 6;
                                  o.tiffColorModel = 1;
                              },
                              TIFF_LZW | TIFF_CMYK},
                    FlagsCase{"TiffLogLuvLab", "tiff",
                              [](Output& o) {
                                  o.tiffCompression = 8;
                                  o.tiffColorModel = 2;
                              },
                              TIFF_LOGLUV},
                    FlagsCase{"TiffUnknown", "tiff", [](Output& o) { o.tiffCompression = 9; }, 0},
                    FlagsCase{"WebpAlwaysLossless", "webp", [](Output&) {}, WEBP_LOSSLESS},
                    FlagsCase{"GifNone", "gif", [](Output&) {}, 0},
                    FlagsCase{"Unknown", "xyz", [](Output&) {}, 0}),
    [](const testing::TestParamInfo<FlagsCase>& row) { return std::string(row.param.name); });

TEST_F(EncodingTest, BitDepthSettingOfEachFormat) {
    settings.output.bmpBpp = 24;
    settings.output.tiffBpp = 48;
    settings.output.xpmBpp = 8;
    EXPECT_EQ(BitDepthSettingFor("bmp", settings), 24);
    EXPECT_EQ(BitDepthSettingFor("tiff", settings), 48);
    EXPECT_EQ(BitDepthSettingFor("xpm", settings), 8);
    EXPECT_EQ(BitDepthSettingFor("png", settings), 0);
    EXPECT_EQ(BitDepthSettingFor("BMP", settings), 0);
}

TEST_F(EncodingTest, RunStartFixesDepthAndFlags) {
    run.outputFormat = "bmp";
    StartRunEncoding(settings, run);
    EXPECT_EQ(run.outputBitDepth, 0);
    EXPECT_TRUE(run.keepBitDepth);
    EXPECT_EQ(run.outputSaveFlags, 0);

    settings.output.bmpBpp = 8;
    settings.output.bmpCompression = 1;
    StartRunEncoding(settings, run);
    EXPECT_EQ(run.outputBitDepth, 8);
    EXPECT_FALSE(run.keepBitDepth);
    EXPECT_EQ(run.outputSaveFlags, BMP_SAVE_RLE);
}

// An 8-bit image using every index from 0 to `highest` (given enough pixels) in reading order;
// odd widths leave row padding, which is filled with 255 to show that it is not read.
Bitmap MakeIndexedBitmap(int width, int height, int highest) {
    Bitmap image(FreeImage_Allocate(width, height, 8));
    RGBQUAD* palette = FreeImage_GetPalette(image.get());
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0};
    }
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(image.get(), y);
        std::fill(line, line + FreeImage_GetPitch(image.get()), BYTE{255});
        for (int x = 0; x < width; ++x) {
            line[x] = static_cast<BYTE>((y * width + x) % (highest + 1));
        }
    }
    return image;
}

TEST(HighestPaletteIndexTest, ReadsPixelsOnly) {
    EXPECT_EQ(HighestPaletteIndex(MakeIndexedBitmap(5, 3, 0)), 0);
    EXPECT_EQ(HighestPaletteIndex(MakeIndexedBitmap(5, 30, 15)), 15);
    EXPECT_EQ(HighestPaletteIndex(MakeIndexedBitmap(301, 2, 255)), 255);
    EXPECT_EQ(HighestPaletteIndex(MakeSolidBitmap(5, 3, 24, {255, 255, 255})), 0);
    EXPECT_EQ(HighestPaletteIndex(nullptr), 0);
}

uint32_t Field(const std::string& bytes, size_t at, size_t count = 4) {
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

// The library's own BMP encoding of the image.
std::string LibraryBmp(const Bitmap& image, int flags) {
    FIMEMORY* stream = FreeImage_OpenMemory();
    FreeImage_SaveToMemory(FIF_BMP, image.get(), stream, flags);
    BYTE* data = nullptr;
    DWORD size = 0;
    FreeImage_AcquireMemory(stream, &data, &size);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FreeImage_CloseMemory(stream);
    return bytes;
}

class ExactPaletteTest : public EncodingTest {
  protected:
    ExactPaletteTest() {
        run.outputFormat = "bmp";
        run.outputFormatId = FIF_BMP;
        settings.output.bmpBpp = 8;
        settings.output.bmpColorTable = 1;
    }
    void UseRle() {
        settings.output.bmpCompression = 1;
        StartRunEncoding(settings, run);
    }
    bool Write(const Bitmap& image, const std::string& path) {
        return WriteExactPaletteBmp(image, path, settings, run);
    }
    std::vector<std::string> FolderContent() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    TempFolder temp;
};

struct PaletteCase {
    int highest;
    bool rle;
};
std::ostream& operator<<(std::ostream& out, const PaletteCase& c) {
    return out << "indices 0 to " << c.highest << (c.rle ? " in RLE8" : "");
}

class ExactPaletteLayoutTest : public ExactPaletteTest, public testing::WithParamInterface<PaletteCase> {};

TEST_P(ExactPaletteLayoutTest, WritesOnlyTheUsedColourEntries) {
    const PaletteCase& c = GetParam();
    if (c.rle) {
        UseRle();
    }
    const Bitmap image = MakeIndexedBitmap(37, 23, c.highest);
    const std::string path = temp / "out.bmp";
    ASSERT_TRUE(Write(image, path));

    const std::string file = ReadBytes(path);
    const std::string library = LibraryBmp(image, c.rle ? BMP_SAVE_RLE : 0);
    const uint32_t entries = static_cast<uint32_t>(c.highest) + 1;
    const uint32_t pixelOffset = 54 + 4 * entries;
    const size_t pixelBytes = library.size() - 1078;
    ASSERT_EQ(file.size(), pixelOffset + pixelBytes);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Field(file, 2), file.size());
    EXPECT_EQ(Field(file, 6), 0u);
    EXPECT_EQ(Field(file, 10), pixelOffset);
    EXPECT_EQ(Field(file, 14), 40u);
    EXPECT_EQ(Field(file, 18), 37u);
    EXPECT_EQ(Field(file, 22), 23u);
    EXPECT_EQ(Field(file, 28, 2), 8u);
    EXPECT_EQ(Field(file, 30), c.rle ? 1u : 0u);
    EXPECT_EQ(Field(file, 34), pixelBytes);
    EXPECT_EQ(Field(file, 46), entries);
    EXPECT_EQ(Field(file, 50), entries);
    const RGBQUAD* palette = FreeImage_GetPalette(image.get());
    for (uint32_t i = 0; i < entries; ++i) {
        const uint32_t expected = palette[i].rgbBlue | palette[i].rgbGreen << 8 | palette[i].rgbRed << 16;
        ASSERT_EQ(Field(file, 54 + 4 * i), expected) << "entry " << i;
    }
    EXPECT_EQ(file.substr(pixelOffset), library.substr(1078));

    // An independent decoder reads the same picture. (FreeImage 3.18 cannot read RLE8 files back,
    // not even its own.)
    const QImage decoded(QString::fromStdString(path), "BMP");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.colorCount(), static_cast<int>(entries));
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            const Rgb expected = PixelAt(image, x, y);
            ASSERT_EQ(decoded.pixel(x, y), qRgb(expected.red, expected.green, expected.blue))
                << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, ExactPaletteLayoutTest,
                         testing::Values(PaletteCase{15, false}, PaletteCase{15, true}, PaletteCase{0, false},
                                         PaletteCase{255, false}, PaletteCase{255, true}));

// Sixteen entries put the pixels at 54 + 64 = 118.
TEST_F(ExactPaletteTest, SixteenColoursStartThePixelsAtByte118) {
    ASSERT_TRUE(Write(MakeIndexedBitmap(16, 16, 15), temp / "out.bmp"));
    const std::string file = ReadBytes(temp / "out.bmp");
    EXPECT_EQ(Field(file, 10), 118u);
    EXPECT_EQ(Field(file, 46), 16u);
    EXPECT_EQ(Field(file, 50), 16u);
}

TEST_F(ExactPaletteTest, ReplacesAnExistingFile) {
    WriteBytes(temp / "out.bmp", "old");
    ASSERT_TRUE(Write(MakeIndexedBitmap(4, 4, 3), temp / "out.bmp"));
    EXPECT_EQ(ReadBytes(temp / "out.bmp").substr(0, 2), "BM");
    EXPECT_EQ(FolderContent(), std::vector<std::string>{"out.bmp"});
}

TEST_F(ExactPaletteTest, NothingToWriteCreatesNoFile) {
    EXPECT_FALSE(Write(nullptr, temp / "none.bmp"));
    // Not an 8-bit BMP encoding: a 24-bit image, or an 8-bit image encoded as PNG.
    EXPECT_FALSE(Write(MakeSolidBitmap(4, 4, 24, {}), temp / "deep.bmp"));
    run.outputFormatId = FIF_PNG;
    EXPECT_FALSE(Write(MakeIndexedBitmap(4, 4, 3), temp / "png.bmp"));
    EXPECT_TRUE(FolderContent().empty());
}

TEST_F(ExactPaletteTest, AMissingFolderFails) {
    EXPECT_FALSE(Write(MakeIndexedBitmap(4, 4, 3), temp / "missing/out.bmp"));
    EXPECT_FALSE(PathExists(temp / "missing"));
}

// Limits the size of files this process may write, so that a write runs short.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

  private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

TEST_F(ExactPaletteTest, AFailedWriteKeepsTheExistingFile) {
    WriteBytes(temp / "out.bmp", "old");
    bool written = true;
    {
        const FileSizeLimit limit(100);
        written = Write(MakeIndexedBitmap(64, 64, 15), temp / "out.bmp");
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(temp / "out.bmp"), "old");
    EXPECT_EQ(FolderContent(), std::vector<std::string>{"out.bmp"});
}

}  // namespace
