// Writes the bundled sample RAW file: a small landscape as a DNG with an embedded preview.
//   kivota_make_sample examples/sample.dng

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tests/support/dng_writer.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

uint8_t Channel(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// Sky, sun, two hills and a lake, in linear light.
Rgb Landscape(int x, int y) {
    const double u = static_cast<double>(x) / kWidth;
    const double v = static_cast<double>(y) / kHeight;
    const double sunDistance = std::hypot(u - 0.72, (v - 0.22) * 0.75);
    if (sunDistance < 0.07) {
        return {255, 240, 200};
    }
    const double farHill = 0.52 - 0.08 * std::sin(u * 5.0 + 0.5);
    const double nearHill = 0.68 - 0.10 * std::sin(u * 3.2 + 2.0);
    if (v > 0.86) {
        return {Channel(20 + 20 * u), Channel(45 + 25 * u), Channel(90 + 30 * (1 - v))};
    }
    if (v > nearHill) {
        return {Channel(25 + 30 * (v - nearHill)), Channel(70 + 40 * u), Channel(18)};
    }
    if (v > farHill) {
        return {Channel(40), Channel(85 + 20 * u), Channel(45)};
    }
    const double glow = std::max(0.0, 0.25 - sunDistance) * 160;
    return {Channel(40 + 90 * v + glow), Channel(80 + 80 * v + glow * 0.8), Channel(170 + 20 * v)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.dng\n", argv[0]);
        return 2;
    }
    DngOptions options;
    options.width = kWidth;
    options.height = kHeight;
    options.scene = Landscape;
    options.preview = DngPreview{kWidth, kHeight, {}, true};
    return WriteDng(argv[1], options) ? 0 : 1;
}
