#include "engine/load_input.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace {

// FreeImage's memory streams address at most 4 GiB; no camera file comes near this.
constexpr size_t kMaxInputBytes = size_t{2} << 30;

struct MemoryStreamCloser {
    void operator()(FIMEMORY* stream) const { FreeImage_CloseMemory(stream); }
};
using MemoryStream = std::unique_ptr<FIMEMORY, MemoryStreamCloser>;

Bitmap LoadFromMemory(FREE_IMAGE_FORMAT format, std::string_view file, int flags) {
    if (file.empty()) {
        return nullptr;
    }
    // FreeImage only reads from a stream that wraps a caller's buffer.
    MemoryStream stream(
        FreeImage_OpenMemory(reinterpret_cast<BYTE*>(const_cast<char*>(file.data())), static_cast<DWORD>(file.size())));
    return stream ? Bitmap(FreeImage_LoadFromMemory(format, stream.get(), flags)) : nullptr;
}

struct HeaderlessGeometry {
    int width;
    int height;
    int64_t pitch;
};

std::optional<HeaderlessGeometry> GeometryFor(int64_t dataBytes, int bitsPerPixel, const ConversionSettings& s) {
    const int bytesPerPixel = bitsPerPixel / 8;
    int64_t width = s.input.rawImageWidth;
    int64_t height = s.input.rawImageHeight;
    if (width == 0 || height == 0) {
        const double side = std::nearbyint(std::sqrt(static_cast<double>(dataBytes) / bytesPerPixel));
        width = height = static_cast<int64_t>(side);
    }
    if (!IsWithinImageLimits(width, height) || width * bytesPerPixel > INT32_MAX) {
        return std::nullopt;
    }
    return HeaderlessGeometry{static_cast<int>(width), static_cast<int>(height), width * bytesPerPixel};
}

}  // namespace

int RawLoadFlags(const ConversionSettings& settings) {
    switch (settings.input.rawLoadAs) {
        case 0:
            return RAW_PREVIEW;
        case 3:
            return RAW_DISPLAY;
        case 4:
            return RAW_HALFSIZE;
        default:
            return RAW_DEFAULT;
    }
}

Bitmap LoadHeaderlessImage(std::string_view file, HeaderlessMode mode, const ConversionSettings& settings) {
    const int64_t header = settings.input.rawHeaderSize;
    const int64_t dataBytes = static_cast<int64_t>(file.size()) - header;
    if (header < 0 || dataBytes <= 0) {
        return nullptr;
    }
    const bool rgb8 = mode == HeaderlessMode::Rgb8;
    const int bitsPerPixel = rgb8 ? 8 : 16;
    const std::optional<HeaderlessGeometry> geometry = GeometryFor(dataBytes, bitsPerPixel, settings);
    if (!geometry) {
        return nullptr;
    }
    const unsigned redMask = rgb8 ? 0xFF0000 : 0xF800;
    const unsigned greenMask = rgb8 ? 0x00FF00 : 0x07E0;
    const unsigned blueMask = rgb8 ? 0x0000FF : 0x001F;
    const int64_t imageBytes = geometry->pitch * geometry->height;
    const BYTE* data = reinterpret_cast<const BYTE*>(file.data() + header);

    // Short data is padded with zero bytes; otherwise the file's bytes are used where they lie.
    std::vector<BYTE> padded;
    if (dataBytes < imageBytes) {
        try {
            padded.assign(static_cast<size_t>(imageBytes), 0);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        std::memcpy(padded.data(), data, static_cast<size_t>(dataBytes));
        data = padded.data();
    }
    return Bitmap(FreeImage_ConvertFromRawBits(const_cast<BYTE*>(data), geometry->width, geometry->height,
                                               static_cast<int>(geometry->pitch), static_cast<unsigned>(bitsPerPixel),
                                               redMask, greenMask, blueMask, TRUE));
}

Bitmap LoadInputImage(const std::string& path, const ConversionSettings& settings) {
    const std::optional<std::string> file = ReadRegularFile(path, kMaxInputBytes);
    if (!file) {
        return nullptr;
    }
    const int loadAs = settings.input.rawLoadAs;
    if (loadAs == 1 || loadAs == 2) {
        if (Bitmap image = LoadHeaderlessImage(*file, static_cast<HeaderlessMode>(loadAs), settings)) {
            return image;
        }
    }
    if (Bitmap image = LoadFromMemory(FIF_RAW, *file, RawLoadFlags(settings))) {
        return image;
    }
    if (Bitmap image = LoadFromMemory(FIF_JPEG, *file, JPEG_ACCURATE | JPEG_EXIFROTATE)) {
        return image;
    }
    return LoadHeaderlessImage(*file, HeaderlessMode::Rgb16, settings);
}
