#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr DateNumber kFixedDate = 1700000000;

Settings Defaults() {
    Settings s;
    ApplyDefaultSettings(s, false, ScreenSize{1920, 1080}, kFixedDate);
    return s;
}

class SettingsFileTest : public testing::Test {
  protected:
    std::string Path() const { return temp / "config.ini"; }
    Settings LoadFrom(std::string_view bytes) {
        WriteBytes(Path(), bytes);
        Settings s;
        LoadSettings(s, Path());
        return s;
    }
    TempFolder temp;
};

TEST_F(SettingsFileTest, DefaultsMatchTheGoldenFileByteForByte) {
    SaveSettings(Defaults(), Path());
    EXPECT_EQ(ReadBytes(Path()), ReadBytes(KIVOTA_TEST_DATA "/app/golden/config_defaults.ini"));
}

TEST_F(SettingsFileTest, SaveLoadSaveGivesIdenticalBytes) {
    Settings s = Defaults();
    s.conversion.adjustment.imageGamma = 2.25f;
    s.conversion.watermark.text = "\xC2\xA9 caf\xC3\xA9 %eol% second";
    s.conversion.advanced.outFoldersNumber = -56;
    s.app.file.recentOutFolders = "/photos/out/\t/tmp/";
    s.conversion.input.rawLoadAs = 5;
    SaveSettings(s, Path());
    const std::string first = ReadBytes(Path());
    Settings loaded;
    LoadSettings(loaded, Path());
    SaveSettings(loaded, temp / "again.ini");
    EXPECT_EQ(ReadBytes(temp / "again.ini"), first);
    EXPECT_EQ(loaded.conversion.watermark.text, s.conversion.watermark.text);
    EXPECT_EQ(loaded.app.file.recentOutFolders, s.app.file.recentOutFolders);
    EXPECT_FLOAT_EQ(loaded.conversion.adjustment.imageGamma, 2.25f);
}

TEST_F(SettingsFileTest, MissingFileGivesDefaults) {
    Settings s;
    s.conversion.output.jpgQuality = 3;
    LoadSettings(s, temp / "missing.ini");
    EXPECT_EQ(s.conversion.output.jpgQuality, 95);
    EXPECT_EQ(s.app.general.cfg, 17);
    EXPECT_EQ(s.conversion.transform.keepAspectRatio, 1);
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirDefaultsAndTheWindowGoesTo100) {
    const Settings s = LoadFrom("[General]\r\nCFG = 17\r\n[Output]\r\nJPG Quality =   80  \r\n");
    EXPECT_EQ(s.app.window.x, 100);
    EXPECT_EQ(s.app.window.y, 100);
    EXPECT_EQ(s.app.window.width, 510);
    EXPECT_EQ(s.app.window.height, 260);
    EXPECT_EQ(s.conversion.output.jpgQuality, 80);
    EXPECT_EQ(s.conversion.input.rawToneMapping, 2);
    EXPECT_EQ(s.conversion.transform.keepAspectRatio, 1);
    EXPECT_EQ(s.conversion.advanced.filenameMask, "%filename%.%ext%");
}

TEST_F(SettingsFileTest, ReadsCaseInsensitiveGroupsAndKeys) {
    const Settings s = LoadFrom("[general]\r\ncfg=17\r\n[input]\r\nraw load as = 3\r\n");
    EXPECT_EQ(s.conversion.input.rawLoadAs, 3);
}

struct MigrationCase {
    const char* file;
    const char* mask;
    int32_t rawLoadAs;
    int32_t cfg;
};

class MigrationTest : public SettingsFileTest, public testing::WithParamInterface<MigrationCase> {};

TEST_P(MigrationTest, MigratesOlderFiles) {
    const Settings s = LoadFrom(GetParam().file);
    EXPECT_EQ(s.conversion.advanced.filenameMask, GetParam().mask);
    EXPECT_EQ(s.conversion.input.rawLoadAs, GetParam().rawLoadAs);
    EXPECT_EQ(s.app.general.cfg, GetParam().cfg);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, MigrationTest,
    testing::Values(
        MigrationCase{"[General]\r\nCFG = 10\r\n[Advanced]\r\nFilename Mask = %filename%\r\n",
                      "%filename%.%ext%", 0, 10},
        MigrationCase{"[General]\r\nCFG = 10\r\n[Advanced]\r\nFilename Mask = %ext%-%filename%\r\n",
                      "%ext%-%filename%", 0, 10},
        MigrationCase{"[General]\r\nCFG = 10\r\n[Advanced]\r\nFilename Mask = %EXT%\r\n", "%EXT%.%ext%", 0,
                      10},
        MigrationCase{"[General]\r\nCFG = 13\r\n[Input]\r\nRAW Load As = 2\r\n", "%filename%.%ext%", 4, 13},
        MigrationCase{"[General]\r\nCFG = 13\r\n[Input]\r\nRAW Load As = 0\r\n", "%filename%.%ext%", 0, 13},
        MigrationCase{"[General]\r\nCFG = 14\r\n[Input]\r\nRAW Load As = 2\r\n", "%filename%.%ext%", 2, 14},
        MigrationCase{"[Advanced]\r\nFilename Mask = a\r\n[Input]\r\nRAW Load As = 1\r\n", "a.%ext%", 3, 0}));

