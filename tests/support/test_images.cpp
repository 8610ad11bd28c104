#include "tests/support/test_images.h"

#include <algorithm>

namespace {

unsigned Row(const Bitmap& image, int y) {
    return FreeImage_GetHeight(image.get()) - 1 - static_cast<unsigned>(y);
}

void FillStandard(const Bitmap& image, int width, int height, int bitsPerPixel,
                  Rgb (*colourAt)(int, int, Rgb), Rgb colour) {
    const int bytes = bitsPerPixel / 8;
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(image.get(), static_cast<int>(Row(image, y)));
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y, colour);
            BYTE* p = line + x * bytes;
            p[FI_RGBA_RED] = c.red;
            p[FI_RGBA_GREEN] = c.green;
            p[FI_RGBA_BLUE] = c.blue;
            if (bytes == 4) {
                p[FI_RGBA_ALPHA] = 255;
            }
        }
    }
}

Rgb Same(int, int, Rgb colour) {
    return colour;
}
Rgb Pattern(int x, int y, Rgb) {
    return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x + y)};
}

}  // namespace

Bitmap MakeSolidBitmap(int width, int height, int bitsPerPixel, Rgb colour) {
    switch (bitsPerPixel) {
        case 8: {
            Bitmap image(FreeImage_Allocate(width, height, 8));
            RGBQUAD* palette = FreeImage_GetPalette(image.get());
            for (int i = 0; i < 256; ++i) {
                palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
            }
            for (int y = 0; y < height; ++y) {
                BYTE* line = FreeImage_GetScanLine(image.get(), y);
                std::fill(line, line + width, colour.red);
            }
            return image;
        }
        case 48: {
            Bitmap image(FreeImage_AllocateT(FIT_RGB16, width, height));
            for (int y = 0; y < height; ++y) {
                auto* line = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(image.get(), y));
                for (int x = 0; x < width; ++x) {
                    line[x] = {static_cast<WORD>(colour.red * 257), static_cast<WORD>(colour.green * 257),
                               static_cast<WORD>(colour.blue * 257)};
                }
            }
            return image;
        }
        case 96: {
            Bitmap image(FreeImage_AllocateT(FIT_RGBF, width, height));
            for (int y = 0; y < height; ++y) {
                auto* line = reinterpret_cast<FIRGBF*>(FreeImage_GetScanLine(image.get(), y));
                for (int x = 0; x < width; ++x) {
                    line[x] = {colour.red / 255.0f, colour.green / 255.0f, colour.blue / 255.0f};
                }
            }
            return image;
        }
        default: {
            Bitmap image(FreeImage_Allocate(width, height, bitsPerPixel));
            FillStandard(image, width, height, bitsPerPixel, Same, colour);
            return image;
        }
    }
}

Bitmap MakePatternBitmap(int width, int height, int bitsPerPixel) {
    Bitmap image(FreeImage_Allocate(width, height, bitsPerPixel));
    FillStandard(image, width, height, bitsPerPixel, Pattern, {});
    return image;
}

std::string EncodeImage(const Bitmap& image, FREE_IMAGE_FORMAT format, int flags) {
    FIMEMORY* stream = FreeImage_OpenMemory();
    std::string bytes;
    if (FreeImage_SaveToMemory(format, image.get(), stream, flags)) {
        BYTE* data = nullptr;
        DWORD size = 0;
        FreeImage_AcquireMemory(stream, &data, &size);
        bytes.assign(reinterpret_cast<const char*>(data), size);
    }
    FreeImage_CloseMemory(stream);
    return bytes;
}

std::string EncodeJpeg(const Bitmap& image, int orientation) {
    std::string jpeg = EncodeImage(image, FIF_JPEG, 95);
    if (orientation < 1 || orientation > 8 || jpeg.size() < 2) {
        return jpeg;
    }
    // An APP1 segment right after SOI: "Exif", a little-endian TIFF header and one IFD holding
    // only the Orientation tag (0x0112, SHORT, count 1).
    const std::string tiff = std::string("II*\0\x08\0\0\0", 8) + std::string("\x01\0", 2) +
                             std::string("\x12\x01\x03\0\x01\0\0\0", 8) +
                             std::string(1, static_cast<char>(orientation)) + std::string(3, '\0') +
                             std::string(4, '\0');
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const size_t length = payload.size() + 2;
    const std::string segment = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                                static_cast<char>(length & 0xFF) + payload;
    return jpeg.insert(2, segment);
}

Rgb PixelAt(const Bitmap& image, int x, int y) {
    const unsigned row = Row(image, y);
    if (FreeImage_GetBPP(image.get()) <= 8) {
        BYTE index = 0;
        FreeImage_GetPixelIndex(image.get(), static_cast<unsigned>(x), row, &index);
        const RGBQUAD c = FreeImage_GetPalette(image.get())[index];
        return {c.rgbRed, c.rgbGreen, c.rgbBlue};
    }
    RGBQUAD c{};
    FreeImage_GetPixelColor(image.get(), static_cast<unsigned>(x), row, &c);
    return {c.rgbRed, c.rgbGreen, c.rgbBlue};
}

uint8_t AlphaAt(const Bitmap& image, int x, int y) {
    RGBQUAD c{};
    FreeImage_GetPixelColor(image.get(), static_cast<unsigned>(x), Row(image, y), &c);
    return c.rgbReserved;
}
