#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

// Runs a program to its end and collects what it printed.
struct ProgramResult {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;    // standard output
    std::string err;    // standard error
};

struct ProgramOptions {
    // Added to the test's own environment ("NAME=value"), replacing variables of the same name.
    std::vector<std::string> environment = {};
    // Removed from the environment.
    std::vector<std::string> unset = {};
    std::string input = {};          // standard input, then end of file
    std::string workingFolder = {};  // empty: the test's own
};

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProgramOptions& options = {});

// A program left running while the test goes on; its standard input stays open until Finish.
// Dropping it unfinished kills the program.
class StartedProgram {
  public:
    StartedProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const ProgramOptions& options = {});
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Reads standard output until it holds `text`; false when the program closed it first.
    bool WaitForOutput(const std::string& text);
    // Sends a signal to the program.
    void Signal(int signal);
    // Sends `input`, closes standard input and waits for the end; the exit code or -1.
    int Finish(const std::string& input);

  private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_output;
};

// The lines of a text, split at LF; a final line without LF counts too.
std::vector<std::string> SplitLines(const std::string& text);
