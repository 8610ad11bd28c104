#include "engine/stage.h"

#include <gtest/gtest.h>

#include "tests/support/stage_fixture.h"
#include "tests/support/test_images.h"

namespace {

struct StageCase {
    const char* name;
    Stage stage;
    void (*switchOn)(ConversionSettings&);
};

std::string CaseName(const testing::TestParamInfo<StageCase>& row) {
    return row.param.name;
}

const StageCase kRotation{"Rotation", ApplyRotation, [](ConversionSettings& s) {
                              s.transform.doImageRotation = 1;
                              s.transform.imageRotation = 90;
                          }};
const StageCase kResize{"Resize", ApplyResize, [](ConversionSettings& s) {
                            s.transform.doImageResize = 1;
                            s.transform.imageWidth = 5;
                            s.transform.imageHeight = 5;
                        }};
const StageCase kToneMapping{"ToneMapping", ApplyToneMapping, [](ConversionSettings& s) {
                                 s.input.rawLoadAs = 5;
                                 s.input.rawToneMapping = 1;
                             }};
const StageCase kFlip{"Flip", ApplyFlip, [](ConversionSettings& s) {
                          s.transform.doImageFlipHorizontal = 1;
                          s.transform.doImageFlipVertical = 1;
                      }};
const StageCase kColorCorrection{"ColorCorrection", ApplyColorCorrection, [](ConversionSettings& s) {
                                     s.adjustment.doImageColorCorrection = 1;
                                     s.adjustment.imageInvert = 1;
                                 }};
const StageCase kGreyscale{"Greyscale", ApplyGreyscale,
                           [](ConversionSettings& s) { s.adjustment.doImageGreyscale = 1; }};
const StageCase kThreshold{"Threshold", ApplyThreshold,
                           [](ConversionSettings& s) { s.adjustment.doImageThreshold = 1; }};
const StageCase kBitDepth{"BitDepth", ApplyBitDepth, [](ConversionSettings& s) { s.output.bmpBpp = 8; }};

class StageContractTest : public StageTest, public testing::WithParamInterface<StageCase> {};

TEST_P(StageContractTest, PassesNoImageOn) {
    GetParam().switchOn(settings);
    run.outputFormat = "bmp";
    run.keepBitDepth = true;
    run.sourceBitDepth = 24;
    EXPECT_FALSE(GetParam().stage(nullptr, Context()));
}

// The default settings switch every stage off; the bit-depth stage has nothing to do when the
// image already has the target depth.
TEST_P(StageContractTest, SwitchedOffReturnsTheVeryImage) {
    run.outputFormat = "bmp";
    run.outputBitDepth = 24;
    Bitmap image = MakePatternBitmap(9, 7, 24);
    FIBITMAP* const input = image.get();
    const Bitmap result = GetParam().stage(std::move(image), Context());
    EXPECT_EQ(result.get(), input);
    const Bitmap original = MakePatternBitmap(9, 7, 24);
    EXPECT_EQ(PixelAt(result, 8, 6), PixelAt(original, 8, 6));
}

INSTANTIATE_TEST_SUITE_P(Stages, StageContractTest,
                         testing::Values(kRotation, kResize, kToneMapping, kFlip, kColorCorrection,
                                         kGreyscale, kThreshold, kBitDepth),
                         CaseName);

class StageLibraryFailureTest : public StageContractTest {};

// FreeImage 3.18 cannot bring a floating-point image to 24 bits, which these stages need first;
// the input is released and no image goes on.
TEST_P(StageLibraryFailureTest, GivesNoImage) {
    GetParam().switchOn(settings);
    EXPECT_FALSE(GetParam().stage(MakeSolidBitmap(8, 6, 96, {10, 20, 30}), Context()));
}

INSTANTIATE_TEST_SUITE_P(Stages, StageLibraryFailureTest,
                         testing::Values(kRotation, kColorCorrection, kGreyscale, kThreshold), CaseName);

}  // namespace
