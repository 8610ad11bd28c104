#include "engine/colour.h"

#include <cmath>
#include <limits>

namespace {

uint32_t HexPair(std::string_view pair) {
    uint32_t value = 0;
    for (char c : pair) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

uint32_t HexColorToRgb(std::string_view text) {
    return HexColorToRgba(text, 0);
}

uint32_t HexColorToRgba(std::string_view text, uint8_t alpha) {
    const uint32_t a = static_cast<uint32_t>(alpha) << 24;
    if (text.size() != 6) {
        return a;
    }
    return HexPair(text.substr(0, 2)) | HexPair(text.substr(2, 2)) << 8 | HexPair(text.substr(4, 2)) << 16 |
           a;
}

int RoundHalfAway(float x) {
    const double rounded =
        x > 0 ? std::floor(static_cast<double>(x) + 0.5) : std::ceil(static_cast<double>(x) - 0.5);
    if (std::isnan(rounded)) {
        return 0;
    }
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(rounded);
}
