#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/text.h"
#include "platform/files.h"
#include "themes/image_sets.h"

// A theme is a zip archive "<name>.zip" in the theme folder holding theme.cfg (Windows-1252 text
// with CR LF line ends) and PNG pictures. theme.cfg names a picture file per key in its groups
// Buttons and Icons; a value without ".png" gets "_<size>.png" appended.

namespace {

constexpr char kCfgEntry[] = "theme.cfg";
// The display name is read from the start of theme.cfg only.
constexpr size_t kDisplayNameBytes = 255;
// Limits on what a theme archive declares, so that a damaged or hostile archive cannot make the
// program allocate without bound.
constexpr int64_t kMaxCfgBytes = 64 * 1024;
constexpr int64_t kMaxPictureBytes = 8 * 1024 * 1024;
constexpr uint32_t kMaxPictureSide = 4096;

// Windows-1252 at 0x80 to 0x9F; the five codes it leaves undefined map to the C1 controls, as
// Windows' own conversion does. The other bytes are ISO-8859-1.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& text, char16_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Windows-1252 bytes as UTF-8 text, which ends at the first NUL byte as a C string does.
std::string DecodeWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code == 0) {
            break;
        }
        AppendUtf8(text, code >= 0x80 && code <= 0x9F ? kWindows1252High[code - 0x80] : char16_t{code});
    }
    return text;
}

