#include "engine/job_list.h"

#include <gtest/gtest.h>

#include "engine/format_catalogue.h"
#include "tests/support/temp_folder.h"

namespace {

class JobListTest : public testing::Test {
  protected:
    void SetUp() override {
        catalogue.BuildFormatCatalogue();
        catalogue.BuildAcceptedInputExtensions();
    }
    std::string File(std::string_view name, std::string_view bytes = "data") {
        WriteBytes(temp / name, bytes);
        return temp / name;
    }
    TempFolder temp;
    FormatCatalogue catalogue;
    RunState run;
    JobList jobs;
};

TEST_F(JobListTest, HoldsOneJobAtATime) {
    ASSERT_TRUE(jobs.AddJob(File("a.nef"), run, catalogue));
    ASSERT_TRUE(jobs.AddJob(File("IMG.CR2"), run, catalogue));
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].inputPath, temp / "IMG.CR2");
    EXPECT_EQ(jobs.Jobs()[0].present, 1);
    EXPECT_EQ(jobs.Jobs()[0].subfolder, "");
}

TEST_F(JobListTest, RefusesEmptyFilesAndOtherExtensionsLeavingTheList) {
    ASSERT_TRUE(jobs.AddJob(File("keep.dng"), run, catalogue));
    EXPECT_FALSE(jobs.AddJob(File("empty.nef", ""), run, catalogue));
    EXPECT_FALSE(jobs.AddJob(File("photo.jpg"), run, catalogue));
    EXPECT_FALSE(jobs.AddJob(File("photo.tif"), run, catalogue));
    EXPECT_FALSE(jobs.AddJob(File("noextension"), run, catalogue));
    ASSERT_EQ(jobs.Jobs().size(), 1u);
    EXPECT_EQ(jobs.Jobs()[0].inputPath, temp / "keep.dng");
    // A missing file with a good extension is accepted and fails later.
    EXPECT_TRUE(jobs.AddJob(temp / "missing.nef", run, catalogue));
}

TEST(RelativeSubfolderTest, RemovesTheBaseFromTheFolder) {
    EXPECT_EQ(RelativeSubfolder("/in/a/b/x.cr2", "/in/"), "a/b/");
    EXPECT_EQ(RelativeSubfolder("/in/a/b/x.cr2", "/other/"), "");
    EXPECT_EQ(RelativeSubfolder("/in/a/b/x.cr2", ""), "");
    EXPECT_EQ(RelativeSubfolder("", "/in/"), "");
    EXPECT_EQ(RelativeSubfolder("/IN/a/x.cr2", "/in/"), "");
}

}  // namespace
