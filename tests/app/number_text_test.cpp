#include "app/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

struct IntegerCase {
    const char* text;
    int64_t expected;
};

class ReadIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsOptionValues) {
    EXPECT_EQ(ReadInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadIntegerTest,
                         testing::Values(IntegerCase{"300", 300}, IntegerCase{"$200", 512},
                                         IntegerCase{"$fF", 255}, IntegerCase{"%101", 5},
                                         IntegerCase{"50%", 50}, IntegerCase{"abc", 0}, IntegerCase{"", 0},
                                         IntegerCase{" \t-150", -150}, IntegerCase{"+42x", 42},
                                         IntegerCase{"-$10", -16}, IntegerCase{"$", 0}, IntegerCase{"%2", 0},
                                         // Wraps in 64 bits instead of overflowing.
                                         IntegerCase{"18446744073709551617", 1}));

struct DecimalCase {
    const char* text;
    int32_t expected;
};

class ReadDecimalIntegerTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(ReadDecimalIntegerTest, KeepsTheLow32Bits) {
    EXPECT_EQ(ReadDecimalInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadDecimalIntegerTest,
                         testing::Values(DecimalCase{"80", 80}, DecimalCase{"-7", -7}, DecimalCase{"+7", 7},
                                         DecimalCase{"12abc", 12}, DecimalCase{"abc", 0},
                                         DecimalCase{"$10", 0}, DecimalCase{"4294967297", 1},
                                         DecimalCase{"2147483648", INT32_MIN},
                                         DecimalCase{"99999999999999999999999", -159383553}));

TEST(ReadRealTest, ReadsDecimalsAndTheThreeWords) {
    EXPECT_FLOAT_EQ(ReadReal("1.5"), 1.5f);
    EXPECT_FLOAT_EQ(ReadReal("2,2"), 2.0f);
    EXPECT_FLOAT_EQ(ReadReal("  -.25e1x"), -2.5f);
    EXPECT_FLOAT_EQ(ReadReal("7e"), 7.0f);
    EXPECT_EQ(ReadReal("abc"), 0.0f);
    EXPECT_EQ(ReadReal("."), 0.0f);
    EXPECT_EQ(ReadReal("+Infinity"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadReal("-INFINITY"), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(ReadReal("nan")));
    // Beyond float's range: infinity or zero, never undefined.
    EXPECT_EQ(ReadReal("1e39"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadReal("-1e400"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadReal("1e-400"), 0.0f);
}

TEST(FormatRealTest, WritesSixDecimalsOrAWord) {
    EXPECT_EQ(FormatReal(1.0f), "1.000000");
    EXPECT_EQ(FormatReal(1.5f), "1.500000");
    EXPECT_EQ(FormatReal(0.01f), "0.010000");
    EXPECT_EQ(FormatReal(std::numeric_limits<float>::infinity()), "+Infinity");
    EXPECT_EQ(FormatReal(-std::numeric_limits<float>::infinity()), "-Infinity");
    EXPECT_EQ(FormatReal(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(FormatRealTwoDecimals(1.0f), "1.00");
    EXPECT_EQ(FormatRealTwoDecimals(2.2f), "2.20");
    EXPECT_EQ(FormatRealTwoDecimals(9.99f), "9.99");
}

TEST(FormatRealTest, IgnoresTheProcessLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_EQ(FormatReal(1.0f), "1.000000");
    EXPECT_FLOAT_EQ(ReadReal("1.5"), 1.5f);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
