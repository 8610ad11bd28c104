// Converts the real camera files of the shared fixtures folder, when it is there.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/encoding.h"
#include "engine/format_catalogue.h"
#include "engine/pipeline.h"
#include "tests/support/conversion_run.h"
#include "tests/support/temp_folder.h"

namespace {

const std::filesystem::path kSamples = std::filesystem::path(KIVOTA_TEST_DATA) / "../../shared/fixtures/raw";

struct Sample {
    const char* file;
    int rawLoadAs;
    int bitsPerPixel;  // of the written BMP, automatic depth
    int width;
    int height;
};

std::ostream& operator<<(std::ostream& out, const Sample& s) {
    return out << s.file << " as " << s.rawLoadAs;
}

class RealSampleTest : public testing::TestWithParam<Sample> {};

TEST_P(RealSampleTest, ConvertsWithTheDecodedSize) {
    const Sample& s = GetParam();
    const std::filesystem::path input = kSamples / s.file;
    if (!std::filesystem::exists(input)) {
        GTEST_SKIP() << "no real samples in " << kSamples;
    }
    TempFolder temp;
    Settings all;
    ApplyDefaultSettings(all, true, std::nullopt, 0);
    all.conversion.input.rawLoadAs = s.rawLoadAs;
    FormatCatalogue catalogue;
    catalogue.BuildFormatCatalogue();
    RunState run = RunWritingTo(temp.path());
    run.inputFullPath = input.string();
    StartRunEncoding(all.conversion, run);
    ASSERT_TRUE(ConvertFile({all.conversion, run, catalogue}));
    EXPECT_EQ(run.resultWidth, s.width);
    EXPECT_EQ(run.resultHeight, s.height);
    EXPECT_EQ(run.outputBitDepth, s.bitsPerPixel);
}

// Default (embedded preview), 24-bit display, half size and full 48-bit decodes.
INSTANTIATE_TEST_SUITE_P(Files, RealSampleTest,
                         testing::Values(Sample{"Canon_G2_CRW_0304.CRW", 0, 24, 640, 480},
                                         Sample{"Canon_G2_CRW_0304.CRW", 3, 24, 2312, 1720},
                                         Sample{"Canon_G2_CRW_0304.CRW", 4, 32, 1156, 860},
                                         Sample{"Canon_G2_CRW_0304.CRW", 5, 32, 2312, 1720},
                                         Sample{"Kodak_DC120_P003913.KDC", 0, 24, 80, 60},
                                         Sample{"Kodak_DC120_P003913.KDC", 3, 24, 1301, 976},
                                         Sample{"Kodak_DC120_P003913.KDC", 4, 32, 651, 488},
                                         Sample{"Kodak_DC120_P003913.KDC", 5, 32, 1301, 976}));

}  // namespace
