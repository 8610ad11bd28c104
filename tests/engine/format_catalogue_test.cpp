#include "engine/format_catalogue.h"

#include <gtest/gtest.h>

#include "app/text_table.h"

namespace {

class FormatCatalogueTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadTextTable();
        catalogue.BuildFormatCatalogue();
        catalogue.BuildAcceptedInputExtensions();
    }
    FormatCatalogue catalogue;
};

const std::vector<std::string> kRawOrder = {
    "eip", "iiq", "ia",  "3fr", "ari", "erf", "r3d",  "pxn", "arw", "raw1", "raw2", "rdc",
    "mrw", "bmq", "nef", "drf", "fff", "qtk", "mdc",  "rw2", "dc2", "dsc",  "cr2",  "rwl",
    "mef", "cap", "dcr", "sr2", "dcs", "rwz", "cine", "cs1", "orf", "srf",  "crw",  "x3f",
    "k25", "ptx", "kc2", "pef", "mos", "raf", "bay",  "raw", "dng", "sti",  "kdc",  "nrw"};

TEST_F(FormatCatalogueTest, AcceptsThe48RawExtensionsInBucketOrder) {
    EXPECT_EQ(catalogue.AcceptedInputExtensions(), kRawOrder);
    EXPECT_EQ(catalogue.InputExtensions().size(), 79u);
}

TEST_F(FormatCatalogueTest, AcceptsOnlyEnabledGroupsWithCallerLowerCasedExtensions) {
    EXPECT_TRUE(catalogue.IsAcceptedInputExtension("nef"));
    EXPECT_FALSE(catalogue.IsAcceptedInputExtension("NEF"));
    EXPECT_FALSE(catalogue.IsAcceptedInputExtension("jpg"));
    EXPECT_FALSE(catalogue.IsAcceptedInputExtension("tif"));
    EXPECT_FALSE(catalogue.IsAcceptedInputExtension(""));
}

TEST_F(FormatCatalogueTest, LooksUpOutputFormats) {
    EXPECT_EQ(catalogue.LookupFormatId("bmp"), 0);
    EXPECT_EQ(catalogue.LookupFormatId("pbm"), 7);
    EXPECT_EQ(catalogue.LookupFormatId("tiff"), 18);
    EXPECT_EQ(catalogue.LookupFormatId("webp"), 35);
    EXPECT_EQ(catalogue.LookupFormatId("tif"), 0);
    EXPECT_EQ(catalogue.LookupFormatId("dds"), 0);
    EXPECT_TRUE(IsOutputFormat("bmp"));
    EXPECT_FALSE(IsOutputFormat("BMP"));
    EXPECT_FALSE(IsOutputFormat("jpg"));
    EXPECT_EQ(catalogue.OutputFormatLabel("bmp", true), "BMP (Windows or OS/2 Bitmap)");
    EXPECT_EQ(catalogue.OutputFormatLabel("bmp", false), "BMP");
    EXPECT_EQ(catalogue.BitDepthList("bmp"), "1,4,8,16,24,32");
}

struct DepthCase {
    const char* extension;
    int32_t bits;
    bool allowed;
    int32_t nearest;
};

class BitDepthTest : public FormatCatalogueTest, public testing::WithParamInterface<DepthCase> {};

TEST_P(BitDepthTest, ChecksAndRoundsDepths) {
    const DepthCase& c = GetParam();
    EXPECT_EQ(catalogue.IsAllowedBitDepth(c.extension, c.bits), c.allowed);
    EXPECT_EQ(catalogue.NearestAllowedBitDepth(c.extension, c.bits), c.nearest);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitDepthTest,
                         testing::Values(DepthCase{"jpg", 32, false, 24}, DepthCase{"jpg", 24, true, 24},
                                         DepthCase{"bmp", 0, true, 1}, DepthCase{"dds", 0, true, 0},
                                         DepthCase{"dds", 24, false, 0}, DepthCase{"bmp", 12, false, 16},
                                         DepthCase{"bmp", 48, false, 32}, DepthCase{"png", 16, false, 24},
                                         DepthCase{"gif", 1, false, 8}, DepthCase{"bmp", 2, false, 4}));

