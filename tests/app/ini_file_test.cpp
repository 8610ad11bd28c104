#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace {

class IniReaderTest : public testing::Test {
  protected:
    // Opens an INI file holding exactly `bytes`.
    void Open(std::string_view bytes) {
        WriteBytes(temp / "test.ini", bytes);
        ASSERT_TRUE(ini.OpenIni(temp / "test.ini"));
    }
    TempFolder temp;
    IniFile ini;
};

TEST_F(IniReaderTest, SplitsLinesAtCrLfOrBoth) {
    Open("[A]\rone=1\ntwo=2\r\nthree=3\n\r\n\nfour=4");
    ini.SelectGroup("A");
    EXPECT_EQ(ini.ReadIniInteger("one", 0), 1);
    EXPECT_EQ(ini.ReadIniInteger("two", 0), 2);
    EXPECT_EQ(ini.ReadIniInteger("three", 0), 3);
    EXPECT_EQ(ini.ReadIniInteger("four", 0), 4);
}

TEST_F(IniReaderTest, IgnoresCaseAndLeadingBlanksAndKeepsCommentsOut) {
    Open(" \t[input]\r\n\t; RAW Load As = 9\r\n  raw load as \t=  3\r\n;comment = 1\r\n");
    ini.SelectGroup("Input");
    EXPECT_EQ(ini.ReadIniInteger("RAW Load As", 0), 3);
    EXPECT_EQ(ini.ReadIniText("; RAW Load As", "missing"), "missing");
    EXPECT_EQ(ini.ReadIniText(";comment", "missing"), "missing");
}

TEST_F(IniReaderTest, FirstGroupAndFirstKeyWin) {
    Open("[G]\r\nk = first\r\nk = second\r\n[g]\r\nk = other group\r\nonly = later\r\n");
    ini.SelectGroup("G");
    EXPECT_EQ(ini.ReadIniText("K", ""), "first");
    EXPECT_EQ(ini.ReadIniText("only", "default"), "default");
}

TEST_F(IniReaderTest, TrimsValuesButKeepsInnerBlanks) {
    Open(
        "[Output]\r\nJPG Quality =     80     \r\n[Advanced]\r\nFilename Mask = photo %n%  \t \r\nEmpty "
        "=\r\n");
    ini.SelectGroup("Output");
    EXPECT_EQ(ini.ReadIniInteger("JPG Quality", 0), 80);
    ini.SelectGroup("Advanced");
    EXPECT_EQ(ini.ReadIniText("Filename Mask", ""), "photo %n%");
    EXPECT_EQ(ini.ReadIniText("Empty", "default"), "");
    EXPECT_EQ(ini.ReadIniInteger("Empty", 7), 0);
}

TEST_F(IniReaderTest, ReadsNumbersLikeTheDocumentSays) {
    Open(
        "[N]\r\na = -12x\r\nb = x12\r\nc = 99999999999\r\nd = 1.5\r\ne = -infinity\r\nf = NaN\r\ng = "
        "2,5\r\n");
    ini.SelectGroup("N");
    EXPECT_EQ(ini.ReadIniInteger("a", 0), -12);
    EXPECT_EQ(ini.ReadIniInteger("b", 5), 0);
    EXPECT_EQ(ini.ReadIniInteger("c", 0), static_cast<int32_t>(99999999999LL & 0xFFFFFFFF));
    EXPECT_FLOAT_EQ(ini.ReadIniReal("d", 0), 1.5f);
    EXPECT_TRUE(std::isinf(ini.ReadIniReal("e", 0)));
    EXPECT_TRUE(std::isnan(ini.ReadIniReal("f", 0)));
    EXPECT_FLOAT_EQ(ini.ReadIniReal("g", 0), 2.0f);
    EXPECT_FLOAT_EQ(ini.ReadIniReal("missing", 0.25f), 0.25f);
}

TEST_F(IniReaderTest, KeysBeforeTheFirstGroupBelongToTheEmptyGroup) {
    Open("loose = 1\r\n[G]\r\nkey = 2\r\n");
    ini.SelectGroup("G");
    EXPECT_EQ(ini.ReadIniInteger("loose", 0), 0);
    ini.SelectGroup("");
    EXPECT_EQ(ini.ReadIniInteger("loose", 0), 1);
    EXPECT_EQ(ini.ReadIniInteger("key", 0), 0);
}

