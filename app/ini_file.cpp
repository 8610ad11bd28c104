#include "app/ini_file.h"

#include "app/number_text.h"
#include "app/text.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// Values are single lines: each run of CR and LF becomes one blank.
std::string SingleLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inBreak = false;
    for (char c : text) {
        const bool isBreak = c == '\r' || c == '\n';
        if (isBreak && !inBreak) {
            out += ' ';
        } else if (!isBreak) {
            out += c;
        }
        inBreak = isBreak;
    }
    return out;
}

}  // namespace

bool IniFile::OpenIni(const std::string& path) {
    CloseIni();
    const std::optional<std::string> bytes = ReadRegularFile(path, kMaxFileBytes);
    if (!bytes) {
        return false;
    }
    const std::string_view content(*bytes);
    if (content.starts_with(kUtf8Mark)) {
        Parse(content.substr(kUtf8Mark.size()));
    } else {
        Parse(Latin1ToUtf8(content));
    }
    return true;
}

bool IniFile::CreateIni(const std::string& path) {
    CloseIni();
    m_created = m_output.Create(path);
    return m_created;
}

void IniFile::Parse(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && IsBlankOrTab(line.front())) {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == ';') {
            m_lines.push_back({LineKind::Comment, {}, std::string(line.substr(1))});
        } else if (line.front() == '[') {
            const std::string_view name = line.substr(1, line.find(']') - 1);
            m_lines.push_back({LineKind::Group, std::string(name), {}});
        } else if (const size_t equals = line.find('='); equals != std::string_view::npos) {
            std::string_view key = line.substr(0, equals);
            while (!key.empty() && IsBlankOrTab(key.back())) {
                key.remove_suffix(1);
            }
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && IsBlankOrTab(value.front())) {
                value.remove_prefix(1);
            }
            m_lines.push_back({LineKind::Key, std::string(key), std::string(value)});
        }
        // A line without "=" is not a setting; it is dropped.
    }
}

void IniFile::SelectGroup(std::string_view name) {
    m_group = name;
    m_walk = SelectedRange().first;
}

std::optional<int> IniFile::SelectedGroupLine() const {
    if (m_group.empty()) {
        return -1;
    }
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Group && EqualsIgnoreAsciiCase(m_lines[i].name, m_group)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::pair<size_t, size_t> IniFile::SelectedRange() const {
    const std::optional<int> groupLine = SelectedGroupLine();
    if (!groupLine) {
        return {m_lines.size(), m_lines.size()};
    }
    const size_t begin = static_cast<size_t>(*groupLine + 1);
    size_t end = begin;
    while (end < m_lines.size() && m_lines[end].kind != LineKind::Group) {
        ++end;
    }
    return {begin, end};
}

const IniFile::Line* IniFile::FindKey(std::string_view key) const {
    const auto [begin, end] = SelectedRange();
    for (size_t i = begin; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key && EqualsIgnoreAsciiCase(m_lines[i].name, key)) {
            return &m_lines[i];
        }
    }
    return nullptr;
}

std::string IniFile::ReadIniText(std::string_view key, std::string_view fallback) const {
    const Line* line = FindKey(key);
    return std::string(line ? TrimBlanks(line->value) : fallback);
}

int32_t IniFile::ReadIniInteger(std::string_view key, int32_t fallback) const {
    const Line* line = FindKey(key);
    return line ? ReadDecimalInteger(TrimBlanks(line->value)) : fallback;
}

float IniFile::ReadIniReal(std::string_view key, float fallback) const {
    const Line* line = FindKey(key);
    return line ? ReadReal(TrimBlanks(line->value)) : fallback;
}

std::optional<IniFile::KeyValue> IniFile::NextIniKey() {
    const size_t end = SelectedRange().second;
    while (m_walk < end) {
        const Line& line = m_lines[m_walk++];
        if (line.kind == LineKind::Key) {
            return KeyValue{line.name, std::string(TrimBlanks(line.value))};
        }
    }
    return std::nullopt;
}

std::pair<size_t, size_t> IniFile::RangeForWriting() {
    if (!SelectedGroupLine()) {
        m_lines.push_back({LineKind::Group, m_group, {}});
    }
    return SelectedRange();
}

void IniFile::WriteIniText(std::string_view key, std::string_view text) {
    const auto [begin, end] = RangeForWriting();
    for (size_t i = begin; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key && EqualsIgnoreAsciiCase(m_lines[i].name, key)) {
            m_lines[i].value = SingleLine(text);
            return;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<ptrdiff_t>(end),
                   {LineKind::Key, std::string(key), SingleLine(text)});
}

void IniFile::WriteIniInteger(std::string_view key, int32_t value) {
    WriteIniText(key, std::to_string(value));
}

void IniFile::WriteIniReal(std::string_view key, float value) {
    WriteIniText(key, FormatReal(value));
}

void IniFile::WriteIniComment(std::string_view text) {
    const size_t end = RangeForWriting().second;
    m_lines.insert(m_lines.begin() + static_cast<ptrdiff_t>(end),
                   {LineKind::Comment, {}, " " + SingleLine(text)});
}

std::string IniFile::Serialise() const {
    std::string out(kUtf8Mark);
    out += kLineEnd;
    for (const Line& line : m_lines) {
        switch (line.kind) {
            case LineKind::Comment:
                out += ";" + line.value;
                break;
            case LineKind::Group:
                out += "[" + line.name + "]";
                break;
            case LineKind::Key:
                out += line.name + " = " + line.value;
                break;
        }
        out += kLineEnd;
    }
    return out;
}

bool IniFile::CloseIni() {
    bool written = true;
    if (m_created) {
        written = m_output.WriteAndCommit(Serialise());
    }
    m_created = false;
    m_lines.clear();
    m_group.clear();
    m_walk = 0;
    return written;
}
