#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The whole content of a regular file of at most maxBytes; none for a missing file, a folder,
// a device, a FIFO, a larger file, a read error or too little memory.
std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes);

// The length of a file; -1 for a missing path or a folder.
int64_t FileSize(const std::string& path);
bool IsFolder(const std::string& path);
// True when both paths name one existing file (links and "./" included).
bool IsSameFile(const std::string& a, const std::string& b);

std::optional<time_t> ModificationTime(const std::string& path);
// Sets only the modification time, to whole seconds; false when it cannot be set.
bool SetModificationTime(const std::string& path, time_t time);

// A regular file opened for reading through stdio, which buffers the many small reads that image
// decoders make. Folders, devices and FIFOs are refused.
class InputFile {
  public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    bool Open(const std::string& path);
    FILE* Stream() const { return m_stream; }
    int64_t Size() const { return m_size; }

  private:
    FILE* m_stream = nullptr;
    int64_t m_size = 0;
};

// A file written under a temporary name beside its target and renamed over the target only when
// complete, so that a failed write never leaves a partial file or loses the previous one.
// Dropping it without a successful Commit removes the temporary file.
class ReplacingFile {
  public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Creates target + ".tmp"; false when it cannot be created.
    bool Create(const std::string& target);
    // Creates a new file with a unique hidden name in the target's folder, for writers that must
    // not touch any other name there.
    bool CreateUnique(const std::string& target);

    // The temporary file, for a library that writes the file by its path.
    const std::string& TemporaryPath() const { return m_temporary; }

    bool Write(std::string_view bytes);
    enum class Flush { No, Yes };
    // Renames the temporary file over the target, after flushing it to disk when asked to.
    bool Commit(Flush flush);
    // Writes the bytes, flushes them and renames the file over the target.
    bool WriteAndCommit(std::string_view bytes) { return Write(bytes) && Commit(Flush::Yes); }
    // Removes the temporary file without touching the target.
    void Discard();

  private:
    int m_fd = -1;
    std::string m_target;
    std::string m_temporary;
};
