#pragma once

#include <string>
#include <string_view>

// A scratch folder for one test, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in "/".
    const std::string& path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + std::string(name); }

  private:
    std::string m_path;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
