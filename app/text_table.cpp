#include "app/text_table.h"

#include <algorithm>

#include "app/text.h"

namespace {

constexpr std::string_view kGroupMarker = "_GROUP_";
constexpr std::string_view kEndMarker = "_END_";
// Joins key and text while sorting; below every character of a key, so a key sorts before each
// longer key that begins with it.
constexpr char kSeparator = '\x01';

// The code of the first character, or -1 when it is outside the index (above U+00FF).
int FirstCharacterCode(std::string_view key) {
    if (key.empty()) {
        return 0;
    }
    const std::u16string units = Utf16Units(key.substr(0, std::min<size_t>(key.size(), 4)));
    return units[0] < 256 ? units[0] : -1;
}

TextTable& ProcessTextTable() {
    static TextTable table;
    return table;
}

}  // namespace

void TextTable::Load(std::span<const TextPair> pairs) {
    m_groups.assign(1, TextGroup{});
    m_keys.assign(1, {});
    m_texts.assign(1, {});
    m_current = 0;

    std::vector<std::string> joined(1);
    for (const TextPair& pair : pairs) {
        const std::string first = AsciiUpper(pair.first);
        if (first == kEndMarker) {
            break;
        }
        if (first == kGroupMarker) {
            m_groups.back().last = static_cast<int>(joined.size()) - 1;
            TextGroup group;
            group.name = AsciiUpper(pair.second);
            group.first = static_cast<int>(joined.size());
            m_groups.push_back(group);
        } else {
            joined.push_back(first + kSeparator + pair.second);
        }
    }
    m_groups.back().last = static_cast<int>(joined.size()) - 1;

    for (size_t g = 1; g < m_groups.size(); ++g) {
        TextGroup& group = m_groups[g];
        if (group.last < group.first) {
            continue;
        }
        std::sort(joined.begin() + group.first, joined.begin() + group.last + 1,
                  [](const std::string& a, const std::string& b) { return CompareUtf16(a, b) < 0; });
        int previousCode = 0;
        for (int pos = group.first; pos <= group.last; ++pos) {
            const std::string_view key =
                std::string_view(joined[pos]).substr(0, joined[pos].find(kSeparator));
            const int code = FirstCharacterCode(key);
            if (code != previousCode && code >= 0) {
                group.index[code] = pos;
            }
            previousCode = code;
        }
    }

    m_keys.resize(joined.size());
    m_texts.resize(joined.size());
    for (size_t pos = 1; pos < joined.size(); ++pos) {
        const size_t split = joined[pos].find(kSeparator);
        m_keys[pos] = joined[pos].substr(0, split);
        m_texts[pos] = joined[pos].substr(split + 1);
    }
}

int TextTable::FindGroup(const std::string& upperName) const {
    for (size_t g = 1; g < m_groups.size(); ++g) {
        if (m_groups[g].name == upperName) {
            return static_cast<int>(g);
        }
    }
    return 0;
}

std::string TextTable::LocalText(std::string_view group, std::string_view key) {
    const std::string upperGroup = AsciiUpper(group);
    const std::string upperKey = AsciiUpper(key);
    if (m_current >= static_cast<int>(m_groups.size()) || m_groups[m_current].name != upperGroup) {
        m_current = FindGroup(upperGroup);
    }
    if (m_current == 0) {
        return std::string(kNoStringError);
    }
    const TextGroup& g = m_groups[m_current];
    const int code = FirstCharacterCode(upperKey);
    if (code < 0) {
        return std::string(kNoStringError);
    }
    for (int pos = g.index[code]; pos != 0 && pos <= g.last; ++pos) {
        const int order = CompareUtf16(upperKey, m_keys[pos]);
        if (order == 0) {
            return m_texts[pos];
        }
        if (order < 0) {
            break;
        }
    }
    return std::string(kNoStringError);
}

void LoadTextTable() {
    ProcessTextTable().Load(BuiltinTexts());
}

std::string LocalText(std::string_view group, std::string_view key) {
    return ProcessTextTable().LocalText(group, key);
}

std::string FillPlaceholders(std::string_view text, std::string_view s1, std::string_view s2,
                             std::string_view s3, std::string_view s4) {
    std::string result(text);
    if (result.empty()) {
        return result;
    }
    const std::string_view values[] = {s1, s2, s3, s4};
    const std::string_view placeholders[] = {"%s1%", "%s2%", "%s3%", "%s4%"};
    for (size_t i = 0; i < 4; ++i) {
        if (!values[i].empty()) {
            result = ReplaceIgnoreAsciiCase(result, placeholders[i], values[i]);
        }
    }
    return result;
}
