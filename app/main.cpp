#include <string>
#include <vector>

#include "app/process.h"
#include "app/product.h"
#include "app/window_program.h"
#include "cli/command_line.h"
#include "platform/console.h"

int main(int argc, char** argv) {
    IgnoreBrokenPipes();
    // The lock comes before anything else; a second copy ends silently.
    ProcessRecords process;
    if (!process.instanceLock.Acquire(ProductTitle())) {
        return 0;
    }
    const std::vector<std::string> parameters(argv + 1, argv + argc);
    if (RunCommandLine(process, parameters) == CommandLineOutcome::Finished) {
        return 0;
    }
    StartWindowProgram(process);
    return 0;
}
