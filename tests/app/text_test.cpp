#include "app/text.h"

#include <gtest/gtest.h>

namespace {

TEST(TextTest, MapsCaseOverTheWholeUnicodeRange) {
    EXPECT_EQ(UnicodeUpper("\xC3\xA9t\xC3\xA9 \xCE\xA9\xCF\x89"), "\xC3\x89T\xC3\x89 \xCE\xA9\xCE\xA9");
    EXPECT_EQ(UnicodeLower("IMG_\xC3\x89"), "img_\xC3\xA9");
    EXPECT_EQ(UnicodeTitle("\xC3\xA9LAN.CR2"), "\xC3\x89lan.cr2");
    // Simple mapping: the sharp s keeps its one character.
    EXPECT_EQ(UnicodeUpper("stra\xC3\x9F"
                           "e"),
              "STRA\xC3\x9F"
              "E");
    // A character beyond the basic plane (Deseret) and a malformed byte.
    EXPECT_EQ(UnicodeUpper("\xF0\x90\x90\xA8"), "\xF0\x90\x90\x80");
    EXPECT_EQ(UnicodeUpper("a\xFF"), "A\xEF\xBF\xBD");
    EXPECT_EQ(UnicodeTitle(""), "");
}

TEST(TextTest, OrdersByUtf16CodeUnits) {
    EXPECT_LT(CompareUtf16("A", "B"), 0);
    EXPECT_LT(CompareUtf16("KEY\x01", "KEY "), 0);
    // U+FF21 sorts after a supplementary character in code-point order but before it in UTF-16.
    EXPECT_GT(CompareUtf16("\xEF\xBC\xA1", "\xF0\x90\x90\x80"), 0);
    EXPECT_EQ(CompareUtf16("\xC3\xA9", "\xC3\xA9"), 0);
    EXPECT_EQ(Utf16Units("\xF0\x90\x90\x80"), (std::u16string{0xD801, 0xDC00}));
}

TEST(TextTest, ReplacesWithoutCaseAndWithoutRescanningValues) {
    EXPECT_EQ(ReplaceIgnoreAsciiCase("a%X%b%x%", "%x%", "[%x%]"), "a[%x%]b[%x%]");
    EXPECT_EQ(ReplaceIgnoreAsciiCase("abc", "", "z"), "abc");
}

TEST(TextTest, SmallHelpers) {
    EXPECT_EQ(Latin1ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(TrimBlanks(" \t x y \t"), "x y");
    EXPECT_EQ(WithoutEndQuotes("\"\"a b\""), "a b");
    EXPECT_EQ(WithoutEndQuotes("\""), "");
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Raw Load As", "RAW LOAD AS"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\xA9", "\xC3\x89"));
}

}  // namespace
