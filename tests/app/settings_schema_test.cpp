#include "app/settings_schema.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/text.h"

namespace {

// The field behind each row has the width its kind allows.
bool FieldFitsKind(const SettingDef& s) {
    Settings settings;
    const FieldRef ref = s.field(settings);
    switch (s.kind) {
        case SettingKind::Flag:
            return std::holds_alternative<int8_t*>(ref);
        case SettingKind::Integer:
        case SettingKind::Code:
            return std::holds_alternative<int8_t*>(ref) || std::holds_alternative<int32_t*>(ref);
        case SettingKind::Date:
            return std::holds_alternative<int32_t*>(ref);
        case SettingKind::Real:
            return std::holds_alternative<float*>(ref);
        case SettingKind::Text:
        case SettingKind::Colour:
        case SettingKind::ColourList:
            return std::holds_alternative<std::string*>(ref);
    }
    return false;
}

TEST(SettingsSchemaTest, RowsAreConsistent) {
    std::set<std::string> keys;
    std::set<std::string> switches;
    std::set<const void*> fields;
    Settings settings;
    for (const SettingDef& s : SettingsSchema()) {
        const std::string name = std::string(s.group) + "/" + s.key;
        EXPECT_TRUE(keys.insert(name).second) << "twice: " << name;
        EXPECT_TRUE(FieldFitsKind(s)) << name;
        const FieldRef ref = s.field(settings);
        EXPECT_TRUE(
            fields.insert(std::visit([](auto* p) { return static_cast<const void*>(p); }, ref)).second)
            << "shares a field: " << name;
        if (const char* sw = s.option.name) {
            EXPECT_TRUE(switches.insert(sw).second) << "switch twice: " << sw;
            EXPECT_EQ(std::string(sw).substr(0, 2), "--") << sw;
            EXPECT_EQ(AsciiUpper(sw), sw) << sw;
            EXPECT_EQ(s.option.value == OptionValue::Name, !s.option.names.empty()) << sw;
        }
        if (s.option.alsoKey) {
            EXPECT_NE(FindSetting(s.group, s.option.alsoKey), nullptr)
                << name << " also " << s.option.alsoKey;
        }
    }
    // Every option switch of the command line, and no other.
    EXPECT_EQ(switches.size(), 102u);
}

TEST(SettingsSchemaTest, FindsRowsByKeyAndSwitch) {
    const SettingDef* gamma = FindSetting("Adjustment", "Image Gamma");
    ASSERT_NE(gamma, nullptr);
    EXPECT_EQ(gamma->kind, SettingKind::Real);
    EXPECT_EQ(FindSetting("adjustment", "Image Gamma"), nullptr);
    const SettingDef* width = FindOptionSwitch("--WIDTH");
    ASSERT_NE(width, nullptr);
    EXPECT_STREQ(width->key, "Image Width");
    EXPECT_STREQ(width->option.alsoKey, "Do Image Resize");
    EXPECT_EQ(FindOptionSwitch("--width"), nullptr);
    EXPECT_EQ(FindOptionSwitch("--INPUT"), nullptr);
    EXPECT_STREQ(FindOptionSwitch("--NO-SUBFOLDERS")->key, "Keep Subfolders");
    EXPECT_EQ(FindOptionSwitch("--NO-SUBFOLDERS")->option.fixedValue, 0);
}

struct NameCase {
    const char* switchName;
    const char* value;
    int32_t code;
};

class ValueNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(ValueNameTest, LooksUpNamesWithoutCase) {
    const SettingDef* s = FindOptionSwitch(GetParam().switchName);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(LookupValueName(s->option.names, GetParam().value), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ValueNameTest,
    testing::Values(NameCase{"--RAW-LOAD-AS", "48hs", 4}, NameCase{"--RAW-LOAD-AS", "48", 5},
                    NameCase{"--RAW-LOAD-AS", "32", 0}, NameCase{"--WM-TEXT-POSITION", "bottomright", 8},
                    NameCase{"--WM-TEXT-POSITION", "bottom-right", 0},
                    NameCase{"--BMP-COMPRESSION", "zip", 1}, NameCase{"--BMP-COMPRESSION", "LZW", 6},
                    NameCase{"--PNG-COMPRESSION", "rle", 1}, NameCase{"--WM-FONT-EFFECT", "strikethrough", 0},
                    NameCase{"--WM-FONT-EFFECT", "strikethrought", 2},
                    NameCase{"--WM-TEXT-SIZE", "proportional", 0}, NameCase{"--TIFF-COLOR-MODEL", "Lab", 2},
                    NameCase{"--FILE-TIMESTAMP", "custom", 2}));

TEST(ValueKeywordTest, GivesLowerCaseKeywordsOrNothing) {
    EXPECT_EQ(ValueKeyword(*FindSetting("Input", "RAW Load As"), 4), "48hs");
    EXPECT_EQ(ValueKeyword(*FindSetting("Output", "BMP Compression"), 1), "rle");
    EXPECT_EQ(ValueKeyword(*FindSetting("Output", "BMP Compression"), 2), "");
    EXPECT_EQ(ValueKeyword(*FindSetting("Frame", "Do Frame"), 1), "solid");
    EXPECT_EQ(ValueKeyword(*FindSetting("Watermark", "Do Watermark"), 2), "image");
    EXPECT_EQ(ValueKeyword(*FindSetting("Watermark", "Font Effect"), 2), "strikethrought");
    EXPECT_EQ(ValueKeyword(*FindSetting("Watermark", "Image Position"), 7), "bottomcenter");
    EXPECT_EQ(ValueKeyword(*FindSetting("Transform", "Image Resize Type"), 1), "largeimages");
    EXPECT_EQ(ValueKeyword(*FindSetting("Advanced", "File Timestamp"), 3), "");
}

TEST(SettingAccessTest, EightBitSettingsKeepTheLowByte) {
    Settings s;
    const SettingDef& number = *FindSetting("Advanced", "Out Folders Number");
    SetNumber(s, number, 300);
    EXPECT_EQ(s.conversion.advanced.outFoldersNumber, 44);
    SetNumber(s, number, 200);
    EXPECT_EQ(GetNumber(s, number), -56);
    const SettingDef& width = *FindSetting("Transform", "Image Width");
    SetNumber(s, width, 0x100000005LL);
    EXPECT_EQ(s.conversion.transform.imageWidth, 5);
}

}  // namespace
