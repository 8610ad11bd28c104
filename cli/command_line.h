#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/process.h"

// A parameter read as a switch: "" unless it begins with "-"; the text before the first "=" for
// a long switch ("--name=value"); the whole parameter for a short one. Upper case, so -i, -I,
// --input and --Input are the same switch.
std::string SwitchName(std::string_view parameter);

// The text after the first "=" of a long switch; otherwise the whole parameter.
std::string SwitchValue(std::string_view parameter);

enum class CommandLineOutcome {
    StartWindowProgram,  // no parameters, or nothing went wrong and no input file was named
    Finished,            // a special command, a parameter error or a console run ended
};

// The command-line front end: special commands, the switch loop and the console run. Starts from
// the built-in defaults and never touches config.ini. `parameters` are the program's arguments
// without its own name.
CommandLineOutcome RunCommandLine(ProcessRecords& process, const std::vector<std::string>& parameters);

// The 36 lines of the help text for the program's name.
std::vector<std::string> HelpLines(std::string_view programName);
