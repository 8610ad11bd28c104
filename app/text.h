#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the settings file, the text table and the catalogue.
// Texts are UTF-8 in memory; where the program orders or hashes texts it does so by UTF-16
// code units, the unit the stored orders were defined with.

std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

bool IsBlankOrTab(char c);
std::string_view TrimBlanks(std::string_view text);

// Unicode simple case mapping of every character (the C library's, in its C.UTF-8 locale).
std::string UnicodeUpper(std::string_view utf8);
std::string UnicodeLower(std::string_view utf8);
// The first character in upper case, the rest in lower case.
std::string UnicodeTitle(std::string_view utf8);

// The text without the double quotes at either end.
std::string_view WithoutEndQuotes(std::string_view text);

// Each byte becomes the character of that code.
std::string Latin1ToUtf8(std::string_view bytes);

// The UTF-16 code units of a UTF-8 text; a malformed byte counts as U+FFFD.
std::u16string Utf16Units(std::string_view utf8);

// <0, 0 or >0 as a is below, equal to or above b in UTF-16 code-unit order.
int CompareUtf16(std::string_view a, std::string_view b);

// Replaces each occurrence of `pattern` (ASCII letters compared without case) by `value`,
// scanning on after the inserted value so that a value holding the pattern is not expanded again.
std::string ReplaceIgnoreAsciiCase(std::string_view text, std::string_view pattern, std::string_view value);
