#pragma once

#include <string>
#include <utility>
#include <vector>

// Runs a program to its end and collects what it printed.
struct ProgramResult {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;    // standard output
    std::string err;    // standard error
};

// `environment` entries ("NAME=value") are added to the test's own environment, replacing
// variables of the same name. Standard input is `input`, then end of file.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {}, const std::string& input = "");

// The lines of a text, split at LF; a final line without LF counts too.
std::vector<std::string> SplitLines(const std::string& text);
