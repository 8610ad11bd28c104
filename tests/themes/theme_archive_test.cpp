#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "themes/image_sets.h"

namespace {

constexpr QRgb kRed = qRgb(200, 20, 20);
constexpr QRgb kGreen = qRgb(20, 200, 20);
constexpr QRgb kBlue = qRgb(20, 20, 200);
constexpr QRgb kYellow = qRgb(220, 210, 20);

struct ZipEntry {
    std::string name;
    std::string data;
};

struct ArchiveWriteFree {
    void operator()(archive* zip) const { archive_write_free(zip); }
};
struct ArchiveEntryFree {
    void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};

void WriteZip(const std::string& path, const std::vector<ZipEntry>& entries) {
    const std::unique_ptr<archive, ArchiveWriteFree> zip(archive_write_new());
    ASSERT_EQ(archive_write_set_format_zip(zip.get()), ARCHIVE_OK);
    ASSERT_EQ(archive_write_open_filename(zip.get(), path.c_str()), ARCHIVE_OK);
    for (const ZipEntry& file : entries) {
        const std::unique_ptr<archive_entry, ArchiveEntryFree> entry(archive_entry_new());
        archive_entry_set_pathname(entry.get(), file.name.c_str());
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(file.data.size()));
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        ASSERT_EQ(archive_write_header(zip.get(), entry.get()), ARCHIVE_OK);
        ASSERT_EQ(archive_write_data(zip.get(), file.data.data(), file.data.size()),
                  static_cast<la_ssize_t>(file.data.size()));
    }
    ASSERT_EQ(archive_write_close(zip.get()), ARCHIVE_OK);
}

