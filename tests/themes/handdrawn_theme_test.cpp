#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/support/temp_folder.h"
#include "themes/image_sets.h"

namespace {

// The keys the program asks a theme for.
const std::vector<std::string>& kButtonKeys = ButtonKeys();
const std::vector<std::string>& kIconKeys = IconKeys();
const std::vector<int> kToolbarSizes = {16, 24, 32, 48, 64};
const std::map<std::string, int> kButtonPixels = {{"Convert", 64}, {"InFiles", 48}, {"InFolder", 48}};

// Every entry of a zip archive by name; empty when it cannot be read.
std::map<std::string, std::string> ReadArchive(const std::string& path) {
    std::unique_ptr<archive, decltype(&archive_read_free)> zip(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(zip.get());
    std::map<std::string, std::string> entries;
    if (archive_read_open_filename(zip.get(), path.c_str(), 1 << 16) != ARCHIVE_OK) {
        return entries;
    }
    archive_entry* header = nullptr;
    while (archive_read_next_header(zip.get(), &header) == ARCHIVE_OK) {
        std::string bytes(static_cast<std::size_t>(archive_entry_size(header)), '\0');
        if (archive_read_data(zip.get(), bytes.data(), bytes.size()) !=
            static_cast<la_ssize_t>(bytes.size())) {
            return {};
        }
        entries[archive_entry_pathname(header)] = bytes;
    }
    return entries;
}

// group -> key -> value of a theme.cfg text with CR LF line ends.
using CfgGroups = std::map<std::string, std::map<std::string, std::string>>;

CfgGroups ParseCfg(const std::string& cfg) {
    CfgGroups groups;
    std::string group;
    for (std::size_t start = 0; start < cfg.size();) {
        const std::size_t end = std::min(cfg.find("\r\n", start), cfg.size());
        const std::string line = cfg.substr(start, end - start);
        start = end + 2;
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            group = line.substr(1, line.size() - 2);
        } else if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            groups[group][line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return groups;
}

// The window program's naming rule: a value without ".png" names one file per size.
std::string PictureFile(const std::string& value, int pixels) {
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (lower.find(".png") != std::string::npos) {
        return value;
    }
    return value + "_" + std::to_string(pixels) + ".png";
}

class HanddrawnTheme : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_entries = ReadArchive(KIVOTA_HANDDRAWN_ARCHIVE);
        s_cfg = s_entries["theme.cfg"];
        s_groups = ParseCfg(s_cfg);
    }

    // Fails unless `file` is in the archive and decodes as a `pixels` square PNG with alpha, a
    // transparent corner and something drawn.
    static void ExpectPicture(const std::string& file, int pixels) {
        SCOPED_TRACE(file);
        const auto entry = s_entries.find(file);
        ASSERT_NE(entry, s_entries.end());
        const QByteArray bytes = QByteArray::fromStdString(entry->second);
        const QImage picture = QImage::fromData(bytes, "PNG");
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), pixels);
        EXPECT_EQ(picture.height(), pixels);
        EXPECT_TRUE(picture.hasAlphaChannel());
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                opaque += qAlpha(picture.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, pixels * pixels / 8);
    }

    static std::map<std::string, std::string> s_entries;
    static std::string s_cfg;
    static CfgGroups s_groups;
};

std::map<std::string, std::string> HanddrawnTheme::s_entries;
std::string HanddrawnTheme::s_cfg;
CfgGroups HanddrawnTheme::s_groups;

TEST_F(HanddrawnTheme, CfgEndsEveryLineWithCrLf) {
    ASSERT_FALSE(s_cfg.empty());
    EXPECT_TRUE(s_cfg.ends_with("\r\n"));
    for (std::size_t i = 0; i < s_cfg.size(); ++i) {
        if (s_cfg[i] == '\n') {
            EXPECT_TRUE(i > 0 && s_cfg[i - 1] == '\r') << "bare LF at " << i;
        }
        if (s_cfg[i] == '\r') {
            EXPECT_TRUE(i + 1 < s_cfg.size() && s_cfg[i + 1] == '\n') << "bare CR at " << i;
        }
    }
}

TEST_F(HanddrawnTheme, DisplayNameLiesWithinTheFirst255Bytes) {
    const CfgGroups head = ParseCfg(s_cfg.substr(0, 255));
    ASSERT_TRUE(head.contains("Theme"));
    EXPECT_EQ(head.at("Theme").at("Name"), "Hand Drawn");
    // The value must be complete there, not cut off by the limit.
    EXPECT_NE(s_cfg.substr(0, 255).find("Name=Hand Drawn\r\n"), std::string::npos);
}

TEST_F(HanddrawnTheme, CfgNamesAPictureForEveryKey) {
    for (const std::string& key : kButtonKeys) {
        EXPECT_FALSE(s_groups["Buttons"][key].empty()) << "Buttons/" << key;
    }
    for (const std::string& key : kIconKeys) {
        EXPECT_FALSE(s_groups["Icons"][key].empty()) << "Icons/" << key;
    }
}

TEST_F(HanddrawnTheme, ButtonsArePicturesOfTheirSize) {
    for (const std::string& key : kButtonKeys) {
        // Buttons are looked up with the size text "16" when the value does not name a file.
        ExpectPicture(PictureFile(s_groups["Buttons"][key], 16), kButtonPixels.at(key));
    }
}

TEST_F(HanddrawnTheme, IconsArePicturesOfEveryToolbarSize) {
    for (const std::string& key : kIconKeys) {
        for (int pixels : kToolbarSizes) {
            ExpectPicture(PictureFile(s_groups["Icons"][key], pixels), pixels);
        }
    }
}

TEST_F(HanddrawnTheme, HoldsNothingButTheCfgAndItsPictures) {
    std::map<std::string, std::string> unused = s_entries;
    unused.erase("theme.cfg");
    for (const std::string& key : kButtonKeys) {
        unused.erase(PictureFile(s_groups["Buttons"][key], 16));
    }
    for (const std::string& key : kIconKeys) {
        for (int pixels : kToolbarSizes) {
            unused.erase(PictureFile(s_groups["Icons"][key], pixels));
        }
    }
    for (const auto& [name, bytes] : unused) {
        ADD_FAILURE() << "unused entry " << name;
    }
}

TEST(HanddrawnThemeGenerator, DrawsTheSameBytesEveryRun) {
    TempFolder folder;
    ASSERT_EQ(RunProgram(KIVOTA_MAKE_HANDDRAWN, {folder / "first.zip"}).exitCode, 0);
    ASSERT_EQ(RunProgram(KIVOTA_MAKE_HANDDRAWN, {folder / "second.zip"}).exitCode, 0);
    const std::string first = ReadBytes(folder / "first.zip");
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == ReadBytes(folder / "second.zip"));
    EXPECT_TRUE(first == ReadBytes(KIVOTA_HANDDRAWN_ARCHIVE)) << "the built archive is out of date";
}

TEST(HanddrawnThemeGenerator, FailsAndLeavesNothingWhenTheArchiveCannotBeWritten) {
    TempFolder folder;
    for (const std::string& target : {folder / "missing/handdrawn.zip", folder.path()}) {
        const ProgramResult result = RunProgram(KIVOTA_MAKE_HANDDRAWN, {target});
        EXPECT_EQ(result.exitCode, 1) << target;
        EXPECT_FALSE(result.err.empty()) << target;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
