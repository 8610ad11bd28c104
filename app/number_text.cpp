#include "app/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/text.h"

namespace {

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

// Reads digits of `base` from text[i]; wraps silently in 64 bits.
uint64_t AccumulateDigits(std::string_view text, size_t i, int base) {
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) {
            break;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    return value;
}

bool ReadSign(std::string_view text, size_t& i) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

float NarrowToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kMax) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

// Length of the longest prefix of text that is a decimal real: digits, point, exponent.
size_t DecimalRealLength(std::string_view text) {
    size_t i = 0;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

}  // namespace

int32_t ReadDecimalInteger(std::string_view text) {
    size_t i = 0;
    const bool negative = ReadSign(text, i);
    uint64_t value = AccumulateDigits(text, i, 10);
    if (negative) {
        value = ~value + 1;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

int64_t ReadInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlankOrTab(text[i])) {
        ++i;
    }
    const bool negative = ReadSign(text, i);
    uint64_t value = 0;
    if (i < text.size() && text[i] == '$') {
        value = AccumulateDigits(text, i + 1, 16);
    } else if (i < text.size() && text[i] == '%') {
        value = AccumulateDigits(text, i + 1, 2);
    } else {
        value = AccumulateDigits(text, i, 10);
    }
    if (negative) {
        value = ~value + 1;
    }
    return static_cast<int64_t>(value);
}

float ReadReal(std::string_view text) {
    const std::string_view word = TrimBlanks(text);
    if (EqualsIgnoreAsciiCase(word, "+Infinity")) {
        return std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoreAsciiCase(word, "-Infinity")) {
        return -std::numeric_limits<float>::infinity();
    }
    if (EqualsIgnoreAsciiCase(word, "NaN")) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const bool negative = ReadSign(text, i);
    const std::string_view number = text.substr(i, DecimalRealLength(text.substr(i)));
    if (number.empty()) {
        return 0.0f;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; decide between overflow and underflow by the exponent.
        const size_t e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return NarrowToFloat(negative ? -value : value);
}

namespace {

std::string FormatFixed(float value, int decimals) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "+Infinity" : "-Infinity";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string FormatReal(float value) {
    return FormatFixed(value, 6);
}

std::string FormatRealTwoDecimals(float value) {
    return FormatFixed(value, 2);
}
