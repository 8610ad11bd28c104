#include "cli/options.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/settings_schema.h"
#include "tests/support/temp_folder.h"

namespace {

Settings CommandLineDefaults() {
    Settings s;
    ApplyDefaultSettings(s, true, std::nullopt, 0);
    return s;
}

struct OptionCase {
    const char* name;
    const char* value;
    const char* group;
    const char* key;
    int32_t stored;
};

class ApplyOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(ApplyOptionTest, StoresTheConvertedValue) {
    const OptionCase& c = GetParam();
    Settings s = CommandLineDefaults();
    ASSERT_TRUE(ApplyOption(s, c.name, c.value, OptionSource::CommandLine));
    EXPECT_EQ(GetNumber(s, *FindSetting(c.group, c.key)), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ApplyOptionTest,
    testing::Values(OptionCase{"--WIDTH", "$200", "Transform", "Image Width", 512},
                    OptionCase{"--WIDTH", "%101", "Transform", "Image Width", 5},
                    OptionCase{"--WIDTH", "50%", "Transform", "Image Width", 50},
                    OptionCase{"--WIDTH", "abc", "Transform", "Image Width", 0},
                    OptionCase{"--WIDTH", "4294967597", "Transform", "Image Width", 301},
                    OptionCase{"--RAW-LOAD-AS", "48hs", "Input", "RAW Load As", 4},
                    OptionCase{"--RAW-LOAD-AS", " 48 ", "Input", "RAW Load As", 5},
                    OptionCase{"--RAW-LOAD-AS", "32", "Input", "RAW Load As", 0},
                    OptionCase{"--WM-TEXT-POSITION", "bottomright", "Watermark", "Text Position", 8},
                    OptionCase{"--WM-TEXT-POSITION", "bottom-right", "Watermark", "Text Position", 0},
                    OptionCase{"--BMP-COMPRESSION", "zip", "Output", "BMP Compression", 1},
                    OptionCase{"--WM-FONT-EFFECT", "strikethrough", "Watermark", "Font Effect", 0},
                    OptionCase{"--WM-FONT-EFFECT", "strikethrought", "Watermark", "Font Effect", 2},
                    OptionCase{"--WM-TEXT-SIZE", "proportional", "Watermark", "Text Size", 0},
                    OptionCase{"--BRIGHTNESS", "-150", "Adjustment", "Image Brightness", -150},
                    // One-byte settings keep the low byte.
                    OptionCase{"--WM-TEXT-BOUNDARY", "frame", "Watermark", "Text Boundary", 1},
                    OptionCase{"--NO-SUBFOLDERS", "1", "Advanced", "Keep Subfolders", 0},
                    OptionCase{"--KEEP-ASPECT-RATIO", "no", "Transform", "Keep Aspect Ratio", 1}));

TEST(ApplyOptionTest, SetsTheAlsoSetting) {
    Settings s = CommandLineDefaults();
    ApplyOption(s, "--WIDTH", "300", OptionSource::CommandLine);
    EXPECT_EQ(s.conversion.transform.doImageResize, 1);
    ApplyOption(s, "--WM-IMAGE", "/tmp/logo.png", OptionSource::CommandLine);
    EXPECT_EQ(s.conversion.watermark.doWatermark, 2);
    EXPECT_EQ(s.conversion.watermark.image, "/tmp/logo.png");
    ApplyOption(s, "--INVERT", "0", OptionSource::Profile);
    EXPECT_EQ(s.conversion.adjustment.imageInvert, 1);
    EXPECT_EQ(s.conversion.adjustment.doImageColorCorrection, 1);
    ApplyOption(s, "--GAMMA", "2,2", OptionSource::CommandLine);
    EXPECT_FLOAT_EQ(s.conversion.adjustment.imageGamma, 2.0f);
    ApplyOption(s, "--GAMMA", "nan", OptionSource::CommandLine);
    EXPECT_TRUE(std::isnan(s.conversion.adjustment.imageGamma));
}

TEST(ApplyOptionTest, RefusesNamesThatAreNotOptionSwitches) {
    Settings s = CommandLineDefaults();
    EXPECT_FALSE(ApplyOption(s, "--INPUT", "x.nef", OptionSource::Profile));
    EXPECT_FALSE(ApplyOption(s, "-I", "x.nef", OptionSource::Profile));
    EXPECT_FALSE(ApplyOption(s, "--width", "5", OptionSource::CommandLine));
}

TEST(ApplyOptionTest, ProfilesUnquoteOnlyTheFilenameMask) {
    Settings s = CommandLineDefaults();
    ApplyOption(s, "--FILENAME-MASK", "\"%n%.%ext%\"", OptionSource::Profile);
    ApplyOption(s, "--WM-TEXT", "\"quoted\"", OptionSource::Profile);
    EXPECT_EQ(s.conversion.advanced.filenameMask, "%n%.%ext%");
    EXPECT_EQ(s.conversion.watermark.text, "\"quoted\"");
}

class ApplyProfileTest : public testing::Test {
  protected:
    std::string Profile(std::string_view content) {
        WriteBytes(temp / "p.ini", content);
        return temp / "p.ini";
    }
    TempFolder temp;
    Settings s = CommandLineDefaults();
};

TEST_F(ApplyProfileTest, AppliesTheCliGroupInFileOrder) {
    ASSERT_TRUE(
        ApplyProfile(s, Profile("[Other]\r\n--JPG-QUALITY=1\r\n[cli]\r\n--jpg-quality=80\r\n-i=x.nef\r\n"
                                "--INPUT=x.nef\r\n--WM-TEXT=\r\n--JPG-QUALITY = 70\r\n")));
    EXPECT_EQ(s.conversion.output.jpgQuality, 70);
    EXPECT_EQ(s.conversion.watermark.text, "");
    EXPECT_EQ(s.conversion.watermark.doWatermark, 1);
}

TEST_F(ApplyProfileTest, AcceptsAFileWithoutCliAndRefusesMissingOnes) {
    EXPECT_TRUE(ApplyProfile(s, Profile("[General]\r\nx=1\r\n")));
    EXPECT_EQ(s.conversion.output.jpgQuality, 95);
    EXPECT_FALSE(ApplyProfile(s, temp / "missing.ini"));
    EXPECT_FALSE(ApplyProfile(s, ""));
    EXPECT_FALSE(ApplyProfile(s, temp.path()));
}

}  // namespace
