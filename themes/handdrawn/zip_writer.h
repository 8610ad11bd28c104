#pragma once

#include <string>
#include <vector>

struct ZipEntry {
    std::string name;
    std::string bytes;
};

// Writes the entries, deflated, into a new zip archive at `path`. Every entry carries the same
// fixed time and owner, so the same entries always give the same archive bytes.
bool WriteZip(const std::string& path, const std::vector<ZipEntry>& entries);
