#include "engine/format_catalogue.h"

#include <FreeImage.h>

#include "app/number_text.h"
#include "app/text.h"
#include "app/text_table.h"

namespace {

constexpr std::string_view kEnabledInputGroups[] = {"raw"};
constexpr std::string_view kEnabledOutputFormats[] = {"bmp"};

struct OutputRow {
    const char* extension;
    FREE_IMAGE_FORMAT formatId;
    const char* description;
    const char* bitDepths;
};

// The portable-anymap entries use FreeImage's ASCII variants.
constexpr OutputRow kOutputRows[] = {
    {"bmp", FIF_BMP, "Windows or OS/2 Bitmap", "1,4,8,16,24,32"},
    {"exr", FIF_EXR, "ILM OpenEXR", "96"},
    {"gif", FIF_GIF, "Graphics Interchange Format", "8"},
    {"hdr", FIF_HDR, "High Dynamic Range Image", "96"},
    {"ico", FIF_ICO, "Windows Icon", "1,4,8,16,24,32"},
    {"j2k", FIF_J2K, "JPEG-2000 Codestream", "8,24,32,48"},
    {"jng", FIF_JNG, "JPEG Network Graphics", "24,32"},
    {"jp2", FIF_JP2, "JPEG-2000 File Format", "8,24,32,48"},
    {"jpg", FIF_JPEG, "JPEG File Format", "8,24"},
    {"jxr", FIF_JXR, "JPEG XR Image Format", "1,8,16,24,32,48,96"},
    {"pbm", FIF_PBM, "Portable Bitmap", "1"},
    {"pfm", FIF_PFM, "Portable Floatmap", "96"},
    {"pgm", FIF_PGM, "Portable Greymap", "8"},
    {"png", FIF_PNG, "Portable Network Graphics", "1,4,8,24,32,48"},
    {"ppm", FIF_PPM, "Portable Pixelmap", "24,48"},
    {"tga", FIF_TARGA, "Truevision Targa", "8,16,24,32"},
    {"tiff", FIF_TIFF, "Tagged Image File Format", "1,4,8,24,32,48,96"},
    {"wbmp", FIF_WBMP, "Wireless Bitmap", "1"},
    {"webp", FIF_WEBP, "Google WebP Image Format", "24,32"},
    {"xpm", FIF_XPM, "X11 Pixmap Format", "24"},
};

struct InputRow {
    const char* group;
    const char* extensions;  // blank-separated, in definition order
    const char* description;
};

constexpr InputRow kInputRows[] = {
    {"bmp", "bmp rle dib", "Windows or OS/2 Bitmap"},
    {"dds", "dds", "DirectDraw Surface File"},
    {"emf", "emf emz", "Enhanced Metafile Format"},
    {"gif", "gif", "GIF File"},
    {"hdr", "hdr hdri", "High Dynamic Range File"},
    {"ico", "ico", "Windows Icon"},
    {"jpg", "jpg jpeg jpe jif", "JPEG File"},
    {"pcd", "pcd pcd1 pcds ppcd", "Kodak PhotoCD File"},
    {"pcx", "pcx", "ZSoft Paintbrush File"},
    {"pic", "pic pict pct", "Macintosh PICT"},
    {"png", "png", "Portable Network Graphics"},
    {"psd", "psd", "Adobe Photoshop File"},
    {"tga", "tga targa", "Truevision Targa"},
    {"tiff", "tiff tif", "Tagged Image File Format"},
    {"wmf", "wmf wmz", "Windows Metafile Format"},
    {"wmf", "apm", "Aldus Placeable Metafile"},
    {"raw", "raw raw1 raw2", "Camera RAW Image"},
    {"raw", "3fr", "Hasselblad Camera RAW Image"},
    {"raw", "arw sr2 srf", "Sony Camera RAW Image"},
    {"raw", "bay", "Casio Camera RAW Image"},
    {"raw", "bmq", "NuCore RAW Image"},
    {"raw", "cap iiq eip", "Phase One Camera RAW Image"},
    {"raw", "cine", "Phantom RAW Image"},
    {"raw", "cr2 crw", "Canon Camera RAW Image"},
    {"raw", "cs1", "Capture Shop RAW Image"},
    {"raw", "dc2 dcr drf dsc k25 kc2 kdc dcs", "Kodak Camera RAW Image"},
    {"raw", "dng", "Adobe Digital Negative Image"},
    {"raw", "erf", "Epson Camera RAW Image"},
    {"raw", "fff", "Imacon Camera RAW Image"},
    {"raw", "ia sti", "Sinar RAW Image"},
    {"raw", "mdc mrw", "Minolta Camera RAW Image"},
    {"raw", "mef mos", "Mamiya Camera RAW Image"},
    {"raw", "nef nrw", "Nikon Camera RAW Image"},
    {"raw", "orf", "Olympus Camera RAW Image"},
    {"raw", "pef ptx", "Pentax Camera RAW Image"},
    {"raw", "pxn", "Logitech Camera RAW Image"},
    {"raw", "qtk", "Apple Quicktake Camera RAW Image"},
    {"raw", "raf", "Fuji Camera RAW Image"},
    {"raw", "rdc", "Digital Foto Maker RAW Image"},
    {"raw", "rw2", "Panasonic Camera RAW Image"},
    {"raw", "rwz", "Rawzor Camera RAW Image"},
    {"raw", "x3f", "Sigma Camera RAW Image"},
    {"raw", "ari", "ARRI RAW Image"},
    {"raw", "r3d", "RED RAW Image"},
    {"raw", "rwl", "Leica Camera RAW Image"},
};

// The watermark picture formats, each with its patterns already joined.
struct FilterEntry {
    std::string patterns;
    std::string description;
};

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        fields.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

// "All Supported Files|<every pattern>|", one "description|patterns|" per description (later
// patterns in front, descriptions in bucket order), then "All Files (*.*)|*.*".
std::string BuildFileFilter(const std::vector<FilterEntry>& entries) {
    std::string all;
    BucketMap<std::string> groups;
    for (const FilterEntry& e : entries) {
        all += (all.empty() ? "" : ";") + e.patterns;
        std::string& patterns = groups[e.description];
        patterns = patterns.empty() ? e.patterns : e.patterns + ";" + patterns;
    }
    std::string filter = LocalText("Dialog", "All Supported Files") + "|" + all + "|";
    groups.ForEach([&](const std::string& description, const std::string& patterns) {
        filter += description + "|" + patterns + "|";
    });
    return filter + LocalText("Dialog", "All Files") + " (*.*)|*.*";
}

}  // namespace