TEST_F(SettingsFileTest, MigratedVersionIsWrittenAs17) {
    Settings s = LoadFrom("[General]\r\nCFG = 3\r\n");
    SaveSettings(s, Path());
    Settings again;
    LoadSettings(again, Path());
    EXPECT_EQ(again.app.general.cfg, 17);
}

TEST_F(SettingsFileTest, WindowGroupIsEmptyWithoutSaveWindowPosition) {
    Settings s = Defaults();
    s.app.general.saveWindowPosition = 0;
    s.app.window.x = 5;
    SaveSettings(s, Path());
    const std::string bytes = ReadBytes(Path());
    EXPECT_NE(bytes.find("Save Window Position = 0\r\n; \r\n[Window]\r\n; \r\n[Interface]\r\n"),
              std::string::npos);
    Settings loaded;
    LoadSettings(loaded, Path());
    EXPECT_EQ(loaded.app.window.x, 100);
    EXPECT_EQ(loaded.app.window.width, 510);
}

TEST_F(SettingsFileTest, IsoLatin1FileBecomesUtf8AfterTheNextSave) {
    Settings s = LoadFrom("[Watermark]\r\nText = Caf\xE9\r\n");
    EXPECT_EQ(s.conversion.watermark.text, "Caf\xC3\xA9");
    SaveSettings(s, Path());
    const std::string bytes = ReadBytes(Path());
    EXPECT_EQ(bytes.substr(0, 5), "\xEF\xBB\xBF\r\n");
    EXPECT_NE(bytes.find("Text = Caf\xC3\xA9\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, EightBitSettingsKeepTheLowByteAndAreWrittenSigned) {
    Settings s = LoadFrom("[Advanced]\r\nOut Folders Number = 300\r\nKeep Subfolders = 200\r\n");
    EXPECT_EQ(s.conversion.advanced.outFoldersNumber, 44);
    SaveSettings(s, Path());
    const std::string bytes = ReadBytes(Path());
    EXPECT_NE(bytes.find("Out Folders Number = 44\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Keep Subfolders = -56\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WritesGammaWithSixDecimalsOrAWord) {
    Settings s = Defaults();
    s.conversion.adjustment.imageGamma = 1.5f;
    SaveSettings(s, Path());
    EXPECT_NE(ReadBytes(Path()).find("Image Gamma = 1.500000\r\n"), std::string::npos);
    s = LoadFrom("[Adjustment]\r\nImage Gamma = -Infinity\r\n");
    SaveSettings(s, Path());
    EXPECT_NE(ReadBytes(Path()).find("Image Gamma = -Infinity\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, DropsWhatTheTableDoesNotName) {
    Settings s = LoadFrom("[Mystery]\r\nA = 1\r\n[Output]\r\nJPG Quality = 80\r\nUnknown = 2\r\n");
    EXPECT_EQ(s.conversion.output.jpgQuality, 80);
    SaveSettings(s, Path());
    const std::string bytes = ReadBytes(Path());
    EXPECT_EQ(bytes.find("Mystery"), std::string::npos);
    EXPECT_EQ(bytes.find("Unknown"), std::string::npos);
    // JPG settings are read but only the enabled format's keys are written.
    EXPECT_EQ(bytes.find("JPG Quality"), std::string::npos);
}

TEST_F(SettingsFileTest, FailedSaveKeepsTheOldFile) {
    SaveSettings(Defaults(), Path());
    const std::string before = ReadBytes(Path());
    ASSERT_TRUE(CreateFolder(Path() + ".tmp"));
    Settings changed = Defaults();
    changed.conversion.output.bmpBpp = 24;
    SaveSettings(changed, Path());
    EXPECT_EQ(ReadBytes(Path()), before);
}

class SettingsFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_saved = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", temp.path().c_str(), 1);
    }
    void TearDown() override {
        if (m_saved) {
            setenv("XDG_CONFIG_HOME", m_saved->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
    }
    TempFolder temp;

  private:
    std::optional<std::string> m_saved;
};

TEST_F(SettingsFolderTest, CreatesMakerAndProgramFolders) {
    EXPECT_EQ(SettingsFolder(), temp.path() + "Lumarix/kivota/");
    EXPECT_TRUE(PathExists(temp / "Lumarix/kivota"));
}

TEST_F(SettingsFolderTest, LeavesAFileInPlaceOfTheFolderAlone) {
    WriteBytes(temp / "Lumarix", "not a folder");
    EXPECT_EQ(SettingsFolder(), temp.path() + "Lumarix/kivota/");
    EXPECT_EQ(ReadBytes(temp / "Lumarix"), "not a folder");
    // Loading from there gives the defaults and saving fails silently.
    Settings s;
    LoadSettings(s, SettingsFolder() + "config.ini");
    EXPECT_EQ(s.conversion.output.jpgQuality, 95);
    SaveSettings(s, SettingsFolder() + "config.ini");
}

}  // namespace
