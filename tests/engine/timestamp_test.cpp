#include "engine/timestamp.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace {

class TimestampTest : public testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(input, "raw");
        WriteBytes(output, "bmp");
        SetModificationTime(input, 1'500'000'000);
        SetModificationTime(output, 1'600'000'000);
    }
    TempFolder temp;
    const std::string input = temp / "in.nef";
    const std::string output = temp / "out.bmp";
    ConversionSettings settings;
};

TEST_F(TimestampTest, CurrentLeavesTheSaveTime) {
    settings.advanced.fileTimestamp = 0;
    ApplyFileTimestamp(settings, input, output);
    EXPECT_EQ(ModificationTime(output), 1'600'000'000);
    settings.advanced.fileTimestamp = 7;
    ApplyFileTimestamp(settings, input, output);
    EXPECT_EQ(ModificationTime(output), 1'600'000'000);
}

TEST_F(TimestampTest, OriginalCopiesTheInputTime) {
    settings.advanced.fileTimestamp = 1;
    ApplyFileTimestamp(settings, input, output);
    EXPECT_EQ(ModificationTime(output), 1'500'000'000);
}

TEST_F(TimestampTest, OriginalOfAnUnreadableInputGivesTheEpochInLocalTime) {
    settings.advanced.fileTimestamp = 1;
    ApplyFileTimestamp(settings, temp / "missing.nef", output);
    EXPECT_EQ(ModificationTime(output), TimeFromDateNumber(0));
}

TEST_F(TimestampTest, CustomSetsTheLocalDateNumber) {
    settings.advanced.fileTimestamp = 2;
    settings.advanced.customTimestamp = DateNumberFromTime(1'234'567'890);
    ApplyFileTimestamp(settings, input, output);
    EXPECT_EQ(ModificationTime(output), 1'234'567'890);
    ApplyFileTimestamp(settings, input, temp / "missing.bmp");
}

TEST(DateNumberTest, RoundTripsThroughLocalTime) {
    for (time_t t : {time_t{0}, time_t{86'400 * 200}, time_t{1'700'000'000}}) {
        EXPECT_EQ(TimeFromDateNumber(DateNumberFromTime(t)), t);
    }
}

}  // namespace
