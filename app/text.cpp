#include "app/text.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>

namespace {

char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char LowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Decodes one code point starting at text[i] and advances i; malformed input yields U+FFFD.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp > 0x10FFFF ? 0xFFFD : cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The C.UTF-8 locale maps the whole Unicode range whatever the process locale says; without it
// only ASCII letters change case.
locale_t UnicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

enum class Case { Upper, Lower };

char32_t MapCase(char32_t cp, Case to) {
    if (const locale_t locale = UnicodeLocale()) {
        const auto c = static_cast<wint_t>(cp);
        return static_cast<char32_t>(to == Case::Upper ? towupper_l(c, locale) : towlower_l(c, locale));
    }
    if (to == Case::Upper) {
        return cp >= 'a' && cp <= 'z' ? cp - 'a' + 'A' : cp;
    }
    return cp >= 'A' && cp <= 'Z' ? cp - 'A' + 'a' : cp;
}

// The first character mapped to `first`, the others to `rest`.
std::string MapCases(std::string_view utf8, Case first, Case rest) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const bool isFirst = i == 0;
        AppendUtf8(out, MapCase(NextCodePoint(utf8, i), isFirst ? first : rest));
    }
    return out;
}

}  // namespace

std::string UnicodeUpper(std::string_view utf8) {
    return MapCases(utf8, Case::Upper, Case::Upper);
}
std::string UnicodeLower(std::string_view utf8) {
    return MapCases(utf8, Case::Lower, Case::Lower);
}
std::string UnicodeTitle(std::string_view utf8) {
    return MapCases(utf8, Case::Upper, Case::Lower);
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = UpperChar(c);
    }
    return out;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = LowerChar(c);
    }
    return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlankOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view WithoutEndQuotes(std::string_view text) {
    while (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == '"') {
        text.remove_suffix(1);
    }
    return text;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::u16string Utf16Units(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        }
    }
    return out;
}

int CompareUtf16(std::string_view a, std::string_view b) {
    // UTF-8 byte order equals code-point order, which differs from UTF-16 order only where a
    // supplementary character meets one of U+E000..U+FFFF; the pure-ASCII common case stays cheap.
    const auto isAscii = [](std::string_view s) {
        for (char c : s) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                return false;
            }
        }
        return true;
    };
    if (isAscii(a) && isAscii(b)) {
        return a.compare(b);
    }
    return Utf16Units(a).compare(Utf16Units(b));
}

std::string ReplaceIgnoreAsciiCase(std::string_view text, std::string_view pattern, std::string_view value) {
    if (pattern.empty()) {
        return std::string(text);
    }
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (i + pattern.size() <= text.size() &&
            EqualsIgnoreAsciiCase(text.substr(i, pattern.size()), pattern)) {
            out += value;
            i += pattern.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}
