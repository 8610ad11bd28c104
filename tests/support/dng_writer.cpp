#include "tests/support/dng_writer.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

namespace {

enum class TagType : uint16_t {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSRational = 10
};

enum Tag : uint16_t {
    kNewSubFileType = 254,
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kPhotometric = 262,
    kMake = 271,
    kModel = 272,
    kStripOffsets = 273,
    kOrientation = 274,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kPlanarConfiguration = 284,
    kSoftware = 305,
    kSubIfds = 330,
    kCfaRepeatPatternDim = 33421,
    kCfaPattern = 33422,
    kDngVersion = 50706,
    kDngBackwardVersion = 50707,
    kUniqueCameraModel = 50708,
    kCfaPlaneColor = 50710,
    kCfaLayout = 50711,
    kBlackLevel = 50714,
    kWhiteLevel = 50717,
    kColorMatrix1 = 50721,
    kAsShotNeutral = 50728,
    kCalibrationIlluminant1 = 50778,
    kPreviewColorSpace = 50970,
};

constexpr uint16_t kCompressionNone = 1;
constexpr uint16_t kCompressionJpeg = 7;
constexpr uint16_t kPhotometricYCbCr = 6;
constexpr uint16_t kPhotometricCfa = 32803;
constexpr uint32_t kSubFileRaw = 0;
constexpr uint32_t kSubFilePreview = 1;
constexpr uint16_t kIlluminantD65 = 21;
constexpr uint32_t kPreviewColourSpaceSrgb = 2;

// CIE XYZ (D65) to linear sRGB, the inverse of the sRGB primaries matrix LibRaw works with: the
// camera space becomes linear sRGB, so LibRaw's colour conversion is the identity.
constexpr double kXyzToSrgb[9] = {3.240481, -1.537152, -0.498536, -0.969255, 1.875990,
                                  0.041556, 0.055647,  -0.204041, 1.057311};

void AppendLittleEndian(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

// One TIFF image file directory: entries kept sorted by tag, values encoded little-endian.
// Values that do not fit the entry's four bytes go after the entry table. Adding a tag again
// replaces its value, which keeps the size when the count stays the same.
class Ifd {
  public:
    void Bytes(uint16_t tag, const std::vector<uint8_t>& values) {
        std::string data(values.begin(), values.end());
        Add(tag, TagType::kByte, values.size(), std::move(data));
    }
    void Ascii(uint16_t tag, const std::string& text) {
        Add(tag, TagType::kAscii, text.size() + 1, text + '\0');
    }
    void Shorts(uint16_t tag, const std::vector<uint16_t>& values) {
        std::string data;
        for (const uint16_t v : values) {
            AppendLittleEndian(data, v, 2);
        }
        Add(tag, TagType::kShort, values.size(), std::move(data));
    }
    void Longs(uint16_t tag, const std::vector<uint32_t>& values) {
        std::string data;
        for (const uint32_t v : values) {
            AppendLittleEndian(data, v, 4);
        }
        Add(tag, TagType::kLong, values.size(), std::move(data));
    }
    // Rationals with a fixed denominator of one million.
    void Rationals(uint16_t tag, const std::vector<double>& values) {
        AddRationals(tag, TagType::kRational, values);
    }
    void SignedRationals(uint16_t tag, const std::vector<double>& values) {
        AddRationals(tag, TagType::kSRational, values);
    }

    // The size in bytes of the serialised directory, its values included.
    uint32_t Size() const {
        uint32_t size = 2 + 12 * static_cast<uint32_t>(m_entries.size()) + 4;
        for (const auto& [tag, entry] : m_entries) {
            if (entry.data.size() > 4) {
                size += Padded(entry.data.size());
            }
        }
        return size;
    }

    // The directory as it stands at file offset `at`, followed by `next` (0 ends the chain).
    std::string Serialise(uint32_t at, uint32_t next) const {
        std::string table;
        std::string values;
        const uint32_t valuesAt = at + 2 + 12 * static_cast<uint32_t>(m_entries.size()) + 4;
        AppendLittleEndian(table, m_entries.size(), 2);
        for (const auto& [tag, entry] : m_entries) {
            AppendLittleEndian(table, tag, 2);
            AppendLittleEndian(table, static_cast<uint16_t>(entry.type), 2);
            AppendLittleEndian(table, entry.count, 4);
            if (entry.data.size() <= 4) {
                std::string inlineValue = entry.data;
                inlineValue.resize(4, '\0');
                table += inlineValue;
            } else {
                AppendLittleEndian(table, valuesAt + values.size(), 4);
                values += entry.data;
                values.resize(Padded(values.size()), '\0');
            }
        }
        AppendLittleEndian(table, next, 4);
        return table + values;
    }

  private:
    struct Entry {
        TagType type;
        uint64_t count;
        std::string data;
    };

    static uint32_t Padded(size_t size) { return static_cast<uint32_t>((size + 1) & ~size_t{1}); }

    void Add(uint16_t tag, TagType type, size_t count, std::string data) {
        m_entries[tag] = Entry{type, count, std::move(data)};
    }

    void AddRationals(uint16_t tag, TagType type, const std::vector<double>& values) {
        constexpr int64_t kDenominator = 1000000;
        std::string data;
        for (const double v : values) {
            const auto numerator = static_cast<int64_t>(std::llround(v * kDenominator));
            AppendLittleEndian(data, static_cast<uint32_t>(numerator), 4);
            AppendLittleEndian(data, kDenominator, 4);
        }
        Add(tag, type, values.size(), std::move(data));
    }

    std::map<uint16_t, Entry> m_entries;
};

// Tags every DNG carries in IFD0, whatever image that directory holds.
void AddCameraTags(Ifd& ifd, const DngOptions& options) {
    ifd.Bytes(kDngVersion, {1, 4, 0, 0});
    ifd.Bytes(kDngBackwardVersion, {1, 1, 0, 0});
    ifd.Ascii(kMake, "Kivota");
    ifd.Ascii(kModel, "Synthetic DNG");
    ifd.Ascii(kUniqueCameraModel, "Kivota Synthetic DNG");
    ifd.Ascii(kSoftware, "kivota tests");
    ifd.Shorts(kOrientation, {static_cast<uint16_t>(options.orientation)});
    ifd.SignedRationals(kColorMatrix1, std::vector<double>(std::begin(kXyzToSrgb), std::end(kXyzToSrgb)));
    ifd.Shorts(kCalibrationIlluminant1, {kIlluminantD65});
    ifd.Rationals(kAsShotNeutral, {1.0, 1.0, 1.0});
}

// The raw mosaic directory. Its strip offset is set once the layout is known.
Ifd RawIfd(const DngOptions& options) {
    const auto width = static_cast<uint32_t>(options.width);
    const auto height = static_cast<uint32_t>(options.height);
    Ifd ifd;
    ifd.Longs(kNewSubFileType, {kSubFileRaw});
    ifd.Longs(kImageWidth, {width});
    ifd.Longs(kImageLength, {height});
    ifd.Shorts(kBitsPerSample, {16});
    ifd.Shorts(kCompression, {kCompressionNone});
    ifd.Shorts(kPhotometric, {kPhotometricCfa});
    ifd.Longs(kStripOffsets, {0});
    ifd.Shorts(kSamplesPerPixel, {1});
    ifd.Longs(kRowsPerStrip, {height});
    ifd.Longs(kStripByteCounts, {width * height * 2});
    ifd.Shorts(kPlanarConfiguration, {1});
    ifd.Shorts(kCfaRepeatPatternDim, {2, 2});
    ifd.Bytes(kCfaPattern, {0, 1, 1, 2});  // R G / G B
    ifd.Bytes(kCfaPlaneColor, {0, 1, 2});
    ifd.Shorts(kCfaLayout, {1});
    ifd.Longs(kBlackLevel, {kDngBlackLevel});
    ifd.Longs(kWhiteLevel, {kDngWhiteLevel});
    return ifd;
}

// The JPEG preview directory. Its strip offset and SubIFDs pointer are set once the layout is
// known.
Ifd PreviewIfd(const DngPreview& preview, uint32_t jpegSize) {
    Ifd ifd;
    ifd.Longs(kNewSubFileType, {kSubFilePreview});
    ifd.Longs(kImageWidth, {static_cast<uint32_t>(preview.width)});
    ifd.Longs(kImageLength, {static_cast<uint32_t>(preview.height)});
    ifd.Shorts(kBitsPerSample, {8, 8, 8});
    ifd.Shorts(kCompression, {kCompressionJpeg});
    ifd.Shorts(kPhotometric, {kPhotometricYCbCr});
    ifd.Longs(kStripOffsets, {0});
    ifd.Shorts(kSamplesPerPixel, {3});
    ifd.Longs(kRowsPerStrip, {static_cast<uint32_t>(preview.height)});
    ifd.Longs(kStripByteCounts, {jpegSize});
    ifd.Shorts(kPlanarConfiguration, {1});
    ifd.Longs(kSubIfds, {0});
    ifd.Longs(kPreviewColorSpace, {kPreviewColourSpaceSrgb});
    return ifd;
}

uint16_t Sample(uint8_t value) {
    return static_cast<uint16_t>(kDngBlackLevel + (value * (kDngWhiteLevel - kDngBlackLevel) + 127) / 255);
}

// The caller's scene, or its uniform colour.
DngScene SceneOf(const DngOptions& options) {
    return options.scene ? options.scene : [colour = options.colour](int, int) { return colour; };
}

// The Bayer mosaic, row by row from the top: R G on even rows, G B on odd rows.
std::string Mosaic(const DngOptions& options) {
    const DngScene scene = SceneOf(options);
    std::string data;
    data.reserve(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 2);
    for (int y = 0; y < options.height; ++y) {
        for (int x = 0; x < options.width; ++x) {
            const Rgb c = scene(x, y);
            const bool evenRow = y % 2 == 0;
            const bool evenColumn = x % 2 == 0;
            const uint8_t value = evenRow && evenColumn ? c.red : !evenRow && !evenColumn ? c.blue : c.green;
            AppendLittleEndian(data, Sample(value), 2);
        }
    }
    return data;
}

uint8_t SrgbEncoded(uint8_t linear) {
    const double v = linear / 255.0;
    const double encoded = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(encoded * 255));
}

// The scene sampled at the preview's size, as a display would show it.
Bitmap ScenePreview(const DngOptions& options) {
    const DngPreview& preview = *options.preview;
    const DngScene scene = SceneOf(options);
    Bitmap image(FreeImage_Allocate(preview.width, preview.height, 24));
    for (int y = 0; y < preview.height && image; ++y) {
        BYTE* line = FreeImage_GetScanLine(image.get(), preview.height - 1 - y);
        for (int x = 0; x < preview.width; ++x) {
            const Rgb c = scene(x * options.width / preview.width, y * options.height / preview.height);
            line[x * 3 + FI_RGBA_RED] = SrgbEncoded(c.red);
            line[x * 3 + FI_RGBA_GREEN] = SrgbEncoded(c.green);
            line[x * 3 + FI_RGBA_BLUE] = SrgbEncoded(c.blue);
        }
    }
    return image;
}

std::string PreviewJpeg(const DngOptions& options) {
    const DngPreview& preview = *options.preview;
    const Bitmap image = preview.showsScene
                             ? ScenePreview(options)
                             : MakeSolidBitmap(preview.width, preview.height, 24, preview.colour);
    return image ? EncodeImage(image, FIF_JPEG, JPEG_QUALITYSUPERB) : std::string();
}

// Sides must fit LibRaw's 16-bit limit and the mosaic must leave every offset within TIFF's
// 32-bit fields.
bool IsValid(const DngOptions& options) {
    constexpr int kMaxSide = 65535;
    constexpr int64_t kMaxMosaicBytes = int64_t{1} << 31;
    const auto fits = [](int side) { return side >= 2 && side % 2 == 0 && side <= kMaxSide; };
    const bool mosaicFits = int64_t{options.width} * options.height * 2 <= kMaxMosaicBytes;
    const bool previewFits =
        !options.preview || (options.preview->width > 0 && options.preview->height > 0 &&
                             options.preview->width <= kMaxSide && options.preview->height <= kMaxSide);
    return fits(options.width) && fits(options.height) && mosaicFits && previewFits &&
           options.orientation >= 1 && options.orientation <= 8;
}

std::string Header(uint32_t firstIfd) {
    std::string header = "II";
    AppendLittleEndian(header, 42, 2);
    AppendLittleEndian(header, firstIfd, 4);
    return header;
}

// Without a preview, IFD0 holds the raw image itself: header, IFD0, mosaic.
std::string RawOnlyFile(const DngOptions& options, const std::string& mosaic) {
    constexpr uint32_t kIfdAt = 8;
    Ifd raw = RawIfd(options);
    AddCameraTags(raw, options);
    raw.Longs(kStripOffsets, {kIfdAt + raw.Size()});
    return Header(kIfdAt) + raw.Serialise(kIfdAt, 0) + mosaic;
}

// With a preview, IFD0 holds the JPEG and points to the raw image in its SubIFDs, as cameras
// and converters write DNG files: header, IFD0, raw IFD, JPEG (padded to an even length), mosaic.
std::string PreviewFile(const DngOptions& options, const std::string& mosaic, std::string jpeg) {
    constexpr uint32_t kIfd0At = 8;
    Ifd first = PreviewIfd(*options.preview, static_cast<uint32_t>(jpeg.size()));
    AddCameraTags(first, options);
    Ifd raw = RawIfd(options);
    jpeg.resize(jpeg.size() + jpeg.size() % 2, '\0');

    const uint32_t rawIfdAt = kIfd0At + first.Size();
    const uint32_t jpegAt = rawIfdAt + raw.Size();
    const uint32_t mosaicAt = jpegAt + static_cast<uint32_t>(jpeg.size());
    first.Longs(kSubIfds, {rawIfdAt});
    first.Longs(kStripOffsets, {jpegAt});
    raw.Longs(kStripOffsets, {mosaicAt});
    return Header(kIfd0At) + first.Serialise(kIfd0At, 0) + raw.Serialise(rawIfdAt, 0) + jpeg + mosaic;
}

}  // namespace

std::string MakeDng(const DngOptions& options) {
    if (!IsValid(options)) {
        return {};
    }
    const std::string mosaic = Mosaic(options);
    if (!options.preview) {
        return RawOnlyFile(options, mosaic);
    }
    std::string jpeg = PreviewJpeg(options);
    if (jpeg.empty()) {
        return {};
    }
    return PreviewFile(options, mosaic, std::move(jpeg));
}

bool WriteDng(const std::string& path, const DngOptions& options) {
    const std::string bytes = MakeDng(options);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
