#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

// Reader and writer of INI files: config.ini and the command line's profiles.
//
// Reading: a file that begins with a UTF-8 byte-order mark is UTF-8, any other is ISO-8859-1.
// Lines end at CR, LF or both; blanks and TABs before a line are ignored. ";" starts a comment,
// "[" a group; other lines are "key = value". Groups and keys compare without regard to ASCII
// case; the first group of a name and, within it, the first key of a name win.
//
// Writing: UTF-8 with a byte-order mark and an empty first line, CR LF line ends, "key = value".
class IniFile {
  public:
    // Largest file the reader accepts.
    static constexpr size_t kMaxFileBytes = 16u << 20;

    struct KeyValue {
        std::string key;
        std::string value;
    };

    // Reads the whole file; false when it is not a readable regular file of at most kMaxFileBytes.
    bool OpenIni(const std::string& path);
    // Starts an empty file written by CloseIni; false when it cannot be created.
    bool CreateIni(const std::string& path);

    // Chooses the group later calls refer to ("" for keys before the first group line).
    void SelectGroup(std::string_view name);

    std::string ReadIniText(std::string_view key, std::string_view fallback) const;
    int32_t ReadIniInteger(std::string_view key, int32_t fallback) const;
    float ReadIniReal(std::string_view key, float fallback) const;

    // The selected group's keys in file order, with trimmed values; restarts at SelectGroup.
    std::optional<KeyValue> NextIniKey();

    void WriteIniText(std::string_view key, std::string_view text);
    void WriteIniInteger(std::string_view key, int32_t value);
    void WriteIniReal(std::string_view key, float value);
    void WriteIniComment(std::string_view text);

    // Ends the use of the file. A created file is written now, replacing any earlier file of that
    // name only once it is complete; false when that write fails.
    bool CloseIni();

  private:
    enum class LineKind { Comment, Group, Key };
    struct Line {
        LineKind kind;
        std::string name;   // group name or key
        std::string value;  // key value (leading blanks removed) or comment text
    };

    void Parse(std::string_view text);
    // Index of the selected group's line, or -1 for the lines before the first group.
    std::optional<int> SelectedGroupLine() const;
    // The lines [begin, end) of the selected group's keys and comments.
    std::pair<size_t, size_t> SelectedRange() const;
    const Line* FindKey(std::string_view key) const;
    // The selected group's range, adding its group line first when it is missing.
    std::pair<size_t, size_t> RangeForWriting();
    std::string Serialise() const;

    std::vector<Line> m_lines;
    std::string m_group;
    size_t m_walk = 0;
    bool m_created = false;
    ReplacingFile m_output;
};
