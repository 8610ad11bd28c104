#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every user-visible text of the window program and the console's progress lines, looked up by
// group and key. Texts may hold the placeholders "%s1%" to "%s4%", filled by FillPlaceholders.

struct TextPair {
    const char* first;
    const char* second;
};

// ("_GROUP_", name) opens a group, ("_END_", "") ends the list, any other pair is (key, text).
std::span<const TextPair> BuiltinTexts();

inline constexpr std::string_view kNoStringError = "%NO_STRING_ERROR%";

class TextTable {
  public:
    void Load(std::span<const TextPair> pairs);

    // The text of `key` in `group`, both compared without case; kNoStringError when either is
    // not in the table. Remembers the group found, so that the next lookup in it needs no search.
    std::string LocalText(std::string_view group, std::string_view key);

    int GroupCount() const { return static_cast<int>(m_groups.size()) - 1; }
    int EntryCount() const { return static_cast<int>(m_keys.size()) - 1; }
    int CurrentGroup() const { return m_current; }

  private:
    struct TextGroup {
        std::string name;  // upper case
        int first = 0;     // positions first..last hold the group's entries
        int last = -1;
        std::array<int, 256> index{};  // position of the first key beginning with each character
    };

    int FindGroup(const std::string& upperName) const;

    std::vector<TextGroup> m_groups;  // 0 is an empty sentinel
    std::vector<std::string> m_keys;  // upper case; position 0 unused so that 0 can mean "none"
    std::vector<std::string> m_texts;
    int m_current = 0;
};

// The process-wide table, built from the built-in English texts. Only the main thread looks
// texts up.
void LoadTextTable();
std::string LocalText(std::string_view group, std::string_view key);

// Replaces every "%s1%", then every "%s2%" and so on (any letter case) by the matching value;
// an empty value leaves its placeholder as it is.
std::string FillPlaceholders(std::string_view text, std::string_view s1 = {}, std::string_view s2 = {},
                             std::string_view s3 = {}, std::string_view s4 = {});
