// The cost of a conversion against FreeImage's own load and save of the same file, and of each
// stage on a 24-megapixel image. Run from a Release build:
//   build/bench/kivota_bench --benchmark_filter=Convert
// Inputs: a generated 24-megapixel DNG (6000 x 4000, with a 640 x 480 preview) and, when present,
// the real samples in ../shared/fixtures/raw.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "engine/encoding.h"
#include "engine/format_catalogue.h"
#include "engine/load_input.h"
#include "engine/pipeline.h"
#include "engine/stage_watermark.h"
#include "platform/canvas.h"
#include "tests/support/dng_writer.h"
#include "tests/support/test_images.h"

namespace {

namespace fs = std::filesystem;

// Outputs go to memory where it exists, so that the disk's write-back does not blur the figures.
const fs::path kScratch =
    (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) / "kivota-bench";
const fs::path kSamples = fs::path(KIVOTA_SOURCE_DIR) / "../shared/fixtures/raw";

// The 24-megapixel DNG, written once per benchmark process.
const std::string& LargeDng() {
    static const std::string path = [] {
        fs::create_directories(kScratch);
        const std::string file = (kScratch / "large.dng").string();
        DngOptions options;
        options.width = 6000;
        options.height = 4000;
        options.scene = [](int x, int y) {
            return Rgb{static_cast<uint8_t>(x * 190 / 6000), 100, static_cast<uint8_t>(y * 190 / 4000)};
        };
        options.preview = DngPreview{640, 480, {}, true};
        WriteDng(file, options);
        return file;
    }();
    return path;
}

std::string InputFor(int file) {
    switch (file) {
        case 0:
            return LargeDng();
        case 1:
            return (kSamples / "Canon_G2_CRW_0304.CRW").string();
        default:
            return (kSamples / "Kodak_DC120_P003913.KDC").string();
    }
}

const char* kFileNames[] = {"24MP-DNG", "Canon-CRW", "Kodak-KDC"};

// FreeImage's RAW load flags for each [Input] RAW Load As code used here.
int FlagsFor(int loadAs) {
    ConversionSettings s;
    s.input.rawLoadAs = loadAs;
    return RawLoadFlags(s);
}

bool SkipMissing(benchmark::State& state, const std::string& input) {
    if (!fs::exists(input)) {
        state.SkipWithError("sample missing");
        return true;
    }
    return false;
}

// args: file, RAW Load As
void BM_FreeImageLoadSave(benchmark::State& state) {
    const std::string input = InputFor(static_cast<int>(state.range(0)));
    if (SkipMissing(state, input)) {
        return;
    }
    const std::string output = (kScratch / "freeimage.bmp").string();
    const int flags = FlagsFor(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const Bitmap image(FreeImage_Load(FIF_RAW, input.c_str(), flags));
        FreeImage_Save(FIF_BMP, image.get(), output.c_str(), 0);
    }
    state.SetLabel(kFileNames[state.range(0)]);
}

struct Conversion {
    Settings all;
    RunState run;
    FormatCatalogue catalogue;
    std::unique_ptr<CanvasFont> font;

