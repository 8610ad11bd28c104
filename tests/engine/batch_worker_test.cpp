#include "engine/batch_worker.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/encoding.h"
#include "engine/format_catalogue.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "tests/support/conversion_run.h"
#include "tests/support/dng_writer.h"
#include "tests/support/temp_folder.h"

namespace {

class BatchWorkerTest : public testing::Test {
  protected:
    BatchWorkerTest() {
        ApplyDefaultSettings(all, true, std::nullopt, 0);
        catalogue.BuildFormatCatalogue();
        catalogue.BuildAcceptedInputExtensions();
        run = RunWritingTo(temp.path());
        StartRunEncoding(all.conversion, run);
        WriteDng(temp / "photo.dng", DngOptions{});
    }

    // Runs the worker on its own thread, as the front ends do, and waits for it.
    void RunWorker() {
        const StageContext context{all.conversion, run, catalogue};
        std::thread worker(BatchWorker, std::cref(jobs), std::ref(progress), std::cref(context));
        worker.join();
    }

    TempFolder temp;
    Settings all;
    RunState run;
    FormatCatalogue catalogue;
    JobList jobs;
    ProgressCounters progress;
};

TEST_F(BatchWorkerTest, ConvertsTheJobAndCountsOn) {
    ASSERT_TRUE(jobs.AddJob(temp / "photo.dng", run, catalogue));
    all.conversion.advanced.filenameMask = "%n%-%filename%";
    progress.Reset();
    RunWorker();
    EXPECT_EQ(progress.convertedCount, 1);
    EXPECT_EQ(progress.currentIndex, 1);
    EXPECT_EQ(progress.currentFile, temp / "photo.dng");
    EXPECT_EQ(run.inputFullPath, temp / "photo.dng");
    EXPECT_EQ(run.outputPath, temp / "00001-photo");
    EXPECT_GT(FileSize(temp / "00001-photo"), 0);
    EXPECT_EQ(run.nameCounter, 2);
    EXPECT_GE(run.nameRandom, 1);
    EXPECT_LE(run.nameRandom, 99999);
}

TEST_F(BatchWorkerTest, AFailedJobChangesNoCounter) {
    ASSERT_TRUE(jobs.AddJob(temp / "missing.nef", run, catalogue));
    progress.Reset();
    RunWorker();
    EXPECT_EQ(progress.convertedCount, 0);
    EXPECT_EQ(progress.currentIndex, 1);
    EXPECT_EQ(run.nameCounter, 1);
    EXPECT_EQ(run.nameRandom, 42);
}

TEST_F(BatchWorkerTest, StoppedBeforeItsFirstJobItConvertsNothing) {
    ASSERT_TRUE(jobs.AddJob(temp / "photo.dng", run, catalogue));
    progress.Reset();
    progress.RequestStop();
    RunWorker();
    EXPECT_EQ(progress.convertedCount, 0);
    EXPECT_EQ(progress.currentIndex, 0);
    EXPECT_EQ(FileSize(temp / "photo.bmp"), -1);
}

TEST_F(BatchWorkerTest, StampsTheOutputWithTheChosenTime) {
    ASSERT_TRUE(jobs.AddJob(temp / "photo.dng", run, catalogue));
    all.conversion.advanced.fileTimestamp = 2;
    all.conversion.advanced.customTimestamp = DateNumberFromTime(1'000'000'000);
    progress.Reset();
    RunWorker();
    EXPECT_EQ(ModificationTime(temp / "photo.bmp"), 1'000'000'000);
}

}  // namespace