// Makes the archive declare `size` bytes for the entry `name`, in its local header and in the
// central directory, without changing the data.
void DeclareEntrySize(const std::string& path, const std::string& name, uint32_t size) {
    std::string zip = ReadBytes(path);
    const auto patch = [&](std::string_view signature, size_t nameOffset, size_t sizeOffset) {
        for (size_t at = zip.find(signature); at != std::string::npos; at = zip.find(signature, at + 1)) {
            if (zip.compare(at + nameOffset, name.size(), name) == 0) {
                std::memcpy(zip.data() + at + sizeOffset, &size, sizeof size);  // little-endian, as zip is
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(patch("PK\3\4", 30, 22));
    ASSERT_TRUE(patch("PK\1\2", 46, 24));
    WriteBytes(path, zip);
}

std::string Png(QRgb colour, int width = 16, int height = 16) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// theme.cfg text with CR LF line ends.
std::string Cfg(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

QRgb Colour(const QImage& image) {
    return image.isNull() ? 0 : image.pixel(0, 0);
}

class ThemeArchiveTest : public ::testing::Test {
  protected:
    ThemeArchiveTest() {
        LoadBuiltinImages(builtin);
        images = builtin;
        settings.interface.uiTheme = "theme";
        settings.interface.uiSize = 0;
    }

    void WriteTheme(const std::string& name, const std::string& cfg, std::vector<ZipEntry> pictures = {}) {
        pictures.insert(pictures.begin(), {"theme.cfg", cfg});
        WriteZip(ArchivePath(name), pictures);
    }
    std::string ArchivePath(const std::string& name) const { return temp / (name + ".zip"); }

    void Load(ThemeParts parts = {}) {
        LoadTheme(images, settings, ListThemes(temp.path()), temp.path(), parts);
    }

    bool Unchanged() const {
        return images.buttons == builtin.buttons && images.menuIcons == builtin.menuIcons &&
               images.toolbarIcons == builtin.toolbarIcons;
    }

    TempFolder temp;
    ImageSets builtin;
    ImageSets images;
    AppSettings settings;
};

TEST_F(ThemeArchiveTest, ReplacesThePicturesTheCfgNames) {
    WriteTheme("theme",
               Cfg({"[Theme]", "Name=Test", "[Buttons]", "Convert=convert", "[Icons]", "New=new.png",
                    "Add=add", "Copy=Copy.PNG", "Delete=missing.png"}),
               {{"convert_16.png", Png(kRed, 64, 64)},
                {"new.png", Png(kGreen)},
                {"add_16.png", Png(kBlue)},
                {"add_32.png", Png(kYellow, 32, 32)},
                {"Copy.PNG", Png(kRed)}});
    settings.interface.uiSize = 2;
    Load();

    EXPECT_EQ(Colour(images.buttons["Convert"]), kRed);
    EXPECT_EQ(images.buttons["Convert"].size(), QSize(64, 64));
    EXPECT_EQ(Colour(images.menuIcons["New"]), kGreen);
    EXPECT_EQ(Colour(images.toolbarIcons["New"]), kGreen);
    EXPECT_EQ(Colour(images.menuIcons["Add"]), kBlue);
    EXPECT_EQ(Colour(images.toolbarIcons["Add"]), kYellow);
    EXPECT_EQ(Colour(images.menuIcons["Copy"]), kRed);
    // Keys the theme does not provide keep their pictures.
    EXPECT_TRUE(images.menuIcons["Delete"] == builtin.menuIcons["Delete"]);
    EXPECT_TRUE(images.buttons["InFiles"] == builtin.buttons["InFiles"]);
    EXPECT_TRUE(images.toolbarIcons["About"] == builtin.toolbarIcons["About"]);
    EXPECT_EQ(settings.interface.uiTheme, "theme");
}

TEST_F(ThemeArchiveTest, LfOnlyCfgChangesNothing) {
    WriteTheme("theme", "[Buttons]\nConvert=convert.png\n[Icons]\nNew=new.png\n",
               {{"convert.png", Png(kRed)}, {"new.png", Png(kGreen)}});
    Load();
    EXPECT_TRUE(Unchanged());
}

TEST_F(ThemeArchiveTest, ReplacesOnlyTheChosenSets) {
    WriteTheme("theme", Cfg({"[Buttons]", "Convert=any.png", "[Icons]", "New=any.png"}),
               {{"any.png", Png(kRed)}});
    Load({.buttons = false, .menuIcons = false, .toolbarIcons = true});
    EXPECT_TRUE(images.buttons == builtin.buttons);
    EXPECT_TRUE(images.menuIcons == builtin.menuIcons);
    EXPECT_EQ(Colour(images.toolbarIcons["New"]), kRed);
}

TEST_F(ThemeArchiveTest, SwitchingThemesKeepsPicturesTheNewThemeLacks) {
    WriteTheme("first", Cfg({"[Icons]", "New=new.png", "Add=add.png"}),
               {{"new.png", Png(kRed)}, {"add.png", Png(kRed)}});
    WriteTheme("second", Cfg({"[Icons]", "Add=add.png"}), {{"add.png", Png(kGreen)}});
    settings.interface.uiTheme = "first";
    Load();
    settings.interface.uiTheme = "second";
    Load();
    EXPECT_EQ(Colour(images.menuIcons["New"]), kRed);
    EXPECT_EQ(Colour(images.menuIcons["Add"]), kGreen);
}

TEST_F(ThemeArchiveTest, MissingConfiguredThemeIsReplacedByTheFirstListed) {
    WriteTheme("beta", Cfg({"[Icons]", "New=new.png"}), {{"new.png", Png(kGreen)}});
    WriteTheme("alpha", Cfg({"[Icons]", "New=new.png"}), {{"new.png", Png(kRed)}});
    // Files a theme name cannot reach: ".zip" (no name) and, through a path, alpha.zip itself.
    WriteTheme("", Cfg({"[Icons]", "New=new.png"}), {{"new.png", Png(kGreen)}});
    ASSERT_TRUE(std::filesystem::create_directory(temp / "sub"));
    for (const char* configured : {"handdrawn", "", "sub/../alpha"}) {
        SCOPED_TRACE(configured);
        images = builtin;
        settings.interface.uiTheme = configured;
        Load();
        EXPECT_EQ(settings.interface.uiTheme, "alpha");
        EXPECT_EQ(Colour(images.menuIcons["New"]), kRed);
    }
}

TEST_F(ThemeArchiveTest, WithoutThemesEverythingStaysBuiltIn) {
    settings.interface.uiTheme = "handdrawn";
    const std::string missingFolder = temp / "gfx/";
    LoadTheme(images, settings, ListThemes(missingFolder), missingFolder, {});
    EXPECT_TRUE(Unchanged());
    EXPECT_EQ(settings.interface.uiTheme, "handdrawn");
}

class ToolbarSizeTest : public ThemeArchiveTest, public ::testing::WithParamInterface<int> {};

TEST_P(ToolbarSizeTest, NameWithoutPngGetsTheIconSize) {
    const std::map<int, QRgb> colours{
        {16, kRed}, {24, kGreen}, {32, kBlue}, {48, kYellow}, {64, qRgb(1, 2, 3)}};
    std::vector<ZipEntry> pictures{{"new.png", Png(qRgb(9, 9, 9))}};
    for (const auto& [pixels, colour] : colours) {
        pictures.push_back({"add_" + std::to_string(pixels) + ".png", Png(colour, pixels, pixels)});
    }
    WriteTheme("theme", Cfg({"[Icons]", "New=new.png", "Add=add"}), pictures);
    settings.interface.uiSize = GetParam();
    Load();
    EXPECT_EQ(Colour(images.toolbarIcons["Add"]), colours.at(IconPixels(GetParam())));
    EXPECT_EQ(images.toolbarIcons["Add"].width(), IconPixels(GetParam()));
    EXPECT_EQ(Colour(images.menuIcons["Add"]), kRed);
    EXPECT_EQ(Colour(images.toolbarIcons["New"]), qRgb(9, 9, 9));
    EXPECT_EQ(Colour(images.menuIcons["New"]), qRgb(9, 9, 9));
}

INSTANTIATE_TEST_SUITE_P(Codes, ToolbarSizeTest, ::testing::Values(0, 1, 2, 3, 4, 7));

// One fault per case in a theme that wants New from new.png: its size, its padding (which PNG
// decoders ignore), bytes in its place, theme.cfg padded with blanks, an entry declared larger
// than it is.
struct FaultCase {
    const char* label;
    int width = 16;
    int height = 16;
    size_t paddedPictureSize = 0;
    const char* pictureBytes = nullptr;
    size_t paddedCfgSize = 0;
    const char* shortEntry = nullptr;
    bool loads = false;
};

void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << fault.label;
}

class ThemeFaultTest : public ThemeArchiveTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ThemeFaultTest, DamagedPartsLeaveThePictureAlone) {
    const FaultCase& fault = GetParam();
    std::string cfg = Cfg({"[Icons]", "New=new.png"});
    cfg.resize(std::max(cfg.size(), fault.paddedCfgSize), ' ');
    std::string picture = fault.pictureBytes ? fault.pictureBytes : Png(kRed, fault.width, fault.height);
    picture.resize(std::max(picture.size(), fault.paddedPictureSize), '\0');
    WriteTheme("theme", cfg, {{"new.png", picture}});
    if (fault.shortEntry) {
        DeclareEntrySize(ArchivePath("theme"), fault.shortEntry, 100000);
    }
    Load();
    if (fault.loads) {
        EXPECT_EQ(Colour(images.menuIcons["New"]), kRed);
    } else {
        EXPECT_TRUE(Unchanged());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThemeFaultTest,
    ::testing::Values(
        FaultCase{.label = "PictureAtTheSizeLimit", .paddedPictureSize = 8 << 20, .loads = true},
        FaultCase{.label = "PictureOverTheSizeLimit", .paddedPictureSize = (8 << 20) + 1},
        FaultCase{.label = "CfgAtTheSizeLimit", .paddedCfgSize = 64 << 10, .loads = true},
        FaultCase{.label = "CfgOverTheSizeLimit", .paddedCfgSize = (64 << 10) + 1},
        FaultCase{.label = "WidestPicture", .width = 4096, .height = 1, .loads = true},
        FaultCase{.label = "HighestPicture", .width = 1, .height = 4096, .loads = true},
        FaultCase{.label = "TooWide", .width = 4097, .height = 1},
        FaultCase{.label = "TooHigh", .width = 1, .height = 4097},
        FaultCase{.label = "ShortPicture", .shortEntry = "new.png"},
        FaultCase{.label = "ShortCfg", .shortEntry = "theme.cfg"},
        FaultCase{.label = "NotAPicture", .pictureBytes = "not a PNG file at all"},
        FaultCase{.label = "EmptyPicture", .pictureBytes = ""}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.label; });

TEST_F(ThemeArchiveTest, UnreadableArchivesChangeNothing) {
    // Without theme.cfg no key names a file, not even the "_16.png" an empty value would make.
    WriteZip(ArchivePath("nocfg"), {{"new.png", Png(kRed)}, {"_16.png", Png(kRed)}});
    WriteBytes(ArchivePath("garbage"), "PK but no zip");
    WriteBytes(ArchivePath("empty"), "");
    for (const char* theme : {"nocfg", "garbage", "empty"}) {
        SCOPED_TRACE(theme);
        settings.interface.uiTheme = theme;
        Load();
        EXPECT_TRUE(Unchanged());
        EXPECT_EQ(settings.interface.uiTheme, theme);
    }
}

TEST_F(ThemeArchiveTest, ShortEntrySpoilsOnlyItself) {
    WriteTheme("theme", Cfg({"[Icons]", "New=new.png", "Add=add.png"}),
               {{"new.png", Png(kRed)}, {"add.png", Png(kGreen)}});
    DeclareEntrySize(ArchivePath("theme"), "new.png", 100000);
    Load();
    EXPECT_TRUE(images.menuIcons["New"] == builtin.menuIcons["New"]);
    EXPECT_EQ(Colour(images.menuIcons["Add"]), kGreen);
}

TEST_F(ThemeArchiveTest, ListsArchivesWithTheirDisplayNames) {
    WriteTheme("plain", Cfg({"[Theme]", "Name=Plain Theme"}));
    WriteTheme("nameless", Cfg({"[Icons]", "New=new"}));
    WriteTheme("windows", "[Theme]\r\nName=Caf\xE9 \x80\x99\r\n");
    WriteBytes(ArchivePath("broken"), "not a zip");
    WriteBytes(ArchivePath("empty"), "");
    WriteBytes(temp / "readme.txt", "text");
    WriteBytes(temp / "upper.ZIP", "");
    ASSERT_TRUE(std::filesystem::create_directory(ArchivePath("folder")));

    EXPECT_EQ(ListThemes(temp.path()), (ThemeList{{"plain", "Plain Theme"},
                                                  {"nameless", ""},
                                                  {"windows", "Caf\u00E9 \u20AC\u2122"},
                                                  {"broken", "broken"},
                                                  {"empty", "empty"}}));
}

TEST_F(ThemeArchiveTest, SkipsNamesTheSettingsFileCannotHold) {
    for (const char* name : {"tab\there", "cr\rhere", "lf\nhere", ""}) {
        WriteTheme(name, Cfg({"[Theme]", "Name=Bad"}));
    }
    WriteTheme("good", Cfg({"[Theme]", "Name=Good"}));
    EXPECT_EQ(ListThemes(temp.path()), (ThemeList{{"good", "Good"}}));
}

TEST_F(ThemeArchiveTest, MissingFolderListsNothing) {
    EXPECT_TRUE(ListThemes(temp / "gfx/").empty());
}

// The display name comes from the first 255 bytes of theme.cfg only.
class DisplayNameTest : public ThemeArchiveTest,
                        public ::testing::WithParamInterface<std::pair<size_t, std::string>> {};

TEST_P(DisplayNameTest, ReadsTheStartOfTheCfgOnly) {
    const std::string group = "[Theme]\r\nName=Nice Theme\r\n";
    WriteTheme("theme", std::string(GetParam().first, ' ') + group + "[Icons]\r\n");
    EXPECT_EQ(ThemeDisplayName(temp.path(), "theme"), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Offsets, DisplayNameTest,
                         ::testing::Values(std::pair<size_t, std::string>{0, "Nice Theme"},
                                           // The name's line ends exactly at byte 255.
                                           std::pair<size_t, std::string>{255 - 26, "Nice Theme"},
                                           // Byte 255 ends "Name=Nice".
                                           std::pair<size_t, std::string>{255 - 18, "Nice"},
                                           // Byte 255 ends the group's header line.
                                           std::pair<size_t, std::string>{255 - 9, ""},
                                           std::pair<size_t, std::string>{1000, ""}));

TEST_F(ThemeArchiveTest, DisplayNameOfAMissingArchiveIsItsName) {
    EXPECT_EQ(ThemeDisplayName(temp.path(), "absent"), "absent");
}

struct CfgCase {
    const char* label;
    std::string cfg;
    const char* group;
    const char* key;
    std::string value;
};

void PrintTo(const CfgCase& cfgCase, std::ostream* out) {
    *out << cfgCase.label;
}

class CfgValueTest : public ::testing::TestWithParam<CfgCase> {};

TEST_P(CfgValueTest, FindsTheValue) {
    EXPECT_EQ(CfgValue(GetParam().cfg, GetParam().group, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CfgValueTest,
    ::testing::Values(
        CfgCase{"Plain", "[Icons]\r\nNew=new.png\r\n", "Icons", "New", "new.png"},
        CfgCase{"CaseOfGroupAndKeyIgnored", "[ICONS]\r\nnew=x\r\n", "Icons", "NEW", "x"},
        CfgCase{"LfLineEnds", "[Icons]\nNew=x\n", "Icons", "New", ""},
        CfgCase{"KeyIsAPrefixOfTheLine", "[Theme]\r\nNames=Other\r\n", "Theme", "Name", "Other"},
        CfgCase{"FirstMatchingLineWins", "[Theme]\r\nNamespace=a\r\nName=b\r\n", "Theme", "Name", "a"},
        CfgCase{"BetweenFirstAndSecondEquals", "[Icons]\r\nNew=a=b\r\n", "Icons", "New", "a"},
        CfgCase{"NoEquals", "[Icons]\r\nNew\r\n", "Icons", "New", ""},
        CfgCase{"TrimsSpacesThenDropsTabs", "[Icons]\r\nNew =  \t new png \t  \r\n", "Icons", "New",
                " new png "},
        CfgCase{"LastLineWithoutLineEnd", "[Theme]\r\nName=Last", "Theme", "Name", "Last"},
        CfgCase{"KeyOnTheHeaderLine", "[Icons]New=x\r\n", "Icons", "New", ""},
        CfgCase{"KeyInTheNextGroup", "[Icons]\r\nAdd=a\r\n[Buttons]\r\nNew=b\r\n", "Icons", "New", ""},
        CfgCase{"KeyInAnEarlierGroup", "[Buttons]\r\nNew=b\r\n[Icons]\r\nAdd=a\r\n", "Icons", "New", ""},
        CfgCase{"BracketEndsTheGroup", "[Icons]\r\nAdd=[x]\r\nNew=b\r\n", "Icons", "New", ""},
        CfgCase{"MissingGroup", "[Theme]\r\nNew=x\r\n", "Icons", "New", ""},
        CfgCase{"EmptyText", "", "Icons", "New", ""}),
    [](const ::testing::TestParamInfo<CfgCase>& param) { return param.param.label; });

}  // namespace