TEST_F(IniReaderTest, DecodesByTheByteOrderMark) {
    Open("[G]\r\nname = caf\xE9\r\n");
    ini.SelectGroup("G");
    EXPECT_EQ(ini.ReadIniText("name", ""), "caf\xC3\xA9");
    Open("\xEF\xBB\xBF[G]\r\nname = caf\xC3\xA9\r\n");
    ini.SelectGroup("G");
    EXPECT_EQ(ini.ReadIniText("name", ""), "caf\xC3\xA9");
}

TEST_F(IniReaderTest, WalksTheKeysOfTheSelectedGroup) {
    Open(
        "[CLI]\r\n--JPG-QUALITY = 80 \r\n; note\r\nnot a key "
        "line\r\n--WIDTH=$20\r\n--JPG-QUALITY=90\r\n[Other]\r\nx=1\r\n");
    ini.SelectGroup("cli");
    std::vector<std::pair<std::string, std::string>> seen;
    while (auto kv = ini.NextIniKey()) {
        seen.emplace_back(kv->key, kv->value);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"--JPG-QUALITY", "80"}, {"--WIDTH", "$20"}, {"--JPG-QUALITY", "90"}};
    EXPECT_EQ(seen, expected);
    ini.SelectGroup("CLI");
    EXPECT_EQ(ini.NextIniKey()->value, "80");
    ini.SelectGroup("Missing");
    EXPECT_FALSE(ini.NextIniKey());
}

TEST_F(IniReaderTest, OpensOnlyRegularFilesOfBoundedSize) {
    EXPECT_FALSE(ini.OpenIni(temp / "missing.ini"));
    EXPECT_FALSE(ini.OpenIni(temp.path()));
    EXPECT_FALSE(ini.OpenIni("/dev/zero"));
    ASSERT_EQ(mkfifo((temp / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ini.OpenIni(temp / "fifo"));
    WriteBytes(temp / "huge.ini", std::string(IniFile::kMaxFileBytes + 1, ' '));
    EXPECT_FALSE(ini.OpenIni(temp / "huge.ini"));
    WriteBytes(temp / "empty.ini", "");
    EXPECT_TRUE(ini.OpenIni(temp / "empty.ini"));
}

class IniWriterTest : public testing::Test {
  protected:
    TempFolder temp;
    IniFile ini;
};

TEST_F(IniWriterTest, WritesTheDocumentedLayout) {
    ASSERT_TRUE(ini.CreateIni(temp / "out.ini"));
    ini.SelectGroup("General");
    ini.WriteIniInteger("CFG", 17);
    ini.WriteIniText("Language", "en");
    ini.WriteIniComment("");
    ini.SelectGroup("Empty");
    ini.WriteIniComment("");
    ini.SelectGroup("Adjustment");
    ini.WriteIniReal("Image Gamma", 1.5f);
    ini.WriteIniText("Text", "two\r\nlines\nhere");
    ini.WriteIniInteger("Negative", -56);
    ini.SelectGroup("General");
    ini.WriteIniText("Language", "fr");
    ini.WriteIniText("Added", "x");
    ASSERT_TRUE(ini.CloseIni());
    EXPECT_EQ(ReadBytes(temp / "out.ini"),
              "\xEF\xBB\xBF\r\n[General]\r\nCFG = 17\r\nLanguage = fr\r\n; \r\nAdded = x\r\n[Empty]\r\n; \r\n"
              "[Adjustment]\r\nImage Gamma = 1.500000\r\nText = two lines here\r\nNegative = -56\r\n");
    EXPECT_FALSE(PathExists(temp / "out.ini.tmp"));
}

TEST_F(IniWriterTest, KeepsTheOldFileWhenTheNewOneCannotBeWritten) {
    WriteBytes(temp / "config.ini", "old");
    // A folder standing where the temporary file would go.
    ASSERT_EQ(mkdir((temp / "config.ini.tmp").c_str(), 0700), 0);
    EXPECT_FALSE(ini.CreateIni(temp / "config.ini"));
    EXPECT_EQ(ReadBytes(temp / "config.ini"), "old");
    EXPECT_FALSE(ini.CreateIni(temp / "no such folder/config.ini"));
}

}  // namespace
