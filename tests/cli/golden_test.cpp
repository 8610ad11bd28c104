// Golden command-line tests: each case is a command line run against fixture files made here,
// the exact lines it must print, and facts about the files it must (or must not) write.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "platform/files.h"
#include "tests/support/dng_writer.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

using Lines = std::vector<std::string>;

// What a BMP file's headers say.
struct BmpFacts {
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    int compression = 0;
    int coloursUsed = 0;
    int pixelOffset = 0;
    int fileSize = 0;
};

int Little(const std::string& bytes, size_t at, int size) {
    int value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value * 256 + static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

std::optional<BmpFacts> ReadBmpFacts(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 54 || bytes.substr(0, 2) != "BM") {
        return std::nullopt;
    }
    return BmpFacts{Little(bytes, 28, 2), Little(bytes, 18, 4), Little(bytes, 22, 4), Little(bytes, 30, 4),
                    Little(bytes, 46, 4), Little(bytes, 10, 4), Little(bytes, 2, 4)};
}

struct OutputFile {
    std::string name;  // below the case's folder
    bool exists = true;
    int bitsPerPixel = 0;  // 0: not checked
    int width = 0;
    int height = 0;
    int compression = -1;
    int coloursUsed = -1;
    std::function<void(const Bitmap&)> pixels = {};
};

struct GoldenCase {
    std::string name;
    Lines arguments;  // "{dir}" stands for the case's folder, ending in "/"
    Lines expected;   // standard output, line by line; "{dir}" as above
    std::vector<OutputFile> outputs = {};
    std::vector<std::pair<std::string, std::string>> files = {};  // extra fixture files: name, content
};

std::ostream& operator<<(std::ostream& out, const GoldenCase& c) {
    return out << c.name;
}
std::string CaseName(const testing::TestParamInfo<GoldenCase>& info) {
    return info.param.name;
}

const Lines kBanner = {"Lumarix RAW to BMP 2.8", "Copyright (c) Lumarix Software", "http://www.lumarix.com",
                       " "};
const Lines kConverted = {"Importing...", "Import complete, new files added: 1", "Converting...",
                          "Conversion complete", "Files converted: 1 of 1"};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::string Expand(std::string text, const std::string& dir) {
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;) {
        text.replace(at, 5, dir);
    }
    return text;
}

// Fixtures every case gets: a DNG with a 40 x 30 preview, one without a preview under a Nikon
// name, an empty RAW file, a JPEG, an output folder and a watermark picture.
void MakeFixtures(const TempFolder& dir) {
    DngOptions withPreview;
    withPreview.preview = DngPreview{40, 30, {200, 100, 50}};
    WriteDng(dir / "photo.dng", withPreview);
    WriteDng(dir / "plain.nef", DngOptions{});
    WriteDng(dir / "PLAIN.NEF", DngOptions{});
    WriteBytes(dir / "empty.nef", "");
    WriteBytes(dir / "photo.jpg", EncodeJpeg(MakeSolidBitmap(16, 16, 24, {10, 20, 30})));
    WriteBytes(dir / "logo.png", EncodeImage(MakeSolidBitmap(8, 8, 24, {255, 0, 0}), FIF_PNG));
    mkdir((dir / "out").c_str(), 0755);
}

