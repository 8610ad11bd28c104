#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole content of a regular file of at most maxBytes; none for a missing file, a folder,
// a device, a FIFO, a larger file or a read error.
std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes);

// A file written under a temporary name beside its target and renamed over the target only when
// complete, so that a failed write never leaves a partial file or loses the previous one.
class ReplacingFile {
  public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Creates target + ".tmp"; false when it cannot be created.
    bool Create(const std::string& target);
    // Writes the bytes, flushes them to disk and renames the file over the target.
    bool Commit(std::string_view bytes);
    // Removes the temporary file without touching the target.
    void Discard();

  private:
    int m_fd = -1;
    std::string m_target;
    std::string m_temporary;
};