// Group names and keys are ASCII, so folding ASCII letters is all the case matching they need.
size_t FindIgnoringCase(std::string_view text, std::string_view pattern, size_t from) {
    for (size_t at = from; at + pattern.size() <= text.size(); ++at) {
        if (EqualsIgnoreAsciiCase(text.substr(at, pattern.size()), pattern)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// The text between the first and the second "=" of a line; empty without "=".
std::string_view SecondEqualsField(std::string_view line) {
    const size_t first = line.find('=');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t second = line.find('=', first + 1);
    return line.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
}

std::string CleanValue(std::string_view value) {
    const size_t begin = value.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    std::string clean(value.substr(begin, value.find_last_not_of(' ') - begin + 1));
    std::erase_if(clean, [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    return clean;
}

std::string ArchivePath(const std::string& themeFolder, const std::string& name) {
    return themeFolder + name + ".zip";
}

// Only a plain file name stands for an archive in the theme folder.
bool IsFileName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos;
}

// config.ini keeps the chosen theme on one line as a trimmed value; names that would break that
// line are not offered.
bool IsListableName(const std::string& name) {
    return IsFileName(name) && name.find_first_of("\t\r\n") == std::string::npos;
}

struct ArchiveReadFree {
    void operator()(archive* zip) const { archive_read_free(zip); }
};
using ZipReader = std::unique_ptr<archive, ArchiveReadFree>;

// The seekable reader takes names and sizes from the central directory.
ZipReader OpenZip(const std::string& path) {
    ZipReader zip(archive_read_new());
    if (!zip || archive_read_support_format_zip_seekable(zip.get()) != ARCHIVE_OK ||
        archive_read_open_filename(zip.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) {
        return nullptr;
    }
    return zip;
}

std::string EntryName(archive_entry* entry) {
    const char* name = archive_entry_pathname_utf8(entry);
    if (!name) {
        name = archive_entry_pathname(entry);
    }
    return name ? name : "";
}

int64_t EntrySize(archive_entry* entry) {
    return archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
}

// Calls visit(name, declared size) for each entry, with the entry ready to be read, until it
// returns false or the archive ends or fails.
template <typename Visit>
void ForEachEntry(archive* zip, Visit visit) {
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(zip, &entry);
        if ((status != ARCHIVE_OK && status != ARCHIVE_WARN) || !visit(EntryName(entry), EntrySize(entry))) {
            return;
        }
    }
}

// Up to `limit` bytes from the start of the current entry; none on a read error.
std::optional<std::string> ReadEntryStart(archive* zip, size_t limit) {
    std::string data(limit, '\0');
    size_t filled = 0;
    while (filled < limit) {
        const la_ssize_t count = archive_read_data(zip, data.data() + filled, limit - filled);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<size_t>(count);
    }
    data.resize(filled);
    return data;
}

// The current entry when it holds exactly its declared size; a damaged entry yields none.
std::optional<std::string> ReadWholeEntry(archive* zip, int64_t size) {
    std::optional<std::string> data = ReadEntryStart(zip, static_cast<size_t>(size) + 1);
    if (!data || static_cast<int64_t>(data->size()) != size) {
        return std::nullopt;
    }
    return data;
}

uint32_t BigEndian32(std::string_view bytes) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

// A PNG starts with its 8-byte signature and the IHDR chunk: length, "IHDR", width, height.
bool FitsPictureLimits(std::string_view png) {
    if (png.size() < 24 || png.substr(12, 4) != "IHDR") {
        return false;
    }
    return BigEndian32(png.substr(16)) <= kMaxPictureSide && BigEndian32(png.substr(20)) <= kMaxPictureSide;
}

struct ArchiveContents {
    std::map<std::string, int64_t> entrySizes;  // entries of positive size
    std::string cfg;                            // theme.cfg decoded; empty when missing or unreadable
};

std::optional<ArchiveContents> ReadArchiveContents(const std::string& path) {
    const ZipReader zip = OpenZip(path);
    if (!zip) {
        return std::nullopt;
    }
    ArchiveContents contents;
    ForEachEntry(zip.get(), [&](const std::string& name, int64_t size) {
        if (size <= 0) {
            return true;
        }
        contents.entrySizes[name] = size;
        if (name == kCfgEntry && size <= kMaxCfgBytes) {
            if (const std::optional<std::string> bytes = ReadWholeEntry(zip.get(), size)) {
                contents.cfg = DecodeWindows1252(*bytes);
            }
        }
        return true;
    });
    return contents;
}

// Archive entry name to the pictures it replaces.
using PictureRequests = std::map<std::string, std::vector<QImage*>>;

std::string PictureFileName(const std::string& value, const std::string& size) {
    if (AsciiLower(value).find(".png") != std::string::npos) {
        return value;
    }
    return value + "_" + size + ".png";
}

void RequestPictures(PictureRequests& requests, std::map<std::string, QImage>& set,
                     const std::vector<std::string>& keys, const ArchiveContents& contents,
                     std::string_view group, const std::string& size) {
    for (const std::string& key : keys) {
        const std::string value = CfgValue(contents.cfg, group, key);
        if (value.empty()) {
            continue;
        }
        const std::string file = PictureFileName(value, size);
        const auto entry = contents.entrySizes.find(file);
        if (entry != contents.entrySizes.end() && entry->second <= kMaxPictureBytes) {
            requests[file].push_back(&set[key]);
        }
    }
}

// A picture that is too large or cannot be decoded leaves its targets as they were.
void DecodeInto(std::string_view png, const std::vector<QImage*>& targets) {
    QImage picture;
    if (!FitsPictureLimits(png) || !picture.loadFromData(reinterpret_cast<const uchar*>(png.data()),
                                                         static_cast<int>(png.size()), "PNG")) {
        return;
    }
    for (QImage* target : targets) {
        *target = picture;
    }
}

void LoadRequestedPictures(const std::string& path, const PictureRequests& requests) {
    if (requests.empty()) {
        return;
    }
    const ZipReader zip = OpenZip(path);
    if (!zip) {
        return;
    }
    ForEachEntry(zip.get(), [&](const std::string& name, int64_t size) {
        const auto request = requests.find(name);
        if (request != requests.end() && size > 0 && size <= kMaxPictureBytes) {
            if (const std::optional<std::string> png = ReadWholeEntry(zip.get(), size)) {
                DecodeInto(*png, request->second);
            }
        }
        return true;
    });
}

}  // namespace

ThemeList ListThemes(const std::string& themeFolder) {
    ThemeList themes;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(themeFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string fileName = entry->path().filename().string();
        std::error_code typeError;
        if (!fileName.ends_with(".zip") || !entry->is_regular_file(typeError)) {
            continue;
        }
        const std::string name = fileName.substr(0, fileName.size() - 4);
        if (IsListableName(name)) {
            themes[name] = ThemeDisplayName(themeFolder, name);
        }
    }
    return themes;
}

std::string ThemeDisplayName(const std::string& themeFolder, const std::string& name) {
    const std::string path = ArchivePath(themeFolder, name);
    if (!IsFileName(name) || FileSize(path) <= 0) {
        return name;
    }
    const ZipReader zip = OpenZip(path);
    if (!zip) {
        return name;
    }
    std::string cfg;
    ForEachEntry(zip.get(), [&](const std::string& entryName, int64_t) {
        if (entryName != kCfgEntry) {
            return true;
        }
        if (const std::optional<std::string> start = ReadEntryStart(zip.get(), kDisplayNameBytes)) {
            cfg = DecodeWindows1252(*start);
        }
        return false;
    });
    return CfgValue(cfg, "Theme", "Name");
}

std::string CfgValue(std::string_view cfg, std::string_view group, std::string_view key) {
    const std::string header = "[" + std::string(group) + "]";
    const size_t headerAt = FindIgnoringCase(cfg, header, 0);
    if (headerAt == std::string_view::npos) {
        return {};
    }
    const size_t groupEnd = std::min(cfg.find('[', headerAt + header.size()), cfg.size());
    // Keys are found only at the start of a line after CR LF, and as a prefix of that line.
    const size_t keyAt = FindIgnoringCase(cfg, "\r\n" + std::string(key), headerAt);
    if (keyAt >= groupEnd) {
        return {};
    }
    const size_t lineAt = keyAt + 2;
    const size_t lineEnd = std::min(cfg.find("\r\n", lineAt), cfg.size());
    return CleanValue(SecondEqualsField(cfg.substr(lineAt, lineEnd - lineAt)));
}

void LoadTheme(ImageSets& images, AppSettings& settings, const ThemeList& themes,
               const std::string& themeFolder, ThemeParts parts) {
    std::string& theme = settings.interface.uiTheme;
    if (!(IsFileName(theme) && FileSize(ArchivePath(themeFolder, theme)) >= 0) && !themes.empty()) {
        theme = themes.begin()->first;
    }
    const std::string path = ArchivePath(themeFolder, theme);
    if (!IsFileName(theme) || FileSize(path) <= 0) {
        return;
    }
    const std::optional<ArchiveContents> contents = ReadArchiveContents(path);
    if (!contents) {
        return;
    }
    PictureRequests requests;
    if (parts.buttons) {
        RequestPictures(requests, images.buttons, ButtonKeys(), *contents, "Buttons", "16");
    }
    if (parts.menuIcons) {
        RequestPictures(requests, images.menuIcons, IconKeys(), *contents, "Icons", "16");
    }
    if (parts.toolbarIcons) {
        RequestPictures(requests, images.toolbarIcons, IconKeys(), *contents, "Icons",
                        std::to_string(IconPixels(settings.interface.uiSize)));
    }
    LoadRequestedPictures(path, requests);
}
