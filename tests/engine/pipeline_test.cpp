#include "engine/pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "engine/encoding.h"
#include "engine/format_catalogue.h"
#include "engine/stage_watermark.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "tests/support/conversion_run.h"
#include "tests/support/dng_writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

// A conversion of one file into the scratch folder, with the command line's defaults.
class ConvertFileTest : public testing::Test {
  protected:
    ConvertFileTest() {
        ApplyDefaultSettings(all, true, std::nullopt, 0);
        catalogue.BuildFormatCatalogue();
        catalogue.BuildAcceptedInputExtensions();
        run = RunWritingTo(temp.path());
    }

    // A 64 x 48 DNG with a 40 x 30 preview.
    std::string Dng(std::string_view name = "photo.dng") {
        DngOptions options;
        options.preview = DngPreview{40, 30, {200, 100, 50}};
        WriteDng(temp / name, options);
        return temp / name;
    }

    bool Convert(const std::string& input) {
        StartRunEncoding(settings, run);
        run.inputFullPath = input;
        return ConvertFile({settings, run, catalogue, font.get()});
    }

    // Names in the scratch folder other than the given ones: no temporary file may stay behind.
    std::vector<std::string> Leftovers(std::initializer_list<std::string_view> expected) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
            const std::string name = entry.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
                names.push_back(name);
            }
        }
        return names;
    }

    TempFolder temp;
    Settings all;
    ConversionSettings& settings = all.conversion;
    RunState run;
    FormatCatalogue catalogue;
    std::unique_ptr<CanvasFont> font;
};

TEST_F(ConvertFileTest, ConvertsWithEveryStageOff) {
    ASSERT_TRUE(Convert(Dng()));
    EXPECT_EQ(run.outputPath, temp / "photo.bmp");
    EXPECT_EQ(run.sourceBitDepth, 24);
    EXPECT_EQ(run.resultWidth, 40);
    EXPECT_EQ(run.resultHeight, 30);
    const Bitmap written(FreeImage_Load(FIF_BMP, run.outputPath.c_str(), 0));
    ASSERT_TRUE(written);
    EXPECT_EQ(BitsPerPixel(written), 24);
    EXPECT_NEAR(PixelAt(written, 20, 15).red, 200, 6);
    EXPECT_EQ(Leftovers({"photo.dng", "photo.bmp"}), std::vector<std::string>{});
}

TEST_F(ConvertFileTest, RecordsTheSizeAfterResizing) {
    settings.transform.doImageResize = 1;
    settings.transform.imageWidth = 20;
    settings.transform.imageHeight = 10;
    ASSERT_TRUE(Convert(Dng()));
    EXPECT_EQ(run.resultWidth, 20);
    EXPECT_EQ(run.resultHeight, 10);
}

TEST_F(ConvertFileTest, MissingOrEmptyInputWritesNothing) {
    EXPECT_FALSE(Convert(temp / "missing.nef"));
    WriteBytes(temp / "empty.nef", "");
    EXPECT_FALSE(Convert(temp / "empty.nef"));
    EXPECT_EQ(run.sourceBitDepth, 0);
    EXPECT_EQ(Leftovers({"empty.nef"}), std::vector<std::string>{});
}

TEST_F(ConvertFileTest, MissingOutputFolderFails) {
    run.outputFolder = temp / "nowhere/";
    EXPECT_FALSE(Convert(Dng()));
    EXPECT_EQ(run.outputPath, temp / "nowhere/photo.bmp");
}

TEST_F(ConvertFileTest, NeverOverwritesItsOwnInput) {
    const std::string input = Dng("photo.dng");
    const std::string before = ReadBytes(input);
    settings.advanced.filenameMask = "%filename%.dng";
    EXPECT_FALSE(Convert(input));
    EXPECT_EQ(ReadBytes(input), before);
    EXPECT_EQ(Leftovers({"photo.dng"}), std::vector<std::string>{});
}

TEST_F(ConvertFileTest, AFailingStageKeepsAnExistingOutput) {
    WriteBytes(temp / "photo.bmp", "an older conversion");
    // 64 x 48 to a width of 1 with the proportions kept gives a height of 0: no image.
    settings.transform.doImageResize = 1;
    settings.transform.imageWidth = 1;
    settings.transform.imageHeight = 1;
    settings.transform.keepAspectRatio = 1;
    settings.input.rawLoadAs = 3;
    DngOptions wide;
    wide.width = 2000;
    wide.height = 24;
    WriteDng(temp / "photo.dng", wide);
    EXPECT_FALSE(Convert(temp / "photo.dng"));
    EXPECT_EQ(ReadBytes(temp / "photo.bmp"), "an older conversion");
    EXPECT_EQ(Leftovers({"photo.dng", "photo.bmp"}), std::vector<std::string>{});
}

