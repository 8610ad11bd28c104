#pragma once

#include <cstdint>
#include <string_view>

// Colours in memory are 0xAABBGGRR: red in the lowest byte. Colour texts are RRGGBB.

// Black unless the text has exactly six characters; each pair is read as hexadecimal digits up to
// the first other character ("1Z0000" has red 1).
uint32_t HexColorToRgb(std::string_view text);
uint32_t HexColorToRgba(std::string_view text, uint8_t alpha);

inline uint8_t RedOf(uint32_t colour) {
    return static_cast<uint8_t>(colour & 0xFF);
}
inline uint8_t GreenOf(uint32_t colour) {
    return static_cast<uint8_t>((colour >> 8) & 0xFF);
}
inline uint8_t BlueOf(uint32_t colour) {
    return static_cast<uint8_t>((colour >> 16) & 0xFF);
}
inline uint8_t AlphaOf(uint32_t colour) {
    return static_cast<uint8_t>(colour >> 24);
}

// Rounds halves away from zero: 400.5 gives 401, -2.5 gives -3. Saturates at the int range.
int RoundHalfAway(float x);
