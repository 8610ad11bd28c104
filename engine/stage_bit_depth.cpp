#include "engine/format_catalogue.h"
#include "engine/stage.h"

namespace {

// Formats whose 8-bit images are grey levels rather than a quantised palette.
bool TakesGreyEightBits(std::string_view extension) {
    return extension == "j2k" || extension == "jp2" || extension == "jpg" || extension == "jxr";
}

Bitmap ToEightBits(Bitmap image, std::string_view extension) {
    if (TakesGreyEightBits(extension)) {
        return Bitmap(FreeImage_ConvertTo8Bits(image.get()));
    }
    // The Wu quantizer works on 24-bit images: a palette of 256 entries, none reserved.
    if (BitsPerPixel(image) != 24) {
        image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        if (!image) {
            return image;
        }
    }
    return Bitmap(FreeImage_ColorQuantizeEx(image.get(), FIQ_WUQUANT, 256, 0, nullptr));
}

// FreeImage dithers and packs only standard bitmaps; 48-bit loads go through 24 bits first.
Bitmap WithoutHighDepth(Bitmap image) {
    if (BitsPerPixel(image) > 32) {
        return Bitmap(FreeImage_ConvertTo24Bits(image.get()));
    }
    return image;
}

Bitmap ToOneBit(Bitmap image) {
    image = WithoutHighDepth(std::move(image));
    return image ? Bitmap(FreeImage_Dither(image.get(), FID_FS)) : nullptr;
}

Bitmap ToSixteenBits(Bitmap image, std::string_view extension) {
    image = WithoutHighDepth(std::move(image));
    if (!image) {
        return image;
    }
    // Icons and Targa files keep 16-bit pixels as 5-5-5; every other format as 5-6-5.
    if (extension == "ico" || extension == "tga") {
        return Bitmap(FreeImage_ConvertTo16Bits555(image.get()));
    }
    return Bitmap(FreeImage_ConvertTo16Bits565(image.get()));
}

Bitmap ConvertedToDepth(Bitmap image, int bits, std::string_view extension) {
    switch (bits) {
        case 1:
            return ToOneBit(std::move(image));
        case 4:
            return Bitmap(FreeImage_ConvertTo4Bits(image.get()));
        case 8:
            return ToEightBits(std::move(image), extension);
        case 16:
            return ToSixteenBits(std::move(image), extension);
        case 24:
            return Bitmap(FreeImage_ConvertTo24Bits(image.get()));
        case 32:
            return Bitmap(FreeImage_ConvertTo32Bits(image.get()));
        case 48:
            return Bitmap(FreeImage_ConvertToRGB16(image.get()));
        case 96:
            return Bitmap(FreeImage_ConvertToRGBF(image.get()));
        default:
            return nullptr;
    }
}

}  // namespace

Bitmap ApplyBitDepth(Bitmap image, const StageContext& context) {
    if (!image) {
        return image;
    }
    RunState& run = context.run;
    // The automatic depth follows the image as it was loaded, not what the earlier stages made of it.
    if (run.keepBitDepth) {
        run.outputBitDepth = context.catalogue.NearestAllowedBitDepth(run.outputFormat, run.sourceBitDepth);
    }
    if (BitsPerPixel(image) == run.outputBitDepth) {
        return image;
    }
    return ConvertedToDepth(std::move(image), run.outputBitDepth, run.outputFormat);
}
