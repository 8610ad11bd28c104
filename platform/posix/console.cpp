#include <cstdio>
#include <mutex>

#include "platform/console.h"

void PrintLine(std::string_view text) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
