#include "platform/signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace {

int g_pipe[2] = {-1, -1};

void Notify(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

}  // namespace

int WatchTerminationSignals() {
    if (g_pipe[0] >= 0) {
        return g_pipe[0];
    }
    if (pipe2(g_pipe, O_CLOEXEC) != 0) {
        return -1;
    }
    struct sigaction action {};
    action.sa_handler = Notify;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    return g_pipe[0];
}

void AcknowledgeTerminationSignal(int descriptor) {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = read(descriptor, &byte, 1);
}
