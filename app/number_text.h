#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number readers shared by the settings file, profiles, option switches and the catalogue.
// None of them fails: text that holds no number reads as 0. They work in the C locale whatever
// the process locale says.

// Optional sign and leading decimal digits; stops at the first other character. Accumulates
// in unsigned 64 bits (wrapping) and keeps the low 32 bits.
int32_t ReadDecimalInteger(std::string_view text);

// Option values: leading blanks and TABs, an optional sign, then "$" and hexadecimal digits,
// "%" and binary digits, or decimal digits. Computed in 64 bits, wrapping instead of overflowing.
int64_t ReadInteger(std::string_view text);

// "+Infinity", "-Infinity" and "NaN" in any case; otherwise a decimal real with "." as the
// decimal mark (leading white space, sign, digits, point, exponent), read as far as it fits.
float ReadReal(std::string_view text);

// Six decimals, or "+Infinity", "-Infinity", "NaN".
std::string FormatReal(float value);
// Two decimals ("1.00"), or the same three words.
std::string FormatRealTwoDecimals(float value);
