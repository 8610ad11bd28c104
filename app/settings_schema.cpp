#include "app/settings_schema.h"

#include "app/product.h"
#include "app/text.h"

namespace {

using K = SettingKind;
using D = DefaultRule;

// Value tables of the option switches; the console echo prints the same names in lower case.
constexpr ValueName kDdsLoad[] = {{"AUTO", 0}, {"BGRA", 1}, {"RGBA", 2}};
constexpr ValueName kRawLoad[] = {{"AUTO", 0}, {"8", 1}, {"16", 2}, {"24", 3}, {"48HS", 4}, {"48", 5}};
constexpr ValueName kFrameLoading[] = {{"ALL", 0}, {"FIRST", 1}, {"MIDDLE", 2}, {"LAST", 3}, {"RANDOM", 4}};
constexpr ValueName kToneMapping[] = {{"NONE", 0}, {"LINEAR", 1}, {"AL", 2}, {"DRR", 3}, {"GD", 4}};
// One table for five switches: each format family's names restart at 1.
constexpr ValueName kCompression[] = {
    {"NONE", 0},    {"RLE", 1},          {"ZIP", 1},   {"PIZ", 2},       {"PXR24", 3},     {"B44", 4},
    {"ZLIB1", 1},   {"ZLIB6", 2},        {"ZLIB9", 3}, {"CCITTFAX3", 1}, {"CCITTFAX4", 2}, {"PACKBITS", 3},
    {"DEFLATE", 4}, {"ADOBEDEFLATE", 5}, {"LZW", 6},   {"JPEG", 7},      {"LOGLUV", 8}};
constexpr ValueName kColourTable[] = {{"AUTO", 0}, {"EXACT", 1}};
constexpr ValueName kColourModel[] = {{"RGB", 0}, {"CMYK", 1}, {"LAB", 2}};
constexpr ValueName kChroma[] = {{"NONE", 0}, {"LOW", 1}, {"MEDIUM", 2}, {"HIGH", 3}};
constexpr ValueName kJpegSave[] = {{"STANDARD", 0}, {"SIMPLE", 1}, {"OPTIMIZED", 2}, {"PROGRESSIVE", 3}};
constexpr ValueName kRotationType[] = {{"SIMPLE", 0}, {"ADVANCED", 1}};
constexpr ValueName kSizeUnit[] = {{"PIXELS", 0}, {"PERCENT", 1}};
constexpr ValueName kResizeType[] = {{"ALLIMAGES", 0}, {"LARGEIMAGES", 1}};
constexpr ValueName kResizeAlgorithm[] = {{"BOX", 0},     {"BILINEAR", 1},   {"BSPLINE", 2},
                                          {"BICUBIC", 3}, {"CATMULLROM", 4}, {"LANCZOS", 5}};
constexpr ValueName kFontStyle[] = {{"REGULAR", 0}, {"BOLD", 1}, {"ITALIC", 2}, {"BOLDITALIC", 3}};
constexpr ValueName kFontEffect[] = {{"NONE", 0}, {"UNDERLINE", 1}, {"STRIKETHROUGHT", 2}};
constexpr ValueName kTextAlignment[] = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
constexpr ValueName kBoundary[] = {{"IMAGE", 0}, {"FRAME", 1}};
constexpr ValueName kPosition[] = {{"TOPLEFT", 0},    {"TOPCENTER", 1},    {"TOPRIGHT", 2},
                                   {"MIDDLELEFT", 3}, {"MIDDLECENTER", 4}, {"MIDDLERIGHT", 5},
                                   {"BOTTOMLEFT", 6}, {"BOTTOMCENTER", 7}, {"BOTTOMRIGHT", 8}};
constexpr ValueName kWatermarkSize[] = {{"FIXED", 0}};
constexpr ValueName kFileTimestamp[] = {{"CURRENT", 0}, {"ORIGINAL", 1}, {"CUSTOM", 2}};

// Echo keywords of settings that no switch names.
constexpr ValueName kBmpCompressionKeywords[] = {{"NONE", 0}, {"RLE", 1}};
constexpr ValueName kFrameKeywords[] = {{"NONE", 0}, {"SOLID", 1}};
constexpr ValueName kWatermarkKeywords[] = {{"NONE", 0}, {"TEXT", 1}, {"IMAGE", 2}};

constexpr OptionSwitch IntegerOption(const char* name, const char* alsoKey = nullptr, int32_t alsoValue = 0) {
    return {name, OptionValue::Integer, {}, 0, alsoKey, alsoValue};
}
constexpr OptionSwitch RealOption(const char* name, const char* alsoKey, int32_t alsoValue) {
    return {name, OptionValue::Real, {}, 0, alsoKey, alsoValue};
}
constexpr OptionSwitch NameOption(const char* name, ValueNames names) {
    return {name, OptionValue::Name, names};
}
constexpr OptionSwitch TextOption(const char* name, const char* alsoKey = nullptr, int32_t alsoValue = 0) {
    return {name, OptionValue::Text, {}, 0, alsoKey, alsoValue};
}
// A switch without a value: it stores `value`, whatever follows it.
constexpr OptionSwitch FixedOption(const char* name, int32_t value, const char* alsoKey = nullptr,
                                   int32_t alsoValue = 0) {
    return {name, OptionValue::None, {}, value, alsoKey, alsoValue};
}

#define FIELD(path) [](Settings& s) -> FieldRef { return &s.path; }

constexpr const char* kDefaultColours = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";

// clang-format off
const SettingDef kSchema[] = {
    // group, key, kind, default, field, format, switch, echo keywords
    {"General", "CFG", K::Integer, {D::FileVersion, 17}, FIELD(app.general.cfg)},
    {"General", "Language", K::Text, "en", FIELD(app.general.language)},
    {"General", "Update Range", K::Code, 2, FIELD(app.general.updateRange)},
    {"General", "Update Date", K::Date, D::CurrentDate, FIELD(app.general.updateDate)},
    {"General", "Save Window Position", K::Flag, 1, FIELD(app.general.saveWindowPosition)},

    {"Window", "IsMaximized", K::Flag, 0, FIELD(app.window.isMaximized)},
    {"Window", "Width", K::Integer, 510, FIELD(app.window.width)},
    {"Window", "Height", K::Integer, 260, FIELD(app.window.height)},
    {"Window", "X", K::Integer, D::WindowX, FIELD(app.window.x)},
    {"Window", "Y", K::Integer, D::WindowY, FIELD(app.window.y)},

    {"Interface", "UI Theme", K::Text, "handdrawn", FIELD(app.interface.uiTheme)},
    {"Interface", "UI Size", K::Code, 2, FIELD(app.interface.uiSize)},

    {"Input", "Format", K::Text, D::FirstInputFormat, FIELD(conversion.input.format)},
    {"Input", "DDS Load As", K::Code, 0, FIELD(conversion.input.ddsLoadAs), "dds", NameOption("--DDS-LOAD-AS", kDdsLoad)},
    {"Input", "GIF Frame Loading", K::Code, 0, FIELD(conversion.input.gifFrameLoading), "gif", NameOption("--GIF-FRAME-LOADING", kFrameLoading)},
    {"Input", "ICO Frame Loading", K::Code, 0, FIELD(conversion.input.icoFrameLoading), "ico", NameOption("--ICO-FRAME-LOADING", kFrameLoading)},
    {"Input", "TIFF Frame Loading", K::Code, 0, FIELD(conversion.input.tiffFrameLoading), "tiff", NameOption("--TIFF-FRAME-LOADING", kFrameLoading)},
    {"Input", "RAW Load As", K::Code, 0, FIELD(conversion.input.rawLoadAs), "raw", NameOption("--RAW-LOAD-AS", kRawLoad), kRawLoad},
    {"Input", "RAW Header Size", K::Integer, 0, FIELD(conversion.input.rawHeaderSize), "raw", IntegerOption("--RAW-HEADER-SIZE")},
    {"Input", "RAW Image Width", K::Integer, 0, FIELD(conversion.input.rawImageWidth), "raw", IntegerOption("--RAW-WIDTH")},
    {"Input", "RAW Image Height", K::Integer, 0, FIELD(conversion.input.rawImageHeight), "raw", IntegerOption("--RAW-HEIGHT")},
    {"Input", "RAW Tone Mapping", K::Code, 2, FIELD(conversion.input.rawToneMapping), "raw", NameOption("--RAW-TONE-MAPPING", kToneMapping), kToneMapping},

    {"Output", "Format", K::Text, D::FirstOutputFormat, FIELD(conversion.output.format)},
    {"Output", "BMP BPP", K::Integer, 0, FIELD(conversion.output.bmpBpp), "bmp", IntegerOption("--BMP-BPP")},
    {"Output", "BMP Compression", K::Code, 0, FIELD(conversion.output.bmpCompression), "bmp", NameOption("--BMP-COMPRESSION", kCompression), kBmpCompressionKeywords},
    {"Output", "BMP Color Table", K::Code, 0, FIELD(conversion.output.bmpColorTable), "bmp", NameOption("--BMP-COLOR-TABLE", kColourTable), kColourTable},
    {"Output", "DDS BPP", K::Integer, 0, FIELD(conversion.output.ddsBpp), "dds", IntegerOption("--DDS-BPP")},
    {"Output", "EXR BPP", K::Integer, 0, FIELD(conversion.output.exrBpp), "exr", IntegerOption("--EXR-BPP")},
    {"Output", "EXR Compression", K::Code, 0, FIELD(conversion.output.exrCompression), "exr", NameOption("--EXR-COMPRESSION", kCompression)},
    {"Output", "GIF BPP", K::Integer, 0, FIELD(conversion.output.gifBpp), "gif", IntegerOption("--GIF-BPP")},
    {"Output", "HDR BPP", K::Integer, 0, FIELD(conversion.output.hdrBpp), "hdr", IntegerOption("--HDR-BPP")},
    {"Output", "ICO BPP", K::Integer, 0, FIELD(conversion.output.icoBpp), "ico", IntegerOption("--ICO-BPP")},
    {"Output", "J2K BPP", K::Integer, 0, FIELD(conversion.output.j2kBpp), "j2k", IntegerOption("--J2K-BPP")},
    {"Output", "JNG BPP", K::Integer, 0, FIELD(conversion.output.jngBpp), "jng", IntegerOption("--JNG-BPP")},
    {"Output", "JP2 BPP", K::Integer, 0, FIELD(conversion.output.jp2Bpp), "jp2", IntegerOption("--JP2-BPP")},
    {"Output", "JPG BPP", K::Integer, 0, FIELD(conversion.output.jpgBpp), "jpg", IntegerOption("--JPG-BPP")},
    {"Output", "JPG Quality", K::Integer, 95, FIELD(conversion.output.jpgQuality), "jpg", IntegerOption("--JPG-QUALITY")},
    {"Output", "JPG Chroma", K::Code, 0, FIELD(conversion.output.jpgChroma), "jpg", NameOption("--JPG-CHROMA", kChroma)},
    {"Output", "JPG Save As", K::Code, 0, FIELD(conversion.output.jpgSaveAs), "jpg", NameOption("--JPG-SAVE-AS", kJpegSave)},
    {"Output", "JXR BPP", K::Integer, 0, FIELD(conversion.output.jxrBpp), "jxr", IntegerOption("--JXR-BPP")},
    {"Output", "PBM BPP", K::Integer, 0, FIELD(conversion.output.pbmBpp), "pbm", IntegerOption("--PBM-BPP")},
    {"Output", "PCX BPP", K::Integer, 0, FIELD(conversion.output.pcxBpp), "pcx", IntegerOption("--PCX-BPP")},
    {"Output", "PFM BPP", K::Integer, 0, FIELD(conversion.output.pfmBpp), "pfm", IntegerOption("--PFM-BPP")},
    {"Output", "PGM BPP", K::Integer, 0, FIELD(conversion.output.pgmBpp), "pgm", IntegerOption("--PGM-BPP")},
    {"Output", "PNG BPP", K::Integer, 0, FIELD(conversion.output.pngBpp), "png", IntegerOption("--PNG-BPP")},
    {"Output", "PNG Compression", K::Code, 0, FIELD(conversion.output.pngCompression), "png", NameOption("--PNG-COMPRESSION", kCompression)},
    {"Output", "PNG Interlaced", K::Flag, 0, FIELD(conversion.output.pngInterlaced), "png", FixedOption("--PNG-INTERLACED", 1)},
    {"Output", "PPM BPP", K::Integer, 0, FIELD(conversion.output.ppmBpp), "ppm", IntegerOption("--PPM-BPP")},
    {"Output", "PSD BPP", K::Integer, 0, FIELD(conversion.output.psdBpp), "psd", IntegerOption("--PSD-BPP")},
    {"Output", "TGA BPP", K::Integer, 0, FIELD(conversion.output.tgaBpp), "tga", IntegerOption("--TGA-BPP")},
    {"Output", "TGA Compression", K::Code, 0, FIELD(conversion.output.tgaCompression), "tga", NameOption("--TGA-COMPRESSION", kCompression)},
    {"Output", "TIFF BPP", K::Integer, 0, FIELD(conversion.output.tiffBpp), "tiff", IntegerOption("--TIFF-BPP")},
    {"Output", "TIFF Compression", K::Code, 0, FIELD(conversion.output.tiffCompression), "tiff", NameOption("--TIFF-COMPRESSION", kCompression)},
    {"Output", "TIFF Color Model", K::Code, 0, FIELD(conversion.output.tiffColorModel), "tiff", NameOption("--TIFF-COLOR-MODEL", kColourModel)},
    {"Output", "WBMP BPP", K::Integer, 0, FIELD(conversion.output.wbmpBpp), "wbmp", IntegerOption("--WBMP-BPP")},
    {"Output", "WEBP BPP", K::Integer, 0, FIELD(conversion.output.webpBpp), "webp", IntegerOption("--WEBP-BPP")},
    {"Output", "XPM BPP", K::Integer, 0, FIELD(conversion.output.xpmBpp), "xpm", IntegerOption("--XPM-BPP")},

    {"Transform", "Do Image Rotation", K::Flag, 0, FIELD(conversion.transform.doImageRotation)},
    {"Transform", "Image Rotation Type", K::Code, 0, FIELD(conversion.transform.imageRotationType), nullptr, NameOption("--ROTATION-TYPE", kRotationType), kRotationType},
    {"Transform", "Image Rotation", K::Integer, 0, FIELD(conversion.transform.imageRotation), nullptr, IntegerOption("--ROTATION", "Do Image Rotation", 1)},
    {"Transform", "Image Rotation Back Color", K::Colour, "000000", FIELD(conversion.transform.imageRotationBackColor), nullptr, TextOption("--ROTATION-BACK-COLOR")},
    {"Transform", "Do Image Resize", K::Flag, 0, FIELD(conversion.transform.doImageResize)},
    {"Transform", "Image Width", K::Integer, 0, FIELD(conversion.transform.imageWidth), nullptr, IntegerOption("--WIDTH", "Do Image Resize", 1)},
    {"Transform", "Image Width Unit", K::Code, 0, FIELD(conversion.transform.imageWidthUnit), nullptr, NameOption("--WIDTH-UNIT", kSizeUnit), kSizeUnit},
    {"Transform", "Image Height", K::Integer, 0, FIELD(conversion.transform.imageHeight), nullptr, IntegerOption("--HEIGHT", "Do Image Resize", 1)},
    {"Transform", "Image Height Unit", K::Code, 0, FIELD(conversion.transform.imageHeightUnit), nullptr, NameOption("--HEIGHT-UNIT", kSizeUnit), kSizeUnit},
    {"Transform", "Keep Aspect Ratio", K::Flag, D::OnUnlessCommandLine, FIELD(conversion.transform.keepAspectRatio), nullptr, FixedOption("--KEEP-ASPECT-RATIO", 1)},
    {"Transform", "Image Resize Type", K::Code, 0, FIELD(conversion.transform.imageResizeType), nullptr, NameOption("--RESIZE-TYPE", kResizeType), kResizeType},
    {"Transform", "Image Resize Algorithm", K::Code, 3, FIELD(conversion.transform.imageResizeAlgorithm), nullptr, NameOption("--RESIZE-ALGORITHM", kResizeAlgorithm), kResizeAlgorithm},
    {"Transform", "Do Image Flip Horizontal", K::Flag, 0, FIELD(conversion.transform.doImageFlipHorizontal), nullptr, FixedOption("--FLIP-HORIZONTAL", 1)},
    {"Transform", "Do Image Flip Vertical", K::Flag, 0, FIELD(conversion.transform.doImageFlipVertical), nullptr, FixedOption("--FLIP-VERTICAL", 1)},

    {"Adjustment", "Do Image Color Correction", K::Flag, 0, FIELD(conversion.adjustment.doImageColorCorrection)},
    {"Adjustment", "Image Brightness", K::Integer, 0, FIELD(conversion.adjustment.imageBrightness), nullptr, IntegerOption("--BRIGHTNESS", "Do Image Color Correction", 1)},
    {"Adjustment", "Image Contrast", K::Integer, 0, FIELD(conversion.adjustment.imageContrast), nullptr, IntegerOption("--CONTRAST", "Do Image Color Correction", 1)},
    {"Adjustment", "Image Gamma", K::Real, 1.0, FIELD(conversion.adjustment.imageGamma), nullptr, RealOption("--GAMMA", "Do Image Color Correction", 1)},
    {"Adjustment", "Image Invert", K::Flag, 0, FIELD(conversion.adjustment.imageInvert), nullptr, FixedOption("--INVERT", 1, "Do Image Color Correction", 1)},
    {"Adjustment", "Do Image Greyscale", K::Flag, 0, FIELD(conversion.adjustment.doImageGreyscale), nullptr, FixedOption("--GREYSCALE", 1)},
    {"Adjustment", "Do Image Threshold", K::Flag, 0, FIELD(conversion.adjustment.doImageThreshold)},
    {"Adjustment", "Image Threshold", K::Integer, 0, FIELD(conversion.adjustment.imageThreshold), nullptr, IntegerOption("--THRESHOLD", "Do Image Threshold", 1)},

    {"Frame", "Do Frame", K::Code, 0, FIELD(conversion.frame.doFrame), nullptr, {}, kFrameKeywords},
    {"Frame", "Solid Left", K::Integer, 0, FIELD(conversion.frame.solidLeft), nullptr, IntegerOption("--FR-SOLID-LEFT", "Do Frame", 1)},
    {"Frame", "Solid Right", K::Integer, 0, FIELD(conversion.frame.solidRight), nullptr, IntegerOption("--FR-SOLID-RIGHT", "Do Frame", 1)},
    {"Frame", "Solid Top", K::Integer, 0, FIELD(conversion.frame.solidTop), nullptr, IntegerOption("--FR-SOLID-TOP", "Do Frame", 1)},
    {"Frame", "Solid Bottom", K::Integer, 0, FIELD(conversion.frame.solidBottom), nullptr, IntegerOption("--FR-SOLID-BOTTOM", "Do Frame", 1)},
    {"Frame", "Solid Left Color", K::Colour, "000000", FIELD(conversion.frame.solidLeftColor), nullptr, TextOption("--FR-SOLID-LEFT-COLOR")},
    {"Frame", "Solid Right Color", K::Colour, "000000", FIELD(conversion.frame.solidRightColor), nullptr, TextOption("--FR-SOLID-RIGHT-COLOR")},
    {"Frame", "Solid Top Color", K::Colour, "000000", FIELD(conversion.frame.solidTopColor), nullptr, TextOption("--FR-SOLID-TOP-COLOR")},
    {"Frame", "Solid Bottom Color", K::Colour, "000000", FIELD(conversion.frame.solidBottomColor), nullptr, TextOption("--FR-SOLID-BOTTOM-COLOR")},
    {"Frame", "Solid Opacity", K::Integer, 255, FIELD(conversion.frame.solidOpacity), nullptr, IntegerOption("--FR-SOLID-OPACITY")},

    {"Watermark", "Do Watermark", K::Code, 0, FIELD(conversion.watermark.doWatermark), nullptr, {}, kWatermarkKeywords},
    {"Watermark", "Text", K::Text, kDefaultWatermarkText, FIELD(conversion.watermark.text), nullptr, TextOption("--WM-TEXT", "Do Watermark", 1)},
    {"Watermark", "Fonts", K::Text, "Arial,Tahoma,Verdana", FIELD(conversion.watermark.fonts)},
    {"Watermark", "Font", K::Text, "Arial", FIELD(conversion.watermark.font), nullptr, TextOption("--WM-FONT")},
    {"Watermark", "Font Size", K::Integer, 14, FIELD(conversion.watermark.fontSize), nullptr, IntegerOption("--WM-FONT-SIZE")},
    {"Watermark", "Font Leading", K::Integer, 0, FIELD(conversion.watermark.fontLeading), nullptr, IntegerOption("--WM-FONT-LEADING")},
    {"Watermark", "Font Colors", K::ColourList, kDefaultColours, FIELD(conversion.watermark.fontColors)},
    {"Watermark", "Font Color", K::Colour, "FFFFFF", FIELD(conversion.watermark.fontColor), nullptr, TextOption("--WM-FONT-COLOR")},
    {"Watermark", "Font Style", K::Code, 0, FIELD(conversion.watermark.fontStyle), nullptr, NameOption("--WM-FONT-STYLE", kFontStyle), kFontStyle},
    {"Watermark", "Font Effect", K::Code, 0, FIELD(conversion.watermark.fontEffect), nullptr, NameOption("--WM-FONT-EFFECT", kFontEffect), kFontEffect},
    {"Watermark", "Text Antialiasing", K::Flag, 0, FIELD(conversion.watermark.textAntialiasing), nullptr, FixedOption("--WM-TEXT-ANTIALIASING", 1)},
    {"Watermark", "Text Alignment", K::Code, 0, FIELD(conversion.watermark.textAlignment), nullptr, NameOption("--WM-TEXT-ALIGNMENT", kTextAlignment), kTextAlignment},
    {"Watermark", "Text Padding", K::Integer, 0, FIELD(conversion.watermark.textPadding), nullptr, IntegerOption("--WM-TEXT-PADDING")},
    {"Watermark", "Text Opacity", K::Integer, 255, FIELD(conversion.watermark.textOpacity), nullptr, IntegerOption("--WM-TEXT-OPACITY")},
    {"Watermark", "Back Colors", K::ColourList, kDefaultColours, FIELD(conversion.watermark.backColors)},
    {"Watermark", "Back Color", K::Colour, "000000", FIELD(conversion.watermark.backColor), nullptr, TextOption("--WM-BACK-COLOR")},
    {"Watermark", "Back Opacity", K::Integer, 1, FIELD(conversion.watermark.backOpacity), nullptr, IntegerOption("--WM-BACK-OPACITY")},
    {"Watermark", "Text Boundary", K::Code, 0, FIELD(conversion.watermark.textBoundary), nullptr, NameOption("--WM-TEXT-BOUNDARY", kBoundary), kBoundary},
    {"Watermark", "Text Position", K::Code, 8, FIELD(conversion.watermark.textPosition), nullptr, NameOption("--WM-TEXT-POSITION", kPosition), kPosition},
    {"Watermark", "Text X Offset", K::Integer, 10, FIELD(conversion.watermark.textXOffset), nullptr, IntegerOption("--WM-TEXT-X-OFFSET")},
    {"Watermark", "Text Y Offset", K::Integer, 10, FIELD(conversion.watermark.textYOffset), nullptr, IntegerOption("--WM-TEXT-Y-OFFSET")},
    {"Watermark", "Text Rotation", K::Integer, 0, FIELD(conversion.watermark.textRotation), nullptr, IntegerOption("--WM-TEXT-ROTATION")},
    {"Watermark", "Text Size", K::Code, 0, FIELD(conversion.watermark.textSize), nullptr, NameOption("--WM-TEXT-SIZE", kWatermarkSize), kWatermarkSize},
    {"Watermark", "Text Scale", K::Integer, 10, FIELD(conversion.watermark.textScale)},
    {"Watermark", "Image", K::Text, "", FIELD(conversion.watermark.image), nullptr, TextOption("--WM-IMAGE", "Do Watermark", 2)},
    {"Watermark", "Image Greyscale", K::Flag, 0, FIELD(conversion.watermark.imageGreyscale), nullptr, FixedOption("--WM-IMAGE-GREYSCALE", 1)},
    {"Watermark", "Image Opacity", K::Integer, 255, FIELD(conversion.watermark.imageOpacity), nullptr, IntegerOption("--WM-IMAGE-OPACITY")},
    {"Watermark", "Image Boundary", K::Code, 0, FIELD(conversion.watermark.imageBoundary), nullptr, NameOption("--WM-IMAGE-BOUNDARY", kBoundary), kBoundary},
    {"Watermark", "Image Position", K::Code, 8, FIELD(conversion.watermark.imagePosition), nullptr, NameOption("--WM-IMAGE-POSITION", kPosition), kPosition},
    {"Watermark", "Image X Offset", K::Integer, 10, FIELD(conversion.watermark.imageXOffset), nullptr, IntegerOption("--WM-IMAGE-X-OFFSET")},
    {"Watermark", "Image Y Offset", K::Integer, 10, FIELD(conversion.watermark.imageYOffset), nullptr, IntegerOption("--WM-IMAGE-Y-OFFSET")},
    {"Watermark", "Image Rotation", K::Integer, 0, FIELD(conversion.watermark.imageRotation), nullptr, IntegerOption("--WM-IMAGE-ROTATION")},
    {"Watermark", "Image Size", K::Code, 0, FIELD(conversion.watermark.imageSize), nullptr, NameOption("--WM-IMAGE-SIZE", kWatermarkSize), kWatermarkSize},
    {"Watermark", "Image Scale", K::Integer, 10, FIELD(conversion.watermark.imageScale)},

    {"Advanced", "Filename Mask", K::Text, "%filename%.%ext%", FIELD(conversion.advanced.filenameMask), nullptr, {"--FILENAME-MASK", OptionValue::Text, {}, 0, nullptr, 0, true}},
    {"Advanced", "File Timestamp", K::Code, 0, FIELD(conversion.advanced.fileTimestamp), nullptr, NameOption("--FILE-TIMESTAMP", kFileTimestamp), kFileTimestamp},
    {"Advanced", "Custom Timestamp", K::Date, D::CurrentDate, FIELD(conversion.advanced.customTimestamp), nullptr, IntegerOption("--FILE-TIMESTAMP-CUSTOM")},
    {"Advanced", "Out Folders History", K::Code, 1, FIELD(conversion.advanced.outFoldersHistory)},
    {"Advanced", "Out Folders Number", K::Integer, 5, FIELD(conversion.advanced.outFoldersNumber)},
    {"Advanced", "Keep Subfolders", K::Flag, 1, FIELD(conversion.advanced.keepSubfolders), nullptr, FixedOption("--NO-SUBFOLDERS", 0)},

    {"File", "Recent Out Folders", K::Text, "", FIELD(app.file.recentOutFolders)},
    {"File", "Recent Files", K::Text, "", FIELD(app.file.recentFiles)},

    {"Privacy", "Clean Recent Files", K::Flag, 0, FIELD(app.privacy.cleanRecentFiles)},
};
// clang-format on

#undef FIELD

template <class T>
T* FieldAs(const Settings& settings, const SettingDef& setting) {
    // The schema hands out pointers into a mutable record; reads go through the same accessor.
    FieldRef ref = setting.field(const_cast<Settings&>(settings));
    T** p = std::get_if<T*>(&ref);
    return p ? *p : nullptr;
}

}  // namespace