std::string ExpectedInputFilter() {
    const std::pair<const char*, const char*> groups[] = {
        {"Epson Camera RAW Image", "erf"},
        {"Digital Foto Maker RAW Image", "rdc"},
        {"Hasselblad Camera RAW Image", "3fr"},
        {"Olympus Camera RAW Image", "orf"},
        {"Nikon Camera RAW Image", "nrw nef"},
        {"Pentax Camera RAW Image", "pef ptx"},
        {"Phase One Camera RAW Image", "cap iiq eip"},
        {"Minolta Camera RAW Image", "mdc mrw"},
        {"Sinar RAW Image", "sti ia"},
        {"Fuji Camera RAW Image", "raf"},
        {"NuCore RAW Image", "bmq"},
        {"Phantom RAW Image", "cine"},
        {"Canon Camera RAW Image", "crw cr2"},
        {"Apple Quicktake Camera RAW Image", "qtk"},
        {"Adobe Digital Negative Image", "dng"},
        {"Logitech Camera RAW Image", "pxn"},
        {"Leica Camera RAW Image", "rwl"},
        {"Mamiya Camera RAW Image", "mos mef"},
        {"Sony Camera RAW Image", "srf sr2 arw"},
        {"Sigma Camera RAW Image", "x3f"},
        {"Capture Shop RAW Image", "cs1"},
        {"Rawzor Camera RAW Image", "rwz"},
        {"Kodak Camera RAW Image", "kdc kc2 k25 dcs dcr dsc dc2 drf"},
        {"Imacon Camera RAW Image", "fff"},
        {"Camera RAW Image", "raw raw2 raw1"},
        {"Casio Camera RAW Image", "bay"},
        {"RED RAW Image", "r3d"},
        {"Panasonic Camera RAW Image", "rw2"},
        {"ARRI RAW Image", "ari"},
    };
    const auto patterns = [](std::string extensions) {
        std::string out = "*." + extensions;
        for (size_t p; (p = out.find(' ')) != std::string::npos;) {
            out.replace(p, 1, ";*.");
        }
        return out;
    };
    std::string all;
    for (const std::string& e : kRawOrder) {
        all += (all.empty() ? "*." : ";*.") + e;
    }
    std::string filter = "All Supported Files|" + all + "|";
    for (const auto& [label, extensions] : groups) {
        filter += std::string(label) + "|" + patterns(extensions) + "|";
    }
    return filter + "All Files (*.*)|*.*";
}

TEST_F(FormatCatalogueTest, BuildsTheInputFileFilter) {
    EXPECT_EQ(catalogue.InputFileFilter(), ExpectedInputFilter());
}

TEST_F(FormatCatalogueTest, BuildsTheWatermarkImageFilter) {
    const std::string filter = catalogue.WatermarkImageFilter();
    EXPECT_TRUE(filter.starts_with("All Supported Files|*.jpg;*.jpeg;*.jpe;*.jif;*.png;*.bmp;*.rle;*.dib|"))
        << filter;
    EXPECT_TRUE(filter.ends_with("|All Files (*.*)|*.*")) << filter;
    for (const char* entry : {"|JPEG File|*.jpg;*.jpeg;*.jpe;*.jif|", "|Portable Network Graphics|*.png|",
                              "|Windows or OS/2 Bitmap|*.bmp;*.rle;*.dib|"}) {
        EXPECT_NE(filter.find(entry), std::string::npos) << entry;
    }
}

TEST_F(FormatCatalogueTest, BuildingTwiceChangesNothing) {
    const std::string input = catalogue.InputFileFilter();
    const std::string watermark = catalogue.WatermarkImageFilter();
    catalogue.BuildFormatCatalogue();
    catalogue.BuildAcceptedInputExtensions();
    EXPECT_EQ(catalogue.AcceptedInputExtensions(), kRawOrder);
    EXPECT_EQ(catalogue.InputFileFilter(), input);
    EXPECT_EQ(catalogue.WatermarkImageFilter(), watermark);
    EXPECT_EQ(catalogue.InputExtensions().size(), 79u);
}

TEST(BucketMapTest, ListsLaterKeysOfABucketFirst) {
    BucketMap<int> map;
    // "a" and a key with the same hash modulo 512 share a bucket.
    std::string partner;
    for (int c = 0; c < 0x10000 && partner.empty(); ++c) {
        const std::string candidate = "b" + std::to_string(c);
        if (BucketMap<int>::Hash(candidate) % 512 == BucketMap<int>::Hash("a") % 512) {
            partner = candidate;
        }
    }
    ASSERT_FALSE(partner.empty());
    map["a"] = 1;
    map[partner] = 2;
    std::vector<std::string> order;
    map.ForEach([&](const std::string& key, int) { order.push_back(key); });
    EXPECT_EQ(order, (std::vector<std::string>{partner, "a"}));
    EXPECT_EQ(BucketMap<int>::Hash("ab"), 97u * 65599u + 98u);
}

}  // namespace
