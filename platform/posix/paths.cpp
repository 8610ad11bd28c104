#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

std::string UserConfigFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return config;
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return std::string(home) + "/.config";
    }
    return {};
}

std::string ProgramFile() {
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<size_t>(n) >= path.size()) {
        return {};
    }
    path.resize(static_cast<size_t>(n));
    return path;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    // A trailing "/" would make lstat follow a link to a folder; look at the name itself.
    std::string name = path;
    while (name.size() > 1 && name.back() == '/') {
        name.pop_back();
    }
    return lstat(name.c_str(), &info) == 0;
}

bool CreateFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0;
}

bool CreateFolderPath(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (!PathExists(level) && mkdir(level.c_str(), 0700) != 0) {
            return false;
        }
    }
    return PathExists(path) || mkdir(path.c_str(), 0700) == 0;
}
