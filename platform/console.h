#pragma once

#include <string_view>

// Writes one line of UTF-8 text and a line feed to standard output, on a terminal, a pipe or a
// file alike. Lines written from different threads never interleave.
void PrintLine(std::string_view text);

// Waits for one key: on a terminal a single key press without Enter, the terminal restored
// afterwards; otherwise one byte of standard input. The end of input ends the wait at once.
void WaitForKey();

// Keeps a closed reader of standard output (kivota -h | head -1) from killing the process.
void IgnoreBrokenPipes();
