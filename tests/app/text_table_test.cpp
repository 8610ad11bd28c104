#include "app/text_table.h"

#include <gtest/gtest.h>

namespace {

class TextTableTest : public testing::Test {
  protected:
    void SetUp() override { table.Load(BuiltinTexts()); }
    TextTable table;
};

TEST_F(TextTableTest, HoldsEightGroupsAnd319Entries) {
    EXPECT_EQ(table.GroupCount(), 8);
    EXPECT_EQ(table.EntryCount(), 319);
}

struct Lookup {
    const char* group;
    const char* key;
    const char* text;
};

class TextLookupTest : public TextTableTest, public testing::WithParamInterface<Lookup> {};

TEST_P(TextLookupTest, FindsTextByGroupAndKey) {
    EXPECT_EQ(table.LocalText(GetParam().group, GetParam().key), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TextLookupTest,
    testing::Values(
        Lookup{"msg", "empty INPUT files",
               "No input file(s) found. Please, add valid file(s) and try again!"},
        Lookup{"General", "Input File", "Input File:"}, Lookup{"General", "Input Files", "Input Files:"},
        Lookup{"Menu", "Check For New Version", "Check For a New Version"},
        Lookup{"Msg", "Invalid output folder",
               "The following output folder is invalid or doesn't exist:\r\n%s1%\r\n\r\nPlease, correct the "
               "output "
               "path and try again!"},
        Lookup{"Preferences", "Medium", "Medium"}, Lookup{"Preferences", "Strikeout", "Strikethrough"},
        Lookup{"Preferences", "Clean Recent Files", "Clean Recent Files List on Exit"},
        Lookup{"Msg", "Clean recent files", "Clean Recent Files"},
        Lookup{"custom-converter", "TITLE", "Find a File Converter"}, Lookup{"Uninstall", "Next", "Next"},
        // Not found: a key of another group, an empty key, an unknown group, a character beyond the index.
        Lookup{"Menu", "Ready", "%NO_STRING_ERROR%"}, Lookup{"Menu", "", "%NO_STRING_ERROR%"},
        Lookup{"Nothing", "Title", "%NO_STRING_ERROR%"}, Lookup{"Menu", "\xC4\x80xit", "%NO_STRING_ERROR%"},
        Lookup{"Menu", "Exits", "%NO_STRING_ERROR%"}, Lookup{"Menu", "Exi", "%NO_STRING_ERROR%"}));

TEST_F(TextTableTest, EveryBuiltinEntryIsFoundUnderItsOwnGroup) {
    std::string group;
    for (const TextPair& pair : BuiltinTexts()) {
        const std::string_view first = pair.first;
        if (first == "_END_") {
            break;
        }
        if (first == "_GROUP_") {
            group = pair.second;
            continue;
        }
        EXPECT_EQ(table.LocalText(group, pair.first), pair.second) << group << "/" << pair.first;
    }
}

TEST_F(TextTableTest, RemembersTheGroupOfTheLastLookup) {
    EXPECT_EQ(table.CurrentGroup(), 0);
    table.LocalText("Msg", "Error");
    const int msg = table.CurrentGroup();
    EXPECT_NE(msg, 0);
    table.LocalText("MSG", "Warning");
    EXPECT_EQ(table.CurrentGroup(), msg);
    table.LocalText("Menu", "Exit");
    EXPECT_NE(table.CurrentGroup(), msg);
    table.LocalText("Unknown", "Exit");
    EXPECT_EQ(table.CurrentGroup(), 0);
}

TEST(FillPlaceholdersTest, FillsInOrderAndLeavesEmptyValues) {
    EXPECT_EQ(FillPlaceholders("(%s1%/%s2%)", "3", "10"), "(3/10)");
    EXPECT_EQ(FillPlaceholders("(%s1%/%s2%)", "3", ""), "(3/%s2%)");
    EXPECT_EQ(FillPlaceholders("%S1% and %s1%", "x"), "x and x");
    EXPECT_EQ(FillPlaceholders("", "x"), "");
    // Later steps see what earlier ones inserted; a value holding its own placeholder is not
    // expanded again.
    EXPECT_EQ(FillPlaceholders("%s1%", "a%s2%", "b"), "ab");
    EXPECT_EQ(FillPlaceholders("%s2%", "a", "%s2%"), "%s2%");
    EXPECT_EQ(FillPlaceholders("%s1%-%s4%", "1", "2", "3", "4"), "1-4");
}

TEST(ProcessTextTableTest, LoadsTheBuiltinTexts) {
    LoadTextTable();
    EXPECT_EQ(LocalText("Msg", "Progress"), "(%s1%/%s2%)");
    EXPECT_EQ(FillPlaceholders(LocalText("Msg", "Files converted"), "1", "1"), "Files converted: 1 of 1");
}

}  // namespace
