#include "engine/naming.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

RunState RunFor(std::string input) {
    RunState run;
    run.inputFullPath = std::move(input);
    run.outputFolder = "/out/";
    run.outputFormat = "bmp";
    run.nameRandom = 42;
    run.nameCounter = 1;
    run.resultWidth = 800;
    run.resultHeight = 600;
    run.outputBitDepth = 24;
    return run;
}

ConversionSettings WithMask(std::string mask) {
    ConversionSettings s;
    s.advanced.filenameMask = std::move(mask);
    s.advanced.keepSubfolders = 1;
    return s;
}

struct MaskCase {
    const char* input;
    const char* mask;
    const char* name;
};

class FileNameMaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(FileNameMaskTest, ExpandsPlaceholdersInOrder) {
    EXPECT_EQ(ExpandFileNameMask(WithMask(GetParam().mask), RunFor(GetParam().input)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FileNameMaskTest,
    testing::Values(MaskCase{"/in/IMG_0042.CR2", "%filename%.%ext%", "IMG_0042.bmp"},
                    MaskCase{"/in/IMG_0042.CR2", "%FILENAME%_%EXT[U]%", "IMG_0042_BMP"},
                    MaskCase{"/in/IMG_0042.CR2", "Photo_%n%.%ext%", "photo_00001.bmp"},
                    MaskCase{"/in/IMG_0042.CR2", "%filename[t]%.%ext[t]%", "Img_0042.Bmp"},
                    MaskCase{"/in/IMG_0042.CR2", "%filename[l]%-%filename[u]%", "img_0042-IMG_0042"},
                    MaskCase{"/in/IMG_0042.CR2", "", "IMG_0042.bmp"},
                    MaskCase{"/in/IMG_0042.CR2", "%filename%", "IMG_0042"},
                    MaskCase{"/in/IMG_0042.CR2", "%width%x%height%_%bpp%_%rnd%", "800x600_24_00042"},
                    MaskCase{"/in/IMG_0042.CR2", "%unknown%.%ext%", "%unknown%.bmp"},
                    MaskCase{"/in/\xC3\x89t\xC3\xA9.nef", "%filename[u]%", "\xC3\x89T\xC3\x89"},
                    MaskCase{"/in/\xC3\xA9t\xC3\xA9.nef", "%filename[t]%", "\xC3\x89t\xC3\xA9"},
                    // Values are not expanded again by their own placeholder, but by later ones.
                    MaskCase{"/in/%filename%.cr2", "%filename%.%ext%", "%filename%.bmp"},
                    MaskCase{"/in/day%n%.cr2", "%filename%.%ext%", "day00001.bmp"},
                    // Backslashes are ordinary file-name characters here.
                    MaskCase{"/in/a\\b.nef", "%filename%.%ext%", "a\\b.bmp"}));

TEST(FileNameMaskTest, DatePlaceholdersHaveTheirWidths) {
    const std::string name =
        ExpandFileNameMask(WithMask("%yyyy%-%mm%-%dd% %hh%.%ii%.%ss%"), RunFor("/in/x.nef"));
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(\d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d)"))) << name;
}

TEST(BuildOutputPathTest, JoinsFolderSubfolderAndName) {
    RunState run = RunFor("/in/a/b/IMG.CR2");
    run.currentSubfolder = "a/b/";
    ConversionSettings s = WithMask("%filename%.%ext%");
    EXPECT_EQ(BuildOutputPath(s, run), "/out/a/b/IMG.bmp");
    s.advanced.keepSubfolders = 0;
    EXPECT_EQ(BuildOutputPath(s, run), "/out/IMG.bmp");
}

TEST(ExpandPlaceholderTest, MatchesWithoutCaseAndIgnoresUnknownPlaceholders) {
    const RunState run = RunFor("/in/x.nef");
    EXPECT_EQ(ExpandPlaceholder("%WIDTH% and %width%", "%width%", run), "800 and 800");
    EXPECT_EQ(ExpandPlaceholder("%eol%", "%eol%", run), "%eol%");
}

struct NameCase {
    const char* name;
    const char* stripped;
    const char* extension;
};

class ExtensionTest : public testing::TestWithParam<NameCase> {};

TEST_P(ExtensionTest, SplitsAtTheLastDot) {
    EXPECT_EQ(StripExtension(GetParam().name), GetParam().stripped);
    EXPECT_EQ(ExtensionOf(GetParam().name), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Names, ExtensionTest,
                         testing::Values(NameCase{"IMG_0042.CR2", "IMG_0042", "CR2"},
                                         NameCase{"archive.tar.gz", "archive.tar", "gz"},
                                         NameCase{"photo", "photo", ""}, NameCase{"photo.", "photo", ""},
                                         NameCase{".hidden", ".hidden", ""},
                                         NameCase{"/in/.raw", "/in/.raw", ""},
                                         NameCase{"my photo.jpg", "my photo", "jpg"},
                                         NameCase{"photo. jpg", "photo. jpg", ""},
                                         NameCase{"/in.d/photo", "/in.d/photo", ""}, NameCase{"", "", ""}));

TEST(NewNameRandomTest, StaysWithinFiveDigits) {
    for (int i = 0; i < 1000; ++i) {
        const int32_t value = NewNameRandom();
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 99999);
    }
}

TEST(PathPartsTest, SplitsAtTheLastSlash) {
    EXPECT_EQ(FileNameOf("/a/b/c.nef"), "c.nef");
    EXPECT_EQ(FolderOf("/a/b/c.nef"), "/a/b/");
    EXPECT_EQ(FileNameOf("c.nef"), "c.nef");
    EXPECT_EQ(FolderOf("c.nef"), "");
}

}  // namespace
