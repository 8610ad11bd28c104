#include "engine/load_input.h"

#include <cmath>
#include <optional>
#include <vector>

#include "platform/files.h"

namespace {

// FreeImage reads through these; they are what its own file loader uses, on a shared stream.
unsigned ReadProc(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return static_cast<unsigned>(std::fread(buffer, size, count, static_cast<FILE*>(handle)));
}
unsigned WriteProc(void*, unsigned, unsigned, fi_handle) {
    return 0;
}
int SeekProc(fi_handle handle, long offset, int origin) {
    return std::fseek(static_cast<FILE*>(handle), offset, origin);
}
long TellProc(fi_handle handle) {
    return std::ftell(static_cast<FILE*>(handle));
}

Bitmap LoadFromStream(FREE_IMAGE_FORMAT format, const InputFile& file, int flags) {
    if (file.Size() == 0) {
        return nullptr;
    }
    std::rewind(file.Stream());
    FreeImageIO io{ReadProc, WriteProc, SeekProc, TellProc};
    return Bitmap(FreeImage_LoadFromHandle(format, &io, file.Stream(), flags));
}

struct HeaderlessGeometry {
    int width;
    int height;
    int64_t pitch;
};

std::optional<HeaderlessGeometry> GeometryFor(int64_t dataBytes, int bitsPerPixel,
                                              const ConversionSettings& s) {
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

Bitmap LoadHeaderless(const InputFile& file, HeaderlessMode mode, const ConversionSettings& settings) {
    const int64_t header = settings.input.rawHeaderSize;
    const int64_t dataBytes = file.Size() - header;
    if (header < 0 || dataBytes <= 0) {
        return nullptr;
    }
    const bool rgb8 = mode == HeaderlessMode::Rgb8;
    const int bitsPerPixel = rgb8 ? 8 : 16;
    const std::optional<HeaderlessGeometry> geometry = GeometryFor(dataBytes, bitsPerPixel, settings);
    if (!geometry) {
        return nullptr;
    }
    const int64_t imageBytes = geometry->pitch * geometry->height;
    // Bytes past the data stay zero: short data pads the bottom of the image.
    std::vector<BYTE> pixels;
    try {
        pixels.assign(static_cast<size_t>(imageBytes), 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (fseeko(file.Stream(), header, SEEK_SET) != 0) {
        return nullptr;
    }
    std::fread(pixels.data(), 1, static_cast<size_t>(std::min(dataBytes, imageBytes)), file.Stream());
    const unsigned redMask = rgb8 ? 0xFF0000 : 0xF800;
    const unsigned greenMask = rgb8 ? 0x00FF00 : 0x07E0;
    const unsigned blueMask = rgb8 ? 0x0000FF : 0x001F;
    return Bitmap(FreeImage_ConvertFromRawBits(
        pixels.data(), geometry->width, geometry->height, static_cast<int>(geometry->pitch),
        static_cast<unsigned>(bitsPerPixel), redMask, greenMask, blueMask, TRUE));
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

Bitmap LoadHeaderlessImage(const std::string& path, HeaderlessMode mode, const ConversionSettings& settings) {
    InputFile file;
    return file.Open(path) ? LoadHeaderless(file, mode, settings) : nullptr;
}

Bitmap LoadInputImage(const std::string& path, const ConversionSettings& settings) {
    InputFile file;
    if (!file.Open(path)) {
        return nullptr;
    }
    const int loadAs = settings.input.rawLoadAs;
    if (loadAs == 1 || loadAs == 2) {
        if (Bitmap image = LoadHeaderless(file, static_cast<HeaderlessMode>(loadAs), settings)) {
            return image;
        }
    }
    if (Bitmap image = LoadFromStream(FIF_RAW, file, RawLoadFlags(settings))) {
        return image;
    }
    if (Bitmap image = LoadFromStream(FIF_JPEG, file, JPEG_ACCURATE | JPEG_EXIFROTATE)) {
        return image;
    }
    return LoadHeaderless(file, HeaderlessMode::Rgb16, settings);
}
