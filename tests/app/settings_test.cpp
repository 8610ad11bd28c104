#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/settings_schema.h"

namespace {

constexpr DateNumber kNow = 1700000000;

struct WindowCase {
    std::optional<ScreenSize> desktop;
    int32_t x;
    int32_t y;
};

class DefaultWindowPositionTest : public testing::TestWithParam<WindowCase> {};

TEST_P(DefaultWindowPositionTest, CentresOnTheDesktopOrFallsBackTo100) {
    Settings s;
    ApplyDefaultSettings(s, false, GetParam().desktop, kNow);
    EXPECT_EQ(s.app.window.x, GetParam().x);
    EXPECT_EQ(s.app.window.y, GetParam().y);
    EXPECT_EQ(s.app.window.width, 510);
    EXPECT_EQ(s.app.window.height, 260);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DefaultWindowPositionTest,
                         testing::Values(WindowCase{ScreenSize{1920, 1080}, 705, 410},
                                         WindowCase{ScreenSize{1921, 1081}, 705, 410},
                                         WindowCase{ScreenSize{500, 1080}, 100, 410},
                                         WindowCase{ScreenSize{510, 260}, 100, 100},
                                         WindowCase{std::nullopt, 100, 100}));

TEST(ApplyDefaultSettingsTest, CommandLineLeavesOnlyKeepAspectRatioDifferent) {
    Settings window;
    Settings console;
    ApplyDefaultSettings(window, false, std::nullopt, kNow);
    ApplyDefaultSettings(console, true, std::nullopt, kNow);
    EXPECT_EQ(window.conversion.transform.keepAspectRatio, 1);
    EXPECT_EQ(console.conversion.transform.keepAspectRatio, 0);
    console.conversion.transform.keepAspectRatio = 1;
    for (const SettingDef& s : SettingsSchema()) {
        EXPECT_EQ(GetNumber(window, s), GetNumber(console, s)) << s.group << "/" << s.key;
        EXPECT_EQ(GetText(window, s), GetText(console, s)) << s.group << "/" << s.key;
        EXPECT_EQ(GetReal(window, s), GetReal(console, s)) << s.group << "/" << s.key;
    }
}

TEST(ApplyDefaultSettingsTest, SetsDocumentedDefaults) {
    Settings s;
    ApplyDefaultSettings(s, true, std::nullopt, kNow);
    EXPECT_EQ(s.app.general.cfg, 17);
    EXPECT_EQ(s.app.general.updateDate, kNow);
    EXPECT_EQ(s.conversion.advanced.customTimestamp, kNow);
    EXPECT_EQ(s.conversion.input.format, "raw");
    EXPECT_EQ(s.conversion.output.format, "bmp");
    EXPECT_EQ(s.conversion.input.rawToneMapping, 2);
    EXPECT_EQ(s.conversion.output.bmpBpp, 0);
    EXPECT_EQ(s.conversion.output.jpgQuality, 95);
    EXPECT_EQ(s.conversion.transform.imageResizeAlgorithm, 3);
    EXPECT_FLOAT_EQ(s.conversion.adjustment.imageGamma, 1.0f);
    EXPECT_EQ(s.conversion.frame.solidOpacity, 255);
    EXPECT_EQ(s.conversion.watermark.font, "Arial");
    EXPECT_EQ(s.conversion.watermark.backOpacity, 1);
    EXPECT_EQ(s.conversion.watermark.textPosition, 8);
    EXPECT_EQ(s.conversion.advanced.filenameMask, "%filename%.%ext%");
    EXPECT_EQ(s.conversion.advanced.outFoldersNumber, 5);
    EXPECT_EQ(s.app.interface.uiTheme, "handdrawn");
}

TEST(ApplyDefaultSettingsTest, ReplacesEveryEarlierValue) {
    Settings fresh;
    Settings used;
    ApplyDefaultSettings(fresh, false, std::nullopt, kNow);
    used.conversion.watermark.image = "/tmp/logo.png";
    used.conversion.transform.doImageResize = 1;
    used.app.file.recentOutFolders = "/a/";
    ApplyDefaultSettings(used, false, std::nullopt, kNow);
    for (const SettingDef& s : SettingsSchema()) {
        EXPECT_EQ(GetNumber(fresh, s), GetNumber(used, s)) << s.key;
        EXPECT_EQ(GetText(fresh, s), GetText(used, s)) << s.key;
    }
}

}  // namespace
