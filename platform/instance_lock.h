#pragma once

#include <string>

// The single-instance lock: an exclusive flock on "$XDG_RUNTIME_DIR/<name>.lock" (without that
// variable, a file in /tmp named with the user id). Held until the process ends; the kernel drops
// it when the process dies, so a crash never blocks the next start.
class InstanceLock {
  public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // False when another process holds the lock or the lock file cannot be opened.
    bool Acquire(const std::string& name);

  private:
    int m_fd = -1;
};
