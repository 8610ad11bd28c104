#include "app/product.h"

#include <gtest/gtest.h>

namespace {

TEST(ProductTest, FormatsVersionNumbers) {
    EXPECT_EQ(FormatVersion(280), "2.8");
    EXPECT_EQ(FormatVersion(281), "2.8.1");
    EXPECT_EQ(FormatVersion(300), "3.0");
}

TEST(ProductTest, BuildsTitleAndMakerWord) {
    EXPECT_EQ(ProductTitle(), "Lumarix RAW to BMP 2.8");
    EXPECT_EQ(MakerWord(), "Lumarix");
}

}  // namespace
