#include "engine/naming.h"

#include <cstdio>
#include <mutex>
#include <random>

#include "app/text.h"
#include "platform/clock.h"

namespace {

constexpr std::string_view kPlaceholders[] = {
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%", "%ext%", "%ext[u]%",
    "%ext[t]%",   "%yyyy%",        "%mm%",          "%dd%",          "%hh%",  "%ii%",
    "%ss%",       "%bpp%",         "%width%",       "%height%",      "%rnd%", "%n%"};

constexpr std::string_view kDefaultMask = "%filename%.%ext%";

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string FiveDigits(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%05d", value);
    return buffer;
}

std::string PlaceholderValue(std::string_view placeholder, const RunState& run) {
    const std::string name = StripExtension(FileNameOf(run.inputFullPath));
    if (placeholder == "%filename%")
        return name;
    if (placeholder == "%filename[u]%")
        return UnicodeUpper(name);
    if (placeholder == "%filename[l]%")
        return UnicodeLower(name);
    if (placeholder == "%filename[t]%")
        return UnicodeTitle(name);
    if (placeholder == "%ext%")
        return run.outputFormat;
    if (placeholder == "%ext[u]%")
        return UnicodeUpper(run.outputFormat);
    if (placeholder == "%ext[t]%")
        return UnicodeTitle(run.outputFormat);
    // The clock is read for each date placeholder.
    if (placeholder == "%yyyy%")
        return std::to_string(CurrentLocalTime().tm_year + 1900);
    if (placeholder == "%mm%")
        return TwoDigits(CurrentLocalTime().tm_mon + 1);
    if (placeholder == "%dd%")
        return TwoDigits(CurrentLocalTime().tm_mday);
    if (placeholder == "%hh%")
        return TwoDigits(CurrentLocalTime().tm_hour);
    if (placeholder == "%ii%")
        return TwoDigits(CurrentLocalTime().tm_min);
    if (placeholder == "%ss%")
        return TwoDigits(CurrentLocalTime().tm_sec);
    if (placeholder == "%bpp%")
        return std::to_string(run.outputBitDepth);
    if (placeholder == "%width%")
        return std::to_string(run.resultWidth);
    if (placeholder == "%height%")
        return std::to_string(run.resultHeight);
    if (placeholder == "%rnd%")
        return FiveDigits(run.nameRandom);
    return FiveDigits(run.nameCounter);
}

// Position of the extension's dot, or npos when the name has no extension.
size_t ExtensionDot(std::string_view name) {
    for (size_t i = name.size(); i-- > 0;) {
        const char c = name[i];
        if (c == ' ' || c == '/') {
            return std::string_view::npos;
        }
        if (c == '.') {
            return (i == 0 || name[i - 1] == '/') ? std::string_view::npos : i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::span<const std::string_view> NamePlaceholders() {
    return kPlaceholders;
}

std::string ExpandPlaceholder(std::string_view text, std::string_view placeholder, const RunState& run) {
    std::string_view known;
    for (std::string_view p : kPlaceholders) {
        if (EqualsIgnoreAsciiCase(p, placeholder)) {
            known = p;
        }
    }
    if (known.empty()) {
        return std::string(text);
    }
    return ReplaceIgnoreAsciiCase(text, known, PlaceholderValue(known, run));
}

std::string ExpandFileNameMask(const ConversionSettings& settings, const RunState& run) {
    std::string mask = UnicodeLower(settings.advanced.filenameMask);
    if (mask.empty()) {
        mask = kDefaultMask;
    }
    for (std::string_view placeholder : kPlaceholders) {
        if (mask.find(placeholder) != std::string::npos) {
            mask = ExpandPlaceholder(mask, placeholder, run);
        }
    }
    return mask;
}

std::string BuildOutputPath(const ConversionSettings& settings, const RunState& run) {
    std::string path = run.outputFolder;
    if (settings.advanced.keepSubfolders) {
        path += run.currentSubfolder;
    }
    return path + ExpandFileNameMask(settings, run);
}

std::string StripExtension(std::string_view name) {
    const size_t dot = ExtensionDot(name);
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string ExtensionOf(std::string_view name) {
    const size_t dot = ExtensionDot(name);
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

int32_t NewNameRandom() {
    static std::mutex lock;
    static std::mt19937 generator{std::random_device{}()};
    const std::lock_guard<std::mutex> guard(lock);
    return std::uniform_int_distribution<int32_t>(1, 99999)(generator);
}

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}