TEST_F(ConvertFileTest, OverwritesAnExistingOutput) {
    WriteBytes(temp / "photo.bmp", "an older conversion");
    ASSERT_TRUE(Convert(Dng()));
    EXPECT_NE(ReadBytes(temp / "photo.bmp"), "an older conversion");
}

TEST_F(ConvertFileTest, ExactPaletteGoesThroughItsOwnWriter) {
    settings.output.bmpColorTable = 1;
    settings.output.bmpBpp = 8;
    ASSERT_TRUE(Convert(Dng()));
    const std::string bytes = ReadBytes(run.outputPath);
    // One colour: a one-entry table and the pixels right after it.
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 54 + 4);
    // With automatic depth a 24-bit load stays 24 bits and the library writes it.
    settings.output.bmpBpp = 0;
    ASSERT_TRUE(Convert(Dng()));
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(run.outputPath)[28]), 24);
}

// Every load mode, output depth and family of stages together.
enum class Stages { None, Geometry, Colour, FrameAndWatermark, All };

class StageCombinationTest : public ConvertFileTest,
                             public testing::WithParamInterface<std::tuple<int, int, Stages>> {
  protected:
    void TurnOn(Stages stages) {
        ConversionSettings& s = settings;
        if (stages == Stages::Geometry || stages == Stages::All) {
            s.transform.doImageRotation = 1;
            s.transform.imageRotation = 90;
            s.transform.doImageResize = 1;
            s.transform.imageWidth = s.transform.imageHeight = 50;
            s.transform.imageWidthUnit = s.transform.imageHeightUnit = 1;
            s.transform.doImageFlipHorizontal = 1;
        }
        if (stages == Stages::Colour || stages == Stages::All) {
            s.adjustment.doImageColorCorrection = 1;
            s.adjustment.imageBrightness = 10;
            s.adjustment.imageGamma = 1.2f;
            s.adjustment.doImageGreyscale = 1;
            s.adjustment.doImageThreshold = 1;
            s.adjustment.imageThreshold = 100;
        }
        if (stages == Stages::FrameAndWatermark || stages == Stages::All) {
            s.frame.doFrame = 1;
            s.frame.solidLeft = s.frame.solidTop = 3;
            s.watermark.doWatermark = 1;
            s.watermark.text = "%width%x%height%%eol%%filename%";
            s.watermark.textBoundary = 1;
            font = LoadWatermarkFont(s);
            ASSERT_TRUE(font);
        }
    }
};

TEST_P(StageCombinationTest, ConvertsToTheExpectedDepthAndSize) {
    const auto [loadAs, bmpBpp, stages] = GetParam();
    settings.input.rawLoadAs = loadAs;
    settings.output.bmpBpp = bmpBpp;
    TurnOn(stages);
    ASSERT_TRUE(Convert(Dng()));
    // The preview (0) is 40 x 30; the display decode 64 x 48; half size 32 x 24.
    const int width = loadAs == 0 ? 40 : loadAs == 4 ? 32 : 64;
    const int height = loadAs == 0 ? 30 : loadAs == 4 ? 24 : 48;
    const bool geometry = stages == Stages::Geometry || stages == Stages::All;
    const int expectedWidth = geometry ? height / 2 : width;
    const int expectedHeight = geometry ? width / 2 : height;
    // Automatic depth follows the load: 24 stays 24, 48 becomes the largest bmp depth.
    const int expectedBits = bmpBpp != 0 ? bmpBpp : (loadAs >= 4 ? 32 : 24);
    EXPECT_EQ(run.resultWidth, expectedWidth);
    EXPECT_EQ(run.resultHeight, expectedHeight);
    const std::string bytes = ReadBytes(run.outputPath);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), expectedBits);
    EXPECT_EQ(static_cast<unsigned char>(bytes[18]), expectedWidth);
    EXPECT_EQ(static_cast<unsigned char>(bytes[22]), expectedHeight);
}

INSTANTIATE_TEST_SUITE_P(Combinations, StageCombinationTest,
                         testing::Combine(testing::Values(0, 3, 4, 5), testing::Values(0, 1, 8, 16, 24, 32),
                                          testing::Values(Stages::None, Stages::Geometry, Stages::Colour,
                                                          Stages::FrameAndWatermark, Stages::All)));

}  // namespace
