#include <gtest/gtest.h>

#include <QFile>

#include "themes/image_sets.h"

namespace {

TEST(BuiltinImagesTest, KeysFollowTheRegistrationOrder) {
    EXPECT_EQ(ButtonKeys(), (std::vector<std::string>{"Convert", "InFiles", "InFolder"}));
    EXPECT_EQ(IconKeys(), (std::vector<std::string>{"New",
                                                    "Add",
                                                    "InFiles",
                                                    "InFolder",
                                                    "OutFolder",
                                                    "OutFormat",
                                                    "FavFolder",
                                                    "ImportFiles",
                                                    "ExportFiles",
                                                    "Exit",
                                                    "Copy",
                                                    "Delete",
                                                    "SelectAll",
                                                    "Convert",
                                                    "Error",
                                                    "Preferences",
                                                    "CustomConverter",
                                                    "Help",
                                                    "Email",
                                                    "Web",
                                                    "Updates",
                                                    "About"}));
}

TEST(BuiltinImagesTest, FillsEveryKeyAtItsSize) {
    ImageSets images;
    LoadBuiltinImages(images);

    ASSERT_EQ(images.buttons.size(), ButtonKeys().size());
    EXPECT_EQ(images.buttons.at("Convert").size(), QSize(64, 64));
    EXPECT_EQ(images.buttons.at("InFiles").size(), QSize(48, 48));
    EXPECT_EQ(images.buttons.at("InFolder").size(), QSize(48, 48));

    ASSERT_EQ(images.menuIcons.size(), IconKeys().size());
    ASSERT_EQ(images.toolbarIcons.size(), IconKeys().size());
    for (const std::string& key : IconKeys()) {
        SCOPED_TRACE(key);
        EXPECT_EQ(images.menuIcons.at(key).size(), QSize(16, 16));
        EXPECT_TRUE(images.toolbarIcons.at(key) == images.menuIcons.at(key));
    }
    // Every icon is a picture of its own.
    for (size_t i = 0; i < IconKeys().size(); ++i) {
        for (size_t j = i + 1; j < IconKeys().size(); ++j) {
            EXPECT_FALSE(images.menuIcons.at(IconKeys()[i]) == images.menuIcons.at(IconKeys()[j]))
                << IconKeys()[i] << " and " << IconKeys()[j];
        }
    }

    EXPECT_EQ(images.banner.size(), QSize(360, 40));
    EXPECT_EQ(images.picture.size(), QSize(270, 75));
}

TEST(BuiltinImagesTest, BannerIsA24BitBmp) {
    QFile banner(":/builtin/banner.bmp");
    ASSERT_TRUE(banner.open(QIODevice::ReadOnly));
    const QByteArray header = banner.read(30);
    ASSERT_EQ(header.size(), 30);
    EXPECT_EQ(header.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24);
    EXPECT_EQ(header[29], 0);
}

class IconPixelsTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(IconPixelsTest, MapsTheSizeCode) {
    EXPECT_EQ(IconPixels(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Codes, IconPixelsTest,
                         ::testing::Values(std::pair{0, 16}, std::pair{1, 24}, std::pair{2, 32},
                                           std::pair{3, 48}, std::pair{4, 64}, std::pair{5, 16},
                                           std::pair{-1, 16}, std::pair{255, 16}));

}  // namespace