class GoldenTest : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, PrintsAndWritesWhatItShould) {
    const GoldenCase& c = GetParam();
    TempFolder dir;
    MakeFixtures(dir);
    for (const auto& [name, content] : c.files) {
        WriteBytes(dir / name, Expand(content, dir.path()));
    }
    Lines arguments;
    for (const std::string& a : c.arguments) {
        arguments.push_back(Expand(a, dir.path()));
    }
    Lines expected;
    for (const std::string& line : c.expected) {
        expected.push_back(Expand(line, dir.path()));
    }
    mkdir((dir / "run").c_str(), 0700);
    const ProgramResult result = RunProgram(KIVOTA_BINARY, arguments, {{"XDG_RUNTIME_DIR=" + dir / "run"}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(SplitLines(result.out), expected);
    EXPECT_EQ(result.err, "");

    for (const OutputFile& o : c.outputs) {
        const std::string path = dir / o.name;
        ASSERT_EQ(FileSize(path) >= 0, o.exists) << o.name;
        if (!o.exists) {
            continue;
        }
        const std::optional<BmpFacts> facts = ReadBmpFacts(path);
        ASSERT_TRUE(facts) << o.name;
        EXPECT_EQ(facts->fileSize, FileSize(path)) << o.name;
        if (o.bitsPerPixel) {
            EXPECT_EQ(facts->bitsPerPixel, o.bitsPerPixel) << o.name;
            EXPECT_EQ(facts->width, o.width) << o.name;
            EXPECT_EQ(facts->height, o.height) << o.name;
        }
        if (o.compression >= 0) {
            EXPECT_EQ(facts->compression, o.compression) << o.name;
        }
        if (o.coloursUsed >= 0) {
            EXPECT_EQ(facts->coloursUsed, o.coloursUsed) << o.name;
            EXPECT_EQ(facts->pixelOffset, 54 + 4 * o.coloursUsed) << o.name;
        }
        if (o.pixels) {
            const Bitmap image(FreeImage_Load(FIF_BMP, path.c_str(), 0));
            ASSERT_TRUE(image) << o.name;
            o.pixels(image);
        }
    }
}

Lines Help() {
    return {" ",
            "Usage: kivota -i <filename> [options]",
            " ",
            "  kivota -i example.raw",
            "  kivota -i c:\\tmp\\example.raw",
            "  kivota -i c:\\tmp\\example.raw -o d:\\converted",
            "  kivota -i c:\\tmp\\example.raw -o d:\\converted --jpg-quality=95",
            " ",
            "Options:",
            " ",
            "  -h, -?, --help            Display this help and exit",
            "  -i FILE, --input=FILE     Set input file",
            "  -o PATH, --output=PATH    Set output folder",
            "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
            " ",
            "Advanced options:",
            " ",
            "  --width=NUM               Set output image width",
            "  --height=NUM              Set output image height",
            "  --filename-mask=STR       Define output filename format",
            "  --flip-horizontal         Flip output image horizontally",
            "  --flip-vertical           Flip output image vertically",
            "  --brightness=NUM          Set output image brightness, NUM = -100..100",
            "  --contrast=NUM            Set output image contrast, NUM = -100..100",
            "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
            "  --invert                  Invert output image",
            "  --greyscale               Greyscale output image",
            "  --profile=FILE            Set configuration file with required settings",
            "    ...                     Refer documentation for all available options",
            " ",
            "Other options:",
            " ",
            "  -q, --quiet               Don't print status messages to stdout",
            "  -d, --debug               Print debug information to stdout",
            "  -p, --pause               Pause at exit",
            "  -v, --version             Display version information and exit"};
}

const Lines kIncorrect = {"Error: Incorrect number of parameters"};

INSTANTIATE_TEST_SUITE_P(SpecialCommands, GoldenTest,
                         testing::Values(GoldenCase{"Help", {"-h"}, Help()},
                                         GoldenCase{"HelpQuestionMark", {"-?"}, Help()},
                                         GoldenCase{"LongHelp", {"--HELP"}, Help()},
                                         GoldenCase{"Version", {"-v"}, {"2.8"}},
                                         GoldenCase{"LongVersion", {"--version"}, {"2.8"}},
                                         GoldenCase{"VersionOnlyFirst",
                                                    {"-i", "{dir}photo.dng", "-v", "-o", "{dir}out"},
                                                    Join({kBanner, {"Preparing..."}, kConverted}),
                                                    {{"out/photo.bmp"}}}),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(
    ParameterErrors, GoldenTest,
    testing::Values(
        GoldenCase{"InputWithoutValue", {"-i"}, kIncorrect},
        GoldenCase{"EmptyLongInput", {"--input="}, kIncorrect},
        GoldenCase{"OutputFollowedBySwitch", {"-i", "{dir}photo.dng", "-o", "-q"}, kIncorrect},
        GoldenCase{"OptionWithoutEquals", {"--brightness", "-i", "{dir}photo.dng"}, kIncorrect},
        GoldenCase{"EmptyOptionValue", {"-i", "{dir}photo.dng", "--wm-text="}, kIncorrect},
        GoldenCase{"MissingProfile",
                   {"--profile={dir}missing.ini", "-i", "{dir}photo.dng"},
                   {"Error: Invalid profile file"}},
        GoldenCase{"FirstErrorStops", {"--profile={dir}missing.ini", "-i"}, {"Error: Invalid profile file"}},
        GoldenCase{"PauseBeforeErrorWaitsWithoutPrompt", {"-p", "-i"}, kIncorrect},
        GoldenCase{"NegativeValueIsAccepted",
                   {"--brightness=-50", "-i", "{dir}photo.dng", "-o", "{dir}out", "-q"},
                   {},
                   {{"out/photo.bmp"}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    InputAndOutputChecks, GoldenTest,
    testing::Values(
        GoldenCase{"NoExtension",
                   {"-i", "{dir}photo"},
                   Join({kBanner, {"Preparing...", "Error: Invalid input file"}})},
        GoldenCase{"OnlyDotFirst", {"-q", "-i", "{dir}.raw"}, {"Error: Invalid input file"}},
        GoldenCase{"EmptyFile", {"-q", "-i", "{dir}empty.nef"}, {"Error: Invalid input file"}},
        GoldenCase{"MissingFile", {"-q", "-i", "{dir}missing.nef"}, {"Error: Invalid input file"}},
        GoldenCase{"Folder", {"-q", "-i", "{dir}out"}, {"Error: Invalid input file"}},
        GoldenCase{"TwoDotsFirst",
                   {"-q", "-i", "{dir}photo.dng", "-o", "../out"},
                   {"Error: Incorrect output folder"}},
        GoldenCase{"MissingOutputFolder",
                   {"-q", "-i", "{dir}photo.dng", "-o", "{dir}nowhere"},
                   {"Error: Invalid output folder"}},
        GoldenCase{"DefaultsToTheInputFolder", {"-q", "-i", "{dir}photo.dng"}, {}, {{"photo.bmp"}}},
        GoldenCase{"TwoDotsInside",
                   {"-q", "-i", "{dir}photo.dng", "-o", "{dir}out/../out"},
                   {},
                   {{"out/photo.bmp"}}},
        GoldenCase{"UpperCaseConversion",
                   {"-q", "-i", "{dir}photo.dng", "-c", "BMP"},
                   {"Error: Invalid conversion type"},
                   {{"photo.bmp", false}}},
        GoldenCase{"OtherConversion",
                   {"-q", "-i", "{dir}photo.dng", "-c", "jpg"},
                   {"Error: Invalid conversion type"}},
        GoldenCase{"BmpConversion", {"-q", "-i", "{dir}photo.dng", "-c", "bmp"}, {}, {{"photo.bmp"}}},
        GoldenCase{"UnsupportedExtension",
                   {"-i", "{dir}photo.jpg"},
                   Join({kBanner,
                         {"Preparing...", "Importing...", "Import complete, new files added: 0",
                          "Conversion stopped",
                          "No input file(s) found. Please, add valid file(s) and try again!"}})},
        GoldenCase{
            "UnsupportedExtensionQuiet",
            {"-q", "-i", "{dir}photo.jpg"},
            {"Conversion stopped", "No input file(s) found. Please, add valid file(s) and try again!"}},
        GoldenCase{
            "UpperCaseExtension", {"-q", "-i", "{dir}PLAIN.NEF"}, {}, {{"PLAIN.bmp", true, 24, 64, 48}}}),
    CaseName);

const Lines kDefaultEcho = {"RAW Load As: auto",
                            "RAW Header Size: 0",
                            "RAW Image Width: 0",
                            "RAW Image Height: 0",
                            "RAW Tone Mapping: al",
                            "BMP BPP: 0",
                            "BMP Compression: none",
                            "BMP Color Table: auto",
                            "Flip Horizontal: 0",
                            "Flip Vertical: 0",
                            "Greyscale: 0",
                            "Frame: none",
                            "Watermark: none",
                            "Filename Mask: %filename%.%ext%",
                            "File Timestamp: current",
                            "Keep Subfolders: 1"};

const Lines kEveryStage = {"--rotation=90",
                           "--rotation-type=advanced",
                           "--rotation-back-color=FF0000",
                           "--width=50",
                           "--width-unit=percent",
                           "--height=50",
                           "--height-unit=percent",
                           "--keep-aspect-ratio",
                           "--resize-type=largeimages",
                           "--resize-algorithm=lanczos",
                           "--flip-horizontal",
                           "--flip-vertical",
                           "--brightness=10",
                           "--contrast=-10",
                           "--gamma=1.5",
                           "--invert",
                           "--greyscale",
                           "--threshold=128",
                           "--fr-solid-left=2",
                           "--fr-solid-right=3",
                           "--fr-solid-top=4",
                           "--fr-solid-bottom=5",
                           "--fr-solid-left-color=FF0000",
                           "--fr-solid-right-color=00FF00",
                           "--fr-solid-top-color=0000FF",
                           "--fr-solid-bottom-color=FFFFFF",
                           "--fr-solid-opacity=200",
                           "--wm-text=%width%x%height%",
                           "--wm-font=Arial",
                           "--wm-font-size=9",
                           "--wm-font-leading=2",
                           "--wm-font-color=FFFF00",
                           "--wm-font-style=bolditalic",
                           "--wm-font-effect=underline",
                           "--wm-text-antialiasing",
                           "--wm-text-alignment=center",
                           "--wm-text-padding=1",
                           "--wm-text-opacity=128",
                           "--wm-back-color=000080",
                           "--wm-back-opacity=64",
                           "--wm-text-boundary=frame",
                           "--wm-text-position=topleft",
                           "--wm-text-x-offset=3",
                           "--wm-text-y-offset=4",
                           "--wm-text-rotation=0",
                           "--wm-text-size=fixed",
                           "--filename-mask=%filename%_%bpp%",
                           "--file-timestamp=custom",
                           "--file-timestamp-custom=1700000000",
                           "--no-subfolders"};

const Lines kEveryStageEcho = {"RAW Load As: auto",
                               "RAW Header Size: 0",
                               "RAW Image Width: 0",
                               "RAW Image Height: 0",
                               "RAW Tone Mapping: al",
                               "BMP BPP: 0",
                               "BMP Compression: none",
                               "BMP Color Table: auto",
                               "Image Rotation Type: advanced",
                               "Image Rotation: 90",
                               "Image Rotation Back Color: FF0000",
                               "Width: 50 percent",
                               "Height: 50 percent",
                               "Keep Aspect Ratio: 1",
                               "Image Resize Type: largeimages",
                               "Image Resize Algorithm: lanczos",
                               "Flip Horizontal: 1",
                               "Flip Vertical: 1",
                               "Brightness: 10",
                               "Contrast: -10",
                               "Gamma: 1.50",
                               "Invert: 1",
                               "Greyscale: 1",
                               "Image Threshold: 128",
                               "Frame: solid",
                               "Frame left: 2",
                               "Frame right: 3",
                               "Frame top: 4",
                               "Frame bottom: 5",
                               "Frame left color: FF0000",
                               "Frame right color: 00FF00",
                               "Frame top color: 0000FF",
                               "Frame bottom color: FFFFFF",
                               "Frame opacity: 200",
                               "Watermark: text",
                               "Watermark text: %width%x%height%",
                               "Watermark font: Arial",
                               "Watermark font size: 9",
                               "Watermark font leading: 2",
                               "Watermark font color: FFFF00",
                               "Watermark font style: bolditalic",
                               "Watermark font effect: underline",
                               "Watermark text antialiasing: 1",
                               "Watermark text alignment: center",
                               "Watermark text padding: 1",
                               "Watermark text opacity: 128",
                               "Watermark background color: 000080",
                               "Watermark background opacity: 64",
                               "Watermark boundary: frame",
                               "Watermark position: topleft",
                               "Watermark offset (x/y): 3/4",
                               "Watermark rotation: 0",
                               "Watermark size/mode: fixed",
                               "Filename Mask: %filename%_%bpp%",
                               "File Timestamp: custom",
                               "Custom Timestamp: 1700000000",
                               "Keep Subfolders: 0"};

Lines Arguments(Lines first, const Lines& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    DebugAndQuiet, GoldenTest,
    testing::Values(
        GoldenCase{"DebugWithDefaults",
                   {"-d", "-i", "{dir}photo.dng", "-o", "{dir}out"},
                   Join({kBanner,
                         {"Preparing...", "Input: {dir}photo.dng", "Output: {dir}out", "Conversion: bmp"},
                         kDefaultEcho,
                         {"Importing...", "Import complete, new files added: 1", "Converting...",
                          "Processing: {dir}photo.dng", "Saving As: {dir}out/photo.bmp", "OK",
                          "Conversion complete", "Files converted: 1 of 1"}}),
                   {{"out/photo.bmp", true, 24, 40, 30}}},
        GoldenCase{"QuietAndDebug",
                   {"-q", "-d", "-i", "{dir}photo.dng", "-o", "{dir}out/"},
                   Join({{"Input: {dir}photo.dng", "Output: {dir}out/", "Conversion: bmp"},
                         kDefaultEcho,
                         {"Processing: {dir}photo.dng", "Saving As: {dir}out/photo.bmp", "OK"}})},
        GoldenCase{"Quiet", {"--QUIET", "--Input={dir}photo.dng"}, {}, {{"photo.bmp", true, 24, 40, 30}}},
        GoldenCase{"DebugWithEveryStage",
                   Arguments({"-q", "-d", "-i", "{dir}plain.nef", "-o", "{dir}out"}, kEveryStage),
                   Join({{"Input: {dir}plain.nef", "Output: {dir}out", "Conversion: bmp"},
                         kEveryStageEcho,
                         {"Processing: {dir}plain.nef", "Saving As: {dir}out/plain_24", "OK"}}),
                   {{"out/plain_24", true, 24, 32, 24}}},
        GoldenCase{"WorkerFailure",
                   {"-d", "-q", "-i", "{dir}photo.dng", "--filename-mask=none/%filename%"},
                   Join({{"Input: {dir}photo.dng", "Output: {dir}", "Conversion: bmp"},
                         {kDefaultEcho.begin(), kDefaultEcho.end() - 3},
                         {"Filename Mask: none/%filename%", "File Timestamp: current", "Keep Subfolders: 1",
                          "Processing: {dir}photo.dng", "Saving As: {dir}none/photo", "Not OK",
                          "Conversion stopped"}})},
        GoldenCase{"WorkerFailureQuiet",
                   {"-q", "-i", "{dir}photo.dng", "--filename-mask=none/%filename%"},
                   {"Conversion stopped"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    ValueChecks, GoldenTest,
    testing::Values(
        GoldenCase{
            "BmpBppTwo", {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=2"}, {"Error: Invalid bmp-bpp value"}},
        GoldenCase{
            "WidthNotANumber", {"-q", "-i", "{dir}photo.dng", "--width=abc"}, {"Error: Invalid width value"}},
        GoldenCase{"HeightZero",
                   {"-q", "-i", "{dir}photo.dng", "--width=10", "--height=0"},
                   {"Error: Invalid height value"}},
        GoldenCase{"Brightness",
                   {"-q", "-i", "{dir}photo.dng", "--brightness=-150"},
                   {"Error: Invalid brightness value"}},
        GoldenCase{
            "Contrast", {"-q", "-i", "{dir}photo.dng", "--contrast=101"}, {"Error: Invalid contrast value"}},
        GoldenCase{
            "GammaTooLarge", {"-q", "-i", "{dir}photo.dng", "--gamma=20"}, {"Error: Invalid gamma value"}},
        GoldenCase{
            "GammaNotANumber", {"-q", "-i", "{dir}photo.dng", "--gamma=NaN"}, {"Error: Invalid gamma value"}},
        GoldenCase{"GammaSmallest", {"-q", "-i", "{dir}photo.dng", "--gamma=0.01"}, {}, {{"photo.bmp"}}},
        GoldenCase{"UnknownFont",
                   {"-q", "-i", "{dir}photo.dng", "--wm-text=x", "--wm-font=NoSuchFont123"},
                   {"Error: Invalid watermark font"}},
        GoldenCase{"MissingWatermarkImage",
                   {"-q", "-i", "{dir}photo.dng", "--wm-image={dir}missing.png"},
                   {"Error: Invalid watermark image"}},
        GoldenCase{"WatermarkImage",
                   {"-q", "-i", "{dir}photo.dng", "--wm-image={dir}logo.png"},
                   {},
                   {{"photo.bmp"}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    OptionValues, GoldenTest,
    testing::Values(
        GoldenCase{"HexWidth",
                   {"-q", "-d", "-i", "{dir}photo.dng", "--width=$200", "--height=%101", "--filename-mask=x"},
                   Join({{"Input: {dir}photo.dng", "Output: {dir}", "Conversion: bmp"},
                         {kDefaultEcho.begin(), kDefaultEcho.begin() + 8},
                         {"Width: 512 pixels", "Height: 5 pixels", "Keep Aspect Ratio: 0",
                          "Image Resize Type: allimages", "Image Resize Algorithm: bicubic"},
                         {kDefaultEcho.begin() + 8, kDefaultEcho.begin() + 13},
                         {"Filename Mask: x", "File Timestamp: current", "Keep Subfolders: 1",
                          "Processing: {dir}photo.dng", "Saving As: {dir}x", "OK"}}),
                   {{"x", true, 24, 512, 5}}},
        GoldenCase{"NamedValues",
                   {"-q", "-d", "-i", "{dir}photo.dng", "--raw-load-as=48hs", "--raw-tone-mapping=LINEAR",
                    "--bmp-compression=zip", "--bmp-color-table=exact", "--bmp-bpp=8", "--filename-mask=y"},
                   Join({{"Input: {dir}photo.dng", "Output: {dir}", "Conversion: bmp", "RAW Load As: 48hs",
                          "RAW Header Size: 0", "RAW Image Width: 0", "RAW Image Height: 0",
                          "RAW Tone Mapping: linear", "BMP BPP: 8", "BMP Compression: rle",
                          "BMP Color Table: exact"},
                         {kDefaultEcho.begin() + 8, kDefaultEcho.begin() + 13},
                         {"Filename Mask: y", "File Timestamp: current", "Keep Subfolders: 1",
                          "Processing: {dir}photo.dng", "Saving As: {dir}y", "OK"}}),
                   {{"y", true, 8, 32, 24, 1}}},
        GoldenCase{"FontEffectSpelling",
                   {"-q", "-d", "-i", "{dir}photo.dng", "--wm-text=a", "--wm-font-effect=strikethrought",
                    "--wm-text-position=bottom-right", "--file-timestamp=original", "--filename-mask=z"},
                   Join({{"Input: {dir}photo.dng", "Output: {dir}", "Conversion: bmp"},
                         {kDefaultEcho.begin(), kDefaultEcho.begin() + 12},
                         {"Watermark: text",
                          "Watermark text: a",
                          "Watermark font: Arial",
                          "Watermark font size: 14",
                          "Watermark font leading: 0",
                          "Watermark font color: FFFFFF",
                          "Watermark font style: regular",
                          "Watermark font effect: strikethrought",
                          "Watermark text antialiasing: 0",
                          "Watermark text alignment: left",
                          "Watermark text padding: 0",
                          "Watermark text opacity: 255",
                          "Watermark background color: 000000",
                          "Watermark background opacity: 1",
                          "Watermark boundary: image",
                          "Watermark position: topleft",
                          "Watermark offset (x/y): 10/10",
                          "Watermark rotation: 0",
                          "Watermark size/mode: fixed",
                          "Filename Mask: z",
                          "File Timestamp: original",
                          "Keep Subfolders: 1",
                          "Processing: {dir}photo.dng",
                          "Saving As: {dir}z",
                          "OK"}})}),
    CaseName);

const std::pair<std::string, std::string> kProfile = {
    "p.ini",
    "; converts to eight "
    "bits\r\n[cli]\r\n--bmp-bpp=8\r\n--INPUT=elsewhere.nef\r\n--Filename-Mask=\"%filename%-p\"\r\n"};

INSTANTIATE_TEST_SUITE_P(
    Profiles, GoldenTest,
    testing::Values(GoldenCase{"SwitchAfterProfileWins",
                               {"-q", "-i", "{dir}photo.dng", "--profile={dir}p.ini", "--bmp-bpp=24"},
                               {},
                               {{"photo-p", true, 24, 40, 30}},
                               {kProfile}},
                    GoldenCase{"ProfileAfterSwitchWins",
                               {"-q", "--bmp-bpp=24", "--profile={dir}p.ini", "-i", "{dir}photo.dng"},
                               {},
                               {{"photo-p", true, 8, 40, 30}},
                               {kProfile}},
                    GoldenCase{"QuotedProfilePath",
                               {"-q", "-i", "{dir}photo.dng", "--profile=\"{dir}my", "profile.ini\""},
                               {},
                               {{"photo-p", true, 8, 40, 30}},
                               {{"my profile.ini", kProfile.second}}},
                    GoldenCase{"ProfileWithoutCliGroup",
                               {"-q", "-i", "{dir}photo.dng", "--profile={dir}other.ini"},
                               {},
                               {{"photo.bmp", true, 24, 40, 30}},
                               {{"other.ini", "[General]\r\n--bmp-bpp=8\r\n"}}}),
    CaseName);

void ExpectColour(const Bitmap& image, Rgb expected, int tolerance) {
    const Rgb c = PixelAt(image, Width(image) / 2, Height(image) / 2);
    EXPECT_NEAR(c.red, expected.red, tolerance);
    EXPECT_NEAR(c.green, expected.green, tolerance);
    EXPECT_NEAR(c.blue, expected.blue, tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    BmpFiles, GoldenTest,
    testing::Values(
        GoldenCase{"PreviewAt24Bits",
                   {"-q", "-i", "{dir}photo.dng"},
                   {},
                   {{"photo.bmp", true, 24, 40, 30, 0, -1,
                     [](const Bitmap& image) {
                         ExpectColour(image, {200, 100, 50}, 6);
                     }}}},
        GoldenCase{"DisplayDecode",
                   {"-q", "-i", "{dir}photo.dng", "--raw-load-as=24"},
                   {},
                   {{"photo.bmp", true, 24, 64, 48, 0, -1,
                     [](const Bitmap& image) {
                         ExpectColour(image, {180, 180, 180}, 2);
                     }}}},
        GoldenCase{"FullDecodeWithoutToneMappingKeepsMostBits",
                   {"-q", "-i", "{dir}photo.dng", "--raw-load-as=48", "--raw-tone-mapping=none"},
                   {},
                   {{"photo.bmp", true, 32, 64, 48}}},
        GoldenCase{"HalfSizeToneMapped",
                   {"-q", "-i", "{dir}photo.dng", "--raw-load-as=48hs"},
                   {},
                   {{"photo.bmp", true, 32, 32, 24}}},
        GoldenCase{"ExactPalette",
                   {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=8", "--bmp-color-table=exact"},
                   {},
                   {{"photo.bmp", true, 8, 40, 30, 0, 1,
                     [](const Bitmap& image) {
                         ExpectColour(image, {200, 100, 50}, 6);
                     }}}},
        GoldenCase{
            "ExactPaletteRle",
            {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=8", "--bmp-color-table=exact", "--bmp-compression=rle"},
            {},
            {{"photo.bmp", true, 8, 40, 30, 1, 1}}},
        GoldenCase{"LibraryPalette",
                   {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=8"},
                   {},
                   {{"photo.bmp", true, 8, 40, 30, 0, 256}}},
        GoldenCase{"SixteenBits",
                   {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=16"},
                   {},
                   {{"photo.bmp", true, 16, 40, 30, 3}}},
        GoldenCase{
            "OneBit", {"-q", "-i", "{dir}photo.dng", "--bmp-bpp=1"}, {}, {{"photo.bmp", true, 1, 40, 30, 0}}},
        GoldenCase{"Pause",
                   {"-q", "-p", "-i", "{dir}photo.dng"},
                   {"Press any key to exit."},
                   {{"photo.bmp", true, 24, 40, 30}}}),
    CaseName);

// A second copy started while one runs ends at once, silently, with exit code 0.
TEST(SingleInstanceTest, SecondCopyEndsSilently) {
    TempFolder dir;
    MakeFixtures(dir);
    const ProgramOptions options{{"XDG_RUNTIME_DIR=" + dir.path()}};
    StartedProgram first(KIVOTA_BINARY, {"-q", "-p", "-i", dir / "photo.dng"}, options);
    ASSERT_TRUE(first.WaitForOutput("Press any key to exit."));
    const ProgramResult second = RunProgram(KIVOTA_BINARY, {"-v"}, options);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(first.Finish("k"), 0);
    // The lock goes with the process that held it.
    EXPECT_EQ(RunProgram(KIVOTA_BINARY, {"-v"}, options).out, "2.8\n");
}

// Relative output folders, and an input named without a folder, resolve against the program's
// folder, not the working directory.
class ProgramFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        MakeFixtures(work);
        std::filesystem::copy_file(KIVOTA_BINARY, program / "kivota");
        mkdir((program / "out").c_str(), 0755);
    }
    ProgramResult Run(const Lines& arguments) {
        ProgramOptions options{{"XDG_RUNTIME_DIR=" + work.path()}};
        options.workingFolder = work.path();
        return RunProgram(program / "kivota", arguments, options);
    }
    TempFolder work;
    TempFolder program;
};

TEST_F(ProgramFolderTest, RelativeOutputFolders) {
    for (const std::string folder : {"out", "./out", "out/"}) {
        std::filesystem::remove(program / "out/photo.bmp");
        const ProgramResult result = Run({"-q", "-d", "-i", work / "photo.dng", "-o", folder});
        EXPECT_EQ(SplitLines(result.out).at(1), "Output: " + folder);
        EXPECT_GT(FileSize(program / "out/photo.bmp"), 0) << folder;
    }
}

TEST_F(ProgramFolderTest, InputWithoutAFolderWritesBesideTheProgram) {
    const ProgramResult result = Run({"-q", "-i", "photo.dng"});
    EXPECT_EQ(result.out, "");
    EXPECT_GT(FileSize(program / "photo.bmp"), 0);
    EXPECT_EQ(FileSize(work / "photo.bmp"), -1);
}

TEST_F(ProgramFolderTest, HelpNamesTheProgramFile) {
    std::filesystem::rename(program / "kivota", program / "convert.bin");
    const ProgramResult result =
        RunProgram(program / "convert.bin", {"-h"}, {{"XDG_RUNTIME_DIR=" + work.path()}});
    EXPECT_EQ(SplitLines(result.out).at(1), "Usage: convert -i <filename> [options]");
}

}  // namespace