std::span<const SettingDef> SettingsSchema() {
    return kSchema;
}

const SettingDef* FindSetting(std::string_view group, std::string_view key) {
    for (const SettingDef& s : kSchema) {
        if (group == s.group && key == s.key) {
            return &s;
        }
    }
    return nullptr;
}

const SettingDef* FindOptionSwitch(std::string_view upperName) {
    for (const SettingDef& s : kSchema) {
        if (s.option.name && upperName == s.option.name) {
            return &s;
        }
    }
    return nullptr;
}

int32_t LookupValueName(ValueNames names, std::string_view text) {
    const std::string upper = AsciiUpper(text);
    for (const ValueName& v : names) {
        if (upper == v.name) {
            return v.code;
        }
    }
    return 0;
}

std::string ValueKeyword(const SettingDef& setting, int32_t code) {
    for (const ValueName& v : setting.keywords) {
        if (v.code == code) {
            return AsciiLower(v.name);
        }
    }
    return {};
}

int32_t GetNumber(const Settings& settings, const SettingDef& setting) {
    if (const auto* p = FieldAs<int32_t>(settings, setting)) {
        return *p;
    }
    if (const auto* p = FieldAs<int8_t>(settings, setting)) {
        return *p;
    }
    return 0;
}

void SetNumber(Settings& settings, const SettingDef& setting, int64_t value) {
    const auto low32 = static_cast<uint32_t>(static_cast<uint64_t>(value));
    if (auto* p = FieldAs<int32_t>(settings, setting)) {
        *p = static_cast<int32_t>(low32);
    } else if (auto* q = FieldAs<int8_t>(settings, setting)) {
        *q = static_cast<int8_t>(static_cast<uint8_t>(low32 & 0xFF));
    }
}

float GetReal(const Settings& settings, const SettingDef& setting) {
    const auto* p = FieldAs<float>(settings, setting);
    return p ? *p : 0.0f;
}

void SetReal(Settings& settings, const SettingDef& setting, float value) {
    if (auto* p = FieldAs<float>(settings, setting)) {
        *p = value;
    }
}

const std::string& GetText(const Settings& settings, const SettingDef& setting) {
    static const std::string kEmpty;
    const auto* p = FieldAs<std::string>(settings, setting);
    return p ? *p : kEmpty;
}

void SetText(Settings& settings, const SettingDef& setting, std::string value) {
    if (auto* p = FieldAs<std::string>(settings, setting)) {
        *p = std::move(value);
    }
}
