#include "platform/files.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ReplacingFileTest, ReplacesTheTargetOnlyOnCommit) {
    TempFolder temp;
    WriteBytes(temp / "target", "old");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Create(temp / "target"));
        EXPECT_EQ(ReadBytes(temp / "target"), "old");
        // Abandoned without a commit: the target stays, the temporary file goes.
    }
    EXPECT_EQ(ReadBytes(temp / "target"), "old");
    EXPECT_FALSE(PathExists(temp / "target.tmp"));

    ReplacingFile file;
    ASSERT_TRUE(file.Create(temp / "target"));
    EXPECT_TRUE(file.WriteAndCommit("new"));
    EXPECT_EQ(ReadBytes(temp / "target"), "new");
    EXPECT_FALSE(PathExists(temp / "target.tmp"));
}

TEST(ReplacingFileTest, FailedRenameKeepsTheTargetAndRemovesTheTemporary) {
    TempFolder temp;
    ASSERT_TRUE(CreateFolder(temp / "target"));
    WriteBytes(temp / "target/inside", "kept");
    ReplacingFile file;
    ASSERT_TRUE(file.Create(temp / "target"));
    EXPECT_FALSE(file.WriteAndCommit("new"));
    EXPECT_EQ(ReadBytes(temp / "target/inside"), "kept");
    EXPECT_FALSE(PathExists(temp / "target.tmp"));
}

TEST(ReplacingFileTest, UniqueTemporaryLeavesOtherNamesAlone) {
    TempFolder temp;
    WriteBytes(temp / "photo.bmp.tmp", "a user's file");
    ReplacingFile file;
    ASSERT_TRUE(file.CreateUnique(temp / "photo.bmp"));
    EXPECT_NE(file.TemporaryPath(), temp / "photo.bmp.tmp");
    EXPECT_TRUE(file.TemporaryPath().starts_with(temp / ".photo.bmp."));
    EXPECT_TRUE(file.Write("pixels"));
    EXPECT_TRUE(file.Commit(ReplacingFile::Flush::No));
    EXPECT_EQ(ReadBytes(temp / "photo.bmp"), "pixels");
    EXPECT_EQ(ReadBytes(temp / "photo.bmp.tmp"), "a user's file");
    EXPECT_FALSE(file.CreateUnique(temp / "missing/photo.bmp"));
}

TEST(ReadRegularFileTest, ReadsWithinTheLimitOnly) {
    TempFolder temp;
    WriteBytes(temp / "file", "12345");
    EXPECT_EQ(ReadRegularFile(temp / "file", 5), "12345");
    EXPECT_EQ(ReadRegularFile(temp / "file", 4), std::nullopt);
    EXPECT_EQ(ReadRegularFile(temp.path(), 100), std::nullopt);
    EXPECT_EQ(ReadRegularFile("/dev/null", 100), std::nullopt);
}

}  // namespace
