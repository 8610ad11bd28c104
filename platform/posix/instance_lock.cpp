#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string LockPath(const std::string& name) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        return std::string(runtime) + "/" + name + ".lock";
    }
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

}  // namespace

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool InstanceLock::Acquire(const std::string& name) {
    // O_NOFOLLOW: in a shared folder another user could plant a link in the lock's place.
    m_fd = open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        return false;
    }
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        close(m_fd);
        m_fd = -1;
        return false;
    }
    return true;
}
