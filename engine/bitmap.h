#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <memory>

// Every FreeImage bitmap is owned by a Bitmap; releasing one is the deleter's job alone.
struct BitmapDeleter {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

inline int BitsPerPixel(const Bitmap& image) {
    return image ? static_cast<int>(FreeImage_GetBPP(image.get())) : 0;
}
inline int Width(const Bitmap& image) {
    return image ? static_cast<int>(FreeImage_GetWidth(image.get())) : 0;
}
inline int Height(const Bitmap& image) {
    return image ? static_cast<int>(FreeImage_GetHeight(image.get())) : 0;
}

// The largest image a stage may create: sides that fit an int and a 32-bit pixel buffer of at
// most 4 GiB. A stage refuses a larger result instead of letting the allocation kill the process.
inline bool IsWithinImageLimits(int64_t width, int64_t height) {
    constexpr int64_t kMaxSide = INT32_MAX;
    constexpr int64_t kMaxBytes = int64_t{4} << 30;
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxBytes / 4;
}
