#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <new>
#include <random>

std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused right after.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<std::string> content;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) <= maxBytes) {
        std::string bytes;
        try {
            bytes.resize(static_cast<size_t>(info.st_size));
        } catch (const std::bad_alloc&) {
            close(fd);
            return std::nullopt;
        }
        size_t done = 0;
        bool failed = false;
        while (done < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                failed = n < 0;
                break;
            }
            done += static_cast<size_t>(n);
        }
        if (!failed) {
            bytes.resize(done);
            content = std::move(bytes);
        }
    }
    close(fd);
    return content;
}

int64_t FileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return -1;
    }
    return info.st_size;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::optional<time_t> ModificationTime(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info.st_mtime;
}

bool SetModificationTime(const std::string& path, time_t time) {
    const timespec times[2] = {{0, UTIME_OMIT}, {time, 0}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

InputFile::~InputFile() {
    if (m_stream) {
        std::fclose(m_stream);
    }
}

bool InputFile::Open(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    m_stream = fdopen(fd, "rb");
    if (!m_stream) {
        close(fd);
        return false;
    }
    m_size = info.st_size;
    return true;
}

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Create(const std::string& target) {
    Discard();
    m_target = target;
    m_temporary = target + ".tmp";
    m_fd = open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        m_temporary.clear();
    }
    return m_fd >= 0;
}

bool ReplacingFile::CreateUnique(const std::string& target) {
    Discard();
    m_target = target;
    const size_t slash = target.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string prefix = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".";
    // O_EXCL claims a name no one else has; the file gets the permissions of any new file.
    static thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = prefix + std::to_string(random() % 1000000);
        m_fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool ReplacingFile::Write(std::string_view bytes) {
    if (m_fd < 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t n = write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool ReplacingFile::Commit(Flush flush) {
    if (m_fd < 0) {
        return false;
    }
    const bool flushed = flush == Flush::No || fsync(m_fd) == 0;
    const bool closed = close(m_fd) == 0;
    m_fd = -1;
    if (flushed && closed && rename(m_temporary.c_str(), m_target.c_str()) == 0) {
        m_temporary.clear();
        return true;
    }
    Discard();
    return false;
}

void ReplacingFile::Discard() {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}