    Conversion(const std::string& input, int loadAs, bool frameAndWatermark) {
        ApplyDefaultSettings(all, true, std::nullopt, 0);
        all.conversion.input.rawLoadAs = loadAs;
        catalogue.BuildFormatCatalogue();
        run.outputFolder = (kScratch / "").string();
        run.outputFormat = "bmp";
        run.outputFormatId = FIF_BMP;
        run.inputFullPath = input;
        all.conversion.advanced.filenameMask = "kivota.%ext%";
        if (frameAndWatermark) {
            ConversionSettings& s = all.conversion;
            s.frame.doFrame = 1;
            s.frame.solidLeft = s.frame.solidRight = s.frame.solidTop = s.frame.solidBottom = 40;
            s.frame.solidTopColor = "FFFFFF";
            s.watermark.doWatermark = 1;
            s.watermark.text = "%filename% %width%x%height%";
            s.watermark.fontSize = 48;
            s.watermark.textAntialiasing = 1;
            EnsureDrawingPlatform();
            font = LoadWatermarkFont(s);
        }
        StartRunEncoding(all.conversion, run);
    }
    bool Convert() { return ConvertFile({all.conversion, run, catalogue, font.get()}); }
};

// args: file, RAW Load As, frame and watermark
void BM_ConvertFile(benchmark::State& state) {
    const std::string input = InputFor(static_cast<int>(state.range(0)));
    if (SkipMissing(state, input)) {
        return;
    }
    Conversion conversion(input, static_cast<int>(state.range(1)), state.range(2) != 0);
    for (auto _ : state) {
        if (!conversion.Convert()) {
            state.SkipWithError("conversion failed");
            return;
        }
    }
    state.SetLabel(kFileNames[state.range(0)]);
}

void ConversionArguments(benchmark::internal::Benchmark* b) {
    for (int file : {0, 1, 2}) {
        for (int loadAs : {0, 3}) {
            b->Args({file, loadAs});
        }
    }
    b->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

void FrameAndWatermarkArguments(benchmark::internal::Benchmark* b) {
    b->Args({0, 3, 0})->Args({0, 3, 1})->Unit(benchmark::kMillisecond)->MinTime(4.0);
}

BENCHMARK(BM_FreeImageLoadSave)->Apply(ConversionArguments);
BENCHMARK(BM_ConvertFile)->Apply([](benchmark::internal::Benchmark* b) {
    for (int file : {0, 1, 2}) {
        for (int loadAs : {0, 3}) {
            b->Args({file, loadAs, 0});
        }
    }
    b->Unit(benchmark::kMillisecond)->MinTime(2.0);
});
BENCHMARK(BM_ConvertFile)->Name("BM_ConvertFile/FrameAndWatermark")->Apply(FrameAndWatermarkArguments);

// Each stage on a 6000 x 4000 image; "s_per_MP" is the time per megapixel.
constexpr int kStageWidth = 6000;
constexpr int kStageHeight = 4000;

struct StageBench {
    const char* name;
    int inputBits;
    void (*configure)(ConversionSettings&, RunState&);
    Stage stage;
    bool needsFont = false;
};

const StageBench kStages[] = {
    {"Rotation90", 24,
     [](ConversionSettings& s, RunState&) {
         s.transform.doImageRotation = 1;
         s.transform.imageRotation = 90;
     },
     ApplyRotation},
    {"Rotation30", 24,
     [](ConversionSettings& s, RunState&) {
         s.transform.doImageRotation = 1;
         s.transform.imageRotation = 30;
     },
     ApplyRotation},
    {"ResizeHalfBicubic", 24,
     [](ConversionSettings& s, RunState&) {
         s.transform.doImageResize = 1;
         s.transform.imageWidth = s.transform.imageHeight = 50;
         s.transform.imageWidthUnit = s.transform.imageHeightUnit = 1;
     },
     ApplyResize},
    {"FlipBoth", 24,
     [](ConversionSettings& s, RunState&) {
         s.transform.doImageFlipHorizontal = s.transform.doImageFlipVertical = 1;
     },
     ApplyFlip},
    {"ToneMapLinear", 48,
     [](ConversionSettings& s, RunState&) {
         s.input.rawLoadAs = 5;
         s.input.rawToneMapping = 1;
     },
     ApplyToneMapping},
    {"ToneMapDrago", 48,
     [](ConversionSettings& s, RunState&) {
         s.input.rawLoadAs = 5;
         s.input.rawToneMapping = 2;
     },
     ApplyToneMapping},
    {"ToneMapReinhard", 48,
     [](ConversionSettings& s, RunState&) {
         s.input.rawLoadAs = 5;
         s.input.rawToneMapping = 3;
     },
     ApplyToneMapping},
    {"ColorCorrection", 24,
     [](ConversionSettings& s, RunState&) {
         s.adjustment.doImageColorCorrection = 1;
         s.adjustment.imageBrightness = 10;
         s.adjustment.imageContrast = 10;
         s.adjustment.imageGamma = 1.2f;
     },
     ApplyColorCorrection},
    {"Greyscale", 24, [](ConversionSettings& s, RunState&) { s.adjustment.doImageGreyscale = 1; },
     ApplyGreyscale},
    {"Threshold", 24,
     [](ConversionSettings& s, RunState&) {
         s.adjustment.doImageThreshold = 1;
         s.adjustment.imageThreshold = 128;
     },
     ApplyThreshold},
    {"Frame", 24,
     [](ConversionSettings& s, RunState&) {
         s.frame.doFrame = 1;
         s.frame.solidLeft = s.frame.solidRight = s.frame.solidTop = s.frame.solidBottom = 40;
     },
     ApplyFrame},
    {"TextWatermark", 24,
     [](ConversionSettings& s, RunState&) {
         s.watermark.doWatermark = 1;
         s.watermark.text = "Lumarix %eol%%width%x%height%";
         s.watermark.fontSize = 48;
         s.watermark.textAntialiasing = 1;
     },
     ApplyWatermark, true},
    {"BitDepth8Wu", 24, [](ConversionSettings&, RunState& run) { run.outputBitDepth = 8; }, ApplyBitDepth},
    {"BitDepth16", 24, [](ConversionSettings&, RunState& run) { run.outputBitDepth = 16; }, ApplyBitDepth},
    {"BitDepth32", 24, [](ConversionSettings&, RunState& run) { run.outputBitDepth = 32; }, ApplyBitDepth},
};

void BM_Stage(benchmark::State& state) {
    const StageBench& bench = kStages[state.range(0)];
    Settings all;
    ApplyDefaultSettings(all, true, std::nullopt, 0);
    RunState run;
    run.outputFormat = "bmp";
    run.resultWidth = kStageWidth;
    run.resultHeight = kStageHeight;
    FormatCatalogue catalogue;
    catalogue.BuildFormatCatalogue();
    bench.configure(all.conversion, run);
    std::unique_ptr<CanvasFont> font;
    if (bench.needsFont) {
        font = LoadWatermarkFont(all.conversion);
    }
    const StageContext context{all.conversion, run, catalogue, font.get()};
    const Bitmap source = bench.inputBits == 48
                              ? MakeSolidBitmap(kStageWidth, kStageHeight, 48, {120, 80, 40})
                              : MakePatternBitmap(kStageWidth, kStageHeight, 24);
    for (auto _ : state) {
        state.PauseTiming();
        Bitmap image(FreeImage_Clone(source.get()));
        state.ResumeTiming();
        image = bench.stage(std::move(image), context);
        benchmark::DoNotOptimize(image.get());
    }
    state.SetLabel(bench.name);
    state.counters["s_per_MP"] =
        benchmark::Counter(kStageWidth * kStageHeight / 1e6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_Stage)->DenseRange(0, static_cast<int>(std::size(kStages)) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
