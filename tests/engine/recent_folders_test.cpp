#include "engine/recent_folders.h"

#include <gtest/gtest.h>

namespace {

Settings WithFolders(std::string list, int number = 5) {
    Settings s;
    s.app.file.recentOutFolders = std::move(list);
    s.conversion.advanced.outFoldersNumber = static_cast<int8_t>(number);
    return s;
}

TEST(RecentOutputFolderTest, ReadsTrimmedEntries) {
    const Settings s = WithFolders("/a/\t  /b/ \t\t/d/");
    EXPECT_EQ(RecentOutputFolder(s, 0), "/a/");
    EXPECT_EQ(RecentOutputFolder(s, 1), "/b/");
    EXPECT_EQ(RecentOutputFolder(s, 2), "");
    EXPECT_EQ(RecentOutputFolder(s, 3), "/d/");
    EXPECT_EQ(RecentOutputFolder(s, 4), "");
}

TEST(AddRecentOutputFolderTest, PutsTheFolderFirstAndDropsTheOldest) {
    Settings s = WithFolders("/1/\t/2/\t/3/\t/4/\t/5/");
    EXPECT_TRUE(AddRecentOutputFolder(s, "/6/"));
    EXPECT_EQ(s.app.file.recentOutFolders, "/6/\t/1/\t/2/\t/3/\t/4/");
}

TEST(AddRecentOutputFolderTest, MovesAnExistingEntryToTheFront) {
    Settings s = WithFolders("/1/\t/2/\t/3/");
    EXPECT_TRUE(AddRecentOutputFolder(s, "/3/"));
    EXPECT_EQ(s.app.file.recentOutFolders, "/3/\t/1/\t/2/");
}

TEST(AddRecentOutputFolderTest, FoldersDifferingInCaseAreDifferentFolders) {
    Settings s = WithFolders("/photos/\t/2/");
    EXPECT_TRUE(AddRecentOutputFolder(s, "/Photos/"));
    EXPECT_EQ(s.app.file.recentOutFolders, "/Photos/\t/photos/\t/2/");
}

TEST(AddRecentOutputFolderTest, RefusesEmptyFoldersAndLineBreaks) {
    Settings s = WithFolders("/1/");
    EXPECT_FALSE(AddRecentOutputFolder(s, ""));
    EXPECT_FALSE(AddRecentOutputFolder(s, "/a\tb/"));
    EXPECT_FALSE(AddRecentOutputFolder(s, "/a\nb/"));
    EXPECT_FALSE(AddRecentOutputFolder(s, "/a\rb/"));
    EXPECT_EQ(s.app.file.recentOutFolders, "/1/");
}

TEST(AddRecentOutputFolderTest, KeepsAtMostTheConfiguredNumber) {
    Settings one = WithFolders("/1/\t/2/", 1);
    EXPECT_TRUE(AddRecentOutputFolder(one, "/3/"));
    EXPECT_EQ(one.app.file.recentOutFolders, "/3/");
    Settings none = WithFolders("/1/", 0);
    EXPECT_TRUE(AddRecentOutputFolder(none, "/3/"));
    EXPECT_EQ(none.app.file.recentOutFolders, "/3/");
}

}  // namespace
