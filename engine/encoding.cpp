#include "engine/encoding.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>

#include "platform/files.h"

namespace {

using OutputSettings = ConversionSettings::Output;

struct BitDepthSetting {
    std::string_view extension;
    int32_t OutputSettings::*setting;
};

constexpr BitDepthSetting kBitDepthSettings[] = {
    {"bmp", &OutputSettings::bmpBpp},   {"dds", &OutputSettings::ddsBpp},
    {"exr", &OutputSettings::exrBpp},   {"gif", &OutputSettings::gifBpp},
    {"hdr", &OutputSettings::hdrBpp},   {"ico", &OutputSettings::icoBpp},
    {"j2k", &OutputSettings::j2kBpp},   {"jng", &OutputSettings::jngBpp},
    {"jp2", &OutputSettings::jp2Bpp},   {"jpg", &OutputSettings::jpgBpp},
    {"jxr", &OutputSettings::jxrBpp},   {"pbm", &OutputSettings::pbmBpp},
    {"pcx", &OutputSettings::pcxBpp},   {"pfm", &OutputSettings::pfmBpp},
    {"pgm", &OutputSettings::pgmBpp},   {"png", &OutputSettings::pngBpp},
    {"ppm", &OutputSettings::ppmBpp},   {"psd", &OutputSettings::psdBpp},
    {"tga", &OutputSettings::tgaBpp},   {"tiff", &OutputSettings::tiffBpp},
    {"wbmp", &OutputSettings::wbmpBpp}, {"webp", &OutputSettings::webpBpp},
    {"xpm", &OutputSettings::xpmBpp},
};

// The flag for a setting code, by position in `flags`; 0 for a code outside the list.
template <size_t N>
int32_t FlagForCode(int32_t code, const int32_t (&flags)[N]) {
    return code >= 0 && code < static_cast<int32_t>(N) ? flags[code] : 0;
}

int32_t ExrFlags(const OutputSettings& output) {
    return FlagForCode(output.exrCompression, {EXR_NONE, EXR_ZIP, EXR_PIZ, EXR_PXR24, EXR_B44});
}

int32_t JpegFlags(const OutputSettings& output) {
    const int32_t subsampling = FlagForCode(output.jpgChroma, {JPEG_SUBSAMPLING_444, JPEG_SUBSAMPLING_422,
                                                               JPEG_SUBSAMPLING_420, JPEG_SUBSAMPLING_411});
    const int32_t saveAs = FlagForCode(output.jpgSaveAs, {0, JPEG_BASELINE, JPEG_OPTIMIZE, JPEG_PROGRESSIVE});
    return output.jpgQuality | subsampling | saveAs;
}

int32_t PngFlags(const OutputSettings& output) {
    const int32_t compression = FlagForCode(
        output.pngCompression,
        {PNG_Z_NO_COMPRESSION, PNG_Z_BEST_SPEED, PNG_Z_DEFAULT_COMPRESSION, PNG_Z_BEST_COMPRESSION});
    return compression | (output.pngInterlaced ? PNG_INTERLACED : 0);
}

int32_t TiffFlags(const OutputSettings& output) {
    const int32_t compression = FlagForCode(
        output.tiffCompression, {TIFF_NONE, TIFF_CCITTFAX3, TIFF_CCITTFAX4, TIFF_PACKBITS, TIFF_DEFLATE,
                                 TIFF_ADOBE_DEFLATE, TIFF_LZW, TIFF_JPEG, TIFF_LOGLUV});
    // FreeImage has no flag for LAB (colour model 2); such a file is written as RGB.
    return compression | (output.tiffColorModel == 1 ? TIFF_CMYK : 0);
}

// The layout FreeImage's BMP encoder gives an 8-bit image: a 14-byte file header, a 40-byte
// information header and a full 256-entry colour table, so the pixel data starts at byte 1078.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr size_t kLibraryPixelOffset = kHeadersSize + 256 * 4;

// Offsets of the information header's fields within the file.
constexpr size_t kBitCountAt = kFileHeaderSize + 14;
constexpr size_t kCompressionAt = kFileHeaderSize + 16;
constexpr size_t kImageSizeAt = kFileHeaderSize + 20;
constexpr size_t kColoursUsedAt = kFileHeaderSize + 32;
constexpr size_t kImportantColoursAt = kFileHeaderSize + 36;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;

uint32_t ReadLittleEndian(std::span<const BYTE> bytes, size_t at, size_t count) {
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

void PutLittleEndian32(std::string& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

bool IsLibraryEightBitBmp(std::span<const BYTE> bytes) {
    return bytes.size() >= kLibraryPixelOffset && bytes[0] == 'B' && bytes[1] == 'M' &&
           ReadLittleEndian(bytes, 10, 4) == kLibraryPixelOffset &&
           ReadLittleEndian(bytes, kFileHeaderSize, 4) == kInfoHeaderSize &&
           ReadLittleEndian(bytes, kBitCountAt, 2) == 8;
}

struct MemoryStreamCloser {
    void operator()(FIMEMORY* stream) const { FreeImage_CloseMemory(stream); }
};
using MemoryStream = std::unique_ptr<FIMEMORY, MemoryStreamCloser>;

// Rebuilds the library's encoding with only the first `entries` colours of the image's palette.
std::string WithShortColourTable(std::span<const BYTE> encoded, const Bitmap& image, size_t entries,
                                 uint32_t compression) {
    const size_t tableSize = 4 * entries;
    const size_t pixelOffset = kHeadersSize + tableSize;
    const std::span<const BYTE> pixels = encoded.subspan(kLibraryPixelOffset);
    std::string file(pixelOffset + pixels.size(), '\0');

    file[0] = 'B';
    file[1] = 'M';
    PutLittleEndian32(file, 2, static_cast<uint32_t>(file.size()));
    PutLittleEndian32(file, 10, static_cast<uint32_t>(pixelOffset));

    // The information header is the one the library wrote for this image.
    std::memcpy(file.data() + kFileHeaderSize, encoded.data() + kFileHeaderSize, kInfoHeaderSize);
    PutLittleEndian32(file, kCompressionAt, compression);
    PutLittleEndian32(file, kImageSizeAt, static_cast<uint32_t>(pixels.size()));
    PutLittleEndian32(file, kColoursUsedAt, static_cast<uint32_t>(entries));
    PutLittleEndian32(file, kImportantColoursAt, static_cast<uint32_t>(entries));

    const RGBQUAD* palette = FreeImage_GetPalette(image.get());
    for (size_t i = 0; i < entries; ++i) {
        char* entry = file.data() + kHeadersSize + 4 * i;
        entry[0] = static_cast<char>(palette[i].rgbBlue);
        entry[1] = static_cast<char>(palette[i].rgbGreen);
        entry[2] = static_cast<char>(palette[i].rgbRed);
    }
    std::memcpy(file.data() + pixelOffset, pixels.data(), pixels.size());
    return file;
}

}  // namespace

int32_t BitDepthSettingFor(std::string_view extension, const ConversionSettings& settings) {
    for (const BitDepthSetting& row : kBitDepthSettings) {
        if (row.extension == extension) {
            return settings.output.*row.setting;
        }
    }
    return 0;
}

int32_t SaveFlagsFor(std::string_view extension, const ConversionSettings& settings) {
    const OutputSettings& output = settings.output;
    if (extension == "bmp") {
        return output.bmpCompression == 1 ? BMP_SAVE_RLE : 0;
    }
    if (extension == "exr") {
        return ExrFlags(output);
    }
    if (extension == "jpg") {
        return JpegFlags(output);
    }
    if (extension == "jxr") {
        return JXR_LOSSLESS;
    }
    if (extension == "png") {
        return PngFlags(output);
    }
    if (extension == "tga") {
        return output.tgaCompression == 1 ? TARGA_SAVE_RLE : 0;
    }
    if (extension == "tiff") {
        return TiffFlags(output);
    }
    if (extension == "webp") {
        return WEBP_LOSSLESS;
    }
    return 0;
}

void StartRunEncoding(const ConversionSettings& settings, RunState& run) {
    run.outputBitDepth = BitDepthSettingFor(run.outputFormat, settings);
    run.outputSaveFlags = SaveFlagsFor(run.outputFormat, settings);
    run.keepBitDepth = run.outputBitDepth == 0;
}

int HighestPaletteIndex(const Bitmap& image) {
    if (BitsPerPixel(image) != 8) {
        return 0;
    }
    const int width = Width(image);
    BYTE highest = 0;
    for (int y = 0; y < Height(image); ++y) {
        const BYTE* line = FreeImage_GetScanLine(image.get(), y);
        for (int x = 0; x < width; ++x) {
            highest = std::max(highest, line[x]);
        }
    }
    return highest;
}

bool WriteExactPaletteBmp(const Bitmap& image, const std::string& path, const ConversionSettings& settings,
                          const RunState& run) {
    if (!image) {
        return false;
    }
    const MemoryStream stream(FreeImage_OpenMemory());
    if (!stream || !FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(run.outputFormatId), image.get(),
                                           stream.get(), run.outputSaveFlags)) {
        return false;
    }
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_AcquireMemory(stream.get(), &data, &size)) {
        return false;
    }
    // The splice below relies on the library's 8-bit layout; anything else is refused.
    const std::span<const BYTE> encoded(data, size);
    if (!IsLibraryEightBitBmp(encoded)) {
        return false;
    }
    const auto entries = static_cast<size_t>(HighestPaletteIndex(image)) + 1;
    const uint32_t compression = settings.output.bmpCompression == 1 ? kBiRle8 : kBiRgb;
    const std::string file = WithShortColourTable(encoded, image, entries, compression);

    ReplacingFile output;
    return output.CreateUnique(path) && output.Write(file) && output.Commit(ReplacingFile::Flush::No);
}
