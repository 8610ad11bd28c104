#include "tests/support/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const ProgramOptions& options) {
    std::vector<std::string> merged(options.environment);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const std::string& x : options.environment) {
            replaced = replaced || x.substr(0, x.find('=')) == name;
        }
        for (const std::string& x : options.unset) {
            replaced = replaced || x == name;
        }
        if (!replaced) {
            merged.push_back(entry);
        }
    }
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program with its standard input, output and error on new pipes; the parent's ends
// come back in `parentEnds` (input to write, output and error to read).
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const ProgramOptions& options, int parentEnds[3]) {
    // A program that ends before reading all its input must not take the test down with it.
    signal(SIGPIPE, SIG_IGN);
    int pipes[3][2];
    for (auto& p : pipes) {
        if (pipe2(p, O_CLOEXEC) != 0) {
            return -1;
        }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipes[0][0], 0);
    posix_spawn_file_actions_adddup2(&actions, pipes[1][1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipes[2][1], 2);
    if (!options.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    }
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env = MergedEnvironment(options);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envPointers = Pointers(env);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(), envPointers.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipes[0][0]);
    close(pipes[1][1]);
    close(pipes[2][1]);
    parentEnds[0] = pipes[0][1];
    parentEnds[1] = pipes[1][0];
    parentEnds[2] = pipes[2][0];
    return pid;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Feeds `input` and drains both output pipes until the program closes them.
void Exchange(int inFd, int outFd, int errFd, const std::string& input, ProgramResult& result) {
    size_t written = 0;
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0) {
            break;
        }
        char buffer[4096];
        for (int k = 0; k < 2; ++k) {
            int& fd = k == 0 ? outFd : errFd;
            if (fd >= 0 && (fds[k].revents & (POLLIN | POLLHUP))) {
                const ssize_t n = read(fd, buffer, sizeof buffer);
                if (n <= 0) {
                    close(fd);
                    fd = -1;
                } else {
                    (k == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
                }
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(inFd, input.data() + written, input.size() - written);
            written += n > 0 ? static_cast<size_t>(n) : input.size();
            if (written >= input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0) {
        close(inFd);
    }
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const ProgramOptions& options) {
    ProgramResult result;
    int ends[3] = {-1, -1, -1};
    const pid_t pid = Spawn(program, arguments, options, ends);
    Exchange(ends[0], ends[1], ends[2], options.input, result);
    result.exitCode = WaitForExit(pid);
    return result;
}

StartedProgram::StartedProgram(const std::string& program, const std::vector<std::string>& arguments,
                               const ProgramOptions& options) {
    int ends[3] = {-1, -1, -1};
    m_pid = Spawn(program, arguments, options, ends);
    m_in = ends[0];
    m_out = ends[1];
    close(ends[2]);
}

StartedProgram::~StartedProgram() {
    // A test that gave up on the program must not wait for it for ever.
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        Finish("");
    }
}

bool StartedProgram::WaitForOutput(const std::string& text) {
    char buffer[4096];
    while (m_output.find(text) == std::string::npos) {
        const ssize_t n = read(m_out, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        m_output.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

void StartedProgram::Signal(int signal) {
    if (m_pid > 0) {
        kill(m_pid, signal);
    }
}

int StartedProgram::Finish(const std::string& input) {
    if (m_in >= 0) {
        [[maybe_unused]] const ssize_t written = write(m_in, input.data(), input.size());
        close(m_in);
        m_in = -1;
    }
    if (m_out >= 0) {
        close(m_out);
        m_out = -1;
    }
    const int code = WaitForExit(m_pid);
    m_pid = -1;
    return code;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