std::span<const std::string_view> EnabledInputGroups() {
    return kEnabledInputGroups;
}

std::span<const std::string_view> EnabledOutputFormats() {
    return kEnabledOutputFormats;
}

bool IsOutputFormat(std::string_view extension) {
    for (std::string_view format : kEnabledOutputFormats) {
        if (format == extension) {
            return true;
        }
    }
    return false;
}

void FormatCatalogue::BuildFormatCatalogue() {
    for (const OutputRow& row : kOutputRows) {
        m_outputs[row.extension] = {row.formatId, row.extension, row.description, row.bitDepths};
    }
    for (const InputRow& row : kInputRows) {
        for (const std::string& extension : SplitAt(row.extensions, ' ')) {
            m_inputs[extension] = {row.group, row.description};
        }
    }
}

void FormatCatalogue::BuildAcceptedInputExtensions() {
    std::string joined;
    for (std::string_view group : EnabledInputGroups()) {
        m_inputs.ForEach([&](const std::string& extension, const InputExtension& entry) {
            if (entry.group == group) {
                joined += extension + ",";
            }
        });
    }
    if (!joined.empty()) {
        joined.pop_back();
    }
    m_accepted = SplitAt(joined, ',');
}

bool FormatCatalogue::IsAcceptedInputExtension(std::string_view extension) const {
    for (const std::string& accepted : m_accepted) {
        if (accepted == extension) {
            return true;
        }
    }
    return false;
}

const FormatCatalogue::OutputFormat* FormatCatalogue::FindOutput(std::string_view extension) const {
    const auto it = m_outputs.find(extension);
    return it == m_outputs.end() ? nullptr : &it->second;
}

int32_t FormatCatalogue::LookupFormatId(std::string_view extension) const {
    const OutputFormat* format = FindOutput(extension);
    return format ? format->formatId : 0;
}

std::string FormatCatalogue::BitDepthList(std::string_view extension) const {
    const OutputFormat* format = FindOutput(extension);
    return format ? format->bitDepths : std::string();
}

bool FormatCatalogue::IsAllowedBitDepth(std::string_view extension, int32_t bits) const {
    if (bits == 0) {
        return true;
    }
    for (const std::string& field : SplitAt(BitDepthList(extension), ',')) {
        if (ReadInteger(field) == bits) {
            return true;
        }
    }
    return false;
}

int32_t FormatCatalogue::NearestAllowedBitDepth(std::string_view extension, int32_t bits) const {
    int64_t depth = 0;
    for (const std::string& field : SplitAt(BitDepthList(extension), ',')) {
        depth = ReadInteger(field);
        if (depth >= bits) {
            break;
        }
    }
    return static_cast<int32_t>(depth);
}

std::string FormatCatalogue::OutputFormatLabel(std::string_view extension, bool withDescription) const {
    std::string label = AsciiUpper(extension);
    if (withDescription) {
        const OutputFormat* format = FindOutput(extension);
        label += " (" + (format ? format->description : std::string()) + ")";
    }
    return label;
}

std::string FormatCatalogue::InputFileFilter() const {
    std::vector<FilterEntry> entries;
    for (const std::string& extension : m_accepted) {
        const InputExtension* entry = m_inputs.Find(extension);
        entries.push_back({"*." + extension, entry ? entry->description : std::string()});
    }
    return BuildFileFilter(entries);
}

std::string FormatCatalogue::WatermarkImageFilter() const {
    return BuildFileFilter({{"*.jpg;*.jpeg;*.jpe;*.jif", "JPEG File"},
                            {"*.png", "Portable Network Graphics"},
                            {"*.bmp;*.rle;*.dib", "Windows or OS/2 Bitmap"}});
}

FormatCatalogue& TheFormatCatalogue() {
    static FormatCatalogue catalogue;
    return catalogue;
}
