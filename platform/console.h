#pragma once

#include <string_view>

// Writes one line of UTF-8 text and a line feed to standard output, on a terminal, a pipe or a
// file alike. Lines written from different threads never interleave.
void PrintLine(std::string_view text);
