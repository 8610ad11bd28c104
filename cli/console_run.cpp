#include "cli/console_run.h"

#include <cmath>
#include <memory>
#include <thread>

#include "app/number_text.h"
#include "app/settings_schema.h"
#include "app/text_table.h"
#include "engine/batch_worker.h"
#include "engine/encoding.h"
#include "engine/naming.h"
#include "engine/stage_watermark.h"
#include "platform/canvas.h"
#include "platform/console.h"
#include "platform/files.h"

namespace {

// A run in progress: what the checks and the echo read, and where the failure line goes.
class ConsoleRun {
  public:
    ConsoleRun(ProcessRecords& process, bool quiet)
        : m_process(process),
          m_settings(process.settings),
          m_run(process.run),
          m_quiet(quiet),
          m_debug(process.run.runMode == "DEBUG") {}

    void Run();

  private:
    bool CheckInput();
    bool CheckOutputFolder();
    bool CheckConversion();
    bool EchoAndCheckStages();
    bool EchoAndCheckWatermark();
    void Convert();

    // The setting's value as the echo prints it: its keyword when it has keywords, reals with
    // two decimals, numbers in decimal, texts as stored.
    std::string Value(const char* group, const char* key) const;
    void Echo(std::string_view label, const char* group, const char* key) const;
    void Debug(std::string_view line) const;
    void Progress(std::string_view line) const;
    bool Fail(std::string_view line) const;

    ProcessRecords& m_process;
    Settings& m_settings;
    RunState& m_run;
    const bool m_quiet;
    const bool m_debug;
    std::unique_ptr<CanvasFont> m_watermarkFont;
};

std::string ConsoleRun::Value(const char* group, const char* key) const {
    const SettingDef& s = *FindSetting(group, key);
    switch (s.kind) {
        case SettingKind::Text:
        case SettingKind::Colour:
        case SettingKind::ColourList:
            return GetText(m_settings, s);
        case SettingKind::Real:
            return FormatRealTwoDecimals(GetReal(m_settings, s));
        default:
            return s.keywords.empty() ? std::to_string(GetNumber(m_settings, s))
                                      : ValueKeyword(s, GetNumber(m_settings, s));
    }
}

void ConsoleRun::Echo(std::string_view label, const char* group, const char* key) const {
    Debug(std::string(label) + Value(group, key));
}

void ConsoleRun::Debug(std::string_view line) const {
    if (m_debug) {
        PrintLine(line);
    }
}

void ConsoleRun::Progress(std::string_view line) const {
    if (!m_quiet) {
        PrintLine(line);
    }
}

bool ConsoleRun::Fail(std::string_view line) const {
    PrintLine(line);
    return false;
}

bool ConsoleRun::CheckInput() {
    Debug("Input: " + m_run.inputPath);
    if (ExtensionOf(m_run.inputPath).empty()) {
        m_run.inputPath.clear();
        return Fail("Error: Invalid input file");
    }
    m_run.inputFullPath = m_run.inputPath;
    m_run.inputPath.clear();
    return FileSize(m_run.inputFullPath) > 0 || Fail("Error: Invalid input file");
}

bool ConsoleRun::CheckOutputFolder() {
    std::string& folder = m_run.outputFolder;
    if (folder.empty()) {
        folder = std::string(FolderOf(m_run.inputFullPath));
    }
    Debug("Output: " + folder);
    if (folder.starts_with("..")) {
        return Fail("Error: Incorrect output folder");
    }
    // Relative folders are resolved against the program's folder, not the working directory.
    if (!folder.starts_with('/')) {
        folder = m_run.programFolder + (folder.starts_with("./") ? folder.substr(2) : folder);
    }
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    return IsFolder(folder) || Fail("Error: Invalid output folder");
}

bool ConsoleRun::CheckConversion() {
    if (m_run.inputFormat.empty()) {
        m_run.inputFormat = EnabledInputGroups().front();
    }
    if (m_run.outputFormat.empty()) {
        m_run.outputFormat = EnabledOutputFormats().front();
    }
    Debug("Conversion: " + m_run.outputFormat);
    if (!IsOutputFormat(m_run.outputFormat)) {
        return Fail("Error: Invalid conversion type");
    }
    if (m_run.inputFormat == "raw") {
        Echo("RAW Load As: ", "Input", "RAW Load As");
        Echo("RAW Header Size: ", "Input", "RAW Header Size");
        Echo("RAW Image Width: ", "Input", "RAW Image Width");
        Echo("RAW Image Height: ", "Input", "RAW Image Height");
        Echo("RAW Tone Mapping: ", "Input", "RAW Tone Mapping");
    }
    Echo("BMP BPP: ", "Output", "BMP BPP");
    Echo("BMP Compression: ", "Output", "BMP Compression");
    Echo("BMP Color Table: ", "Output", "BMP Color Table");
    return m_process.catalogue.IsAllowedBitDepth("bmp", m_settings.conversion.output.bmpBpp) ||
           Fail("Error: Invalid bmp-bpp value");
}

bool ConsoleRun::EchoAndCheckStages() {
    const ConversionSettings& c = m_settings.conversion;
    if (c.transform.doImageRotation) {
        Echo("Image Rotation Type: ", "Transform", "Image Rotation Type");
        Echo("Image Rotation: ", "Transform", "Image Rotation");
        Echo("Image Rotation Back Color: ", "Transform", "Image Rotation Back Color");
    }
    if (c.transform.doImageResize) {
        Debug("Width: " + Value("Transform", "Image Width") + " " + Value("Transform", "Image Width Unit"));
        if (c.transform.imageWidth == 0) {
            return Fail("Error: Invalid width value");
        }
        Debug("Height: " + Value("Transform", "Image Height") + " " +
              Value("Transform", "Image Height Unit"));
        if (c.transform.imageHeight == 0) {
            return Fail("Error: Invalid height value");
        }
        Echo("Keep Aspect Ratio: ", "Transform", "Keep Aspect Ratio");
        Echo("Image Resize Type: ", "Transform", "Image Resize Type");
        Echo("Image Resize Algorithm: ", "Transform", "Image Resize Algorithm");
    }
    Echo("Flip Horizontal: ", "Transform", "Do Image Flip Horizontal");
    Echo("Flip Vertical: ", "Transform", "Do Image Flip Vertical");
    if (c.adjustment.doImageColorCorrection) {
        Echo("Brightness: ", "Adjustment", "Image Brightness");
        if (c.adjustment.imageBrightness < -100 || c.adjustment.imageBrightness > 100) {
            return Fail("Error: Invalid brightness value");
        }
        Echo("Contrast: ", "Adjustment", "Image Contrast");
        if (c.adjustment.imageContrast < -100 || c.adjustment.imageContrast > 100) {
            return Fail("Error: Invalid contrast value");
        }
        Echo("Gamma: ", "Adjustment", "Image Gamma");
        // Not-a-number is out of range too.
        const float gamma = c.adjustment.imageGamma;
        if (!(gamma >= 0.01f && gamma <= 9.99f)) {
            return Fail("Error: Invalid gamma value");
        }
        Echo("Invert: ", "Adjustment", "Image Invert");
    }
    Echo("Greyscale: ", "Adjustment", "Do Image Greyscale");
    if (c.adjustment.doImageThreshold) {
        Echo("Image Threshold: ", "Adjustment", "Image Threshold");
    }
    Echo("Frame: ", "Frame", "Do Frame");
    if (c.frame.doFrame == 1) {
        Echo("Frame left: ", "Frame", "Solid Left");
        Echo("Frame right: ", "Frame", "Solid Right");
        Echo("Frame top: ", "Frame", "Solid Top");
        Echo("Frame bottom: ", "Frame", "Solid Bottom");
        Echo("Frame left color: ", "Frame", "Solid Left Color");
        Echo("Frame right color: ", "Frame", "Solid Right Color");
        Echo("Frame top color: ", "Frame", "Solid Top Color");
        Echo("Frame bottom color: ", "Frame", "Solid Bottom Color");
        Echo("Frame opacity: ", "Frame", "Solid Opacity");
    }
    if (!EchoAndCheckWatermark()) {
        return false;
    }
    Echo("Filename Mask: ", "Advanced", "Filename Mask");
    Echo("File Timestamp: ", "Advanced", "File Timestamp");
    if (c.advanced.fileTimestamp == 2) {
        Debug("Custom Timestamp: " + std::to_string(c.advanced.customTimestamp));
    }
    Echo("Keep Subfolders: ", "Advanced", "Keep Subfolders");
    return true;
}

bool ConsoleRun::EchoAndCheckWatermark() {
    const ConversionSettings::Watermark& w = m_settings.conversion.watermark;
    Echo("Watermark: ", "Watermark", "Do Watermark");
    if (w.doWatermark == 1) {
        Echo("Watermark text: ", "Watermark", "Text");
        Echo("Watermark font: ", "Watermark", "Font");
        Echo("Watermark font size: ", "Watermark", "Font Size");
        Echo("Watermark font leading: ", "Watermark", "Font Leading");
        Echo("Watermark font color: ", "Watermark", "Font Color");
        Echo("Watermark font style: ", "Watermark", "Font Style");
        Echo("Watermark font effect: ", "Watermark", "Font Effect");
        Echo("Watermark text antialiasing: ", "Watermark", "Text Antialiasing");
        Echo("Watermark text alignment: ", "Watermark", "Text Alignment");
        Echo("Watermark text padding: ", "Watermark", "Text Padding");
        Echo("Watermark text opacity: ", "Watermark", "Text Opacity");
        Echo("Watermark background color: ", "Watermark", "Back Color");
        Echo("Watermark background opacity: ", "Watermark", "Back Opacity");
        Echo("Watermark boundary: ", "Watermark", "Text Boundary");
        Echo("Watermark position: ", "Watermark", "Text Position");
        Debug("Watermark offset (x/y): " + Value("Watermark", "Text X Offset") + "/" +
              Value("Watermark", "Text Y Offset"));
        Echo("Watermark rotation: ", "Watermark", "Text Rotation");
        Echo("Watermark size/mode: ", "Watermark", "Text Size");
        m_watermarkFont = LoadWatermarkFont(m_settings.conversion);
        if (!m_watermarkFont) {
            return Fail("Error: Invalid watermark font");
        }
    } else if (w.doWatermark == 2) {
        Echo("Watermark image: ", "Watermark", "Image");
        Echo("Watermark greyscale: ", "Watermark", "Image Greyscale");
        Echo("Watermark opacity: ", "Watermark", "Image Opacity");
        Echo("Watermark boundary: ", "Watermark", "Image Boundary");
        Echo("Watermark position: ", "Watermark", "Image Position");
        Debug("Watermark offset (x/y): " + Value("Watermark", "Image X Offset") + "/" +
              Value("Watermark", "Image Y Offset"));
        Echo("Watermark rotation: ", "Watermark", "Image Rotation");
        Echo("Watermark size/mode: ", "Watermark", "Image Size");
        if (FileSize(w.image) <= 0) {
            return Fail("Error: Invalid watermark image");
        }
    }
    return true;
}

void ConsoleRun::Convert() {
    m_run.outputFormatId = m_process.catalogue.LookupFormatId(m_run.outputFormat);
    StartRunEncoding(m_settings.conversion, m_run);
    Progress(LocalText("General", "Importing"));
    const int total = m_process.jobs.AddJob(m_run.inputFullPath, m_run, m_process.catalogue) ? 1 : 0;
    Progress(FillPlaceholders(LocalText("Msg", "Import complete"), std::to_string(total)));
    if (total == 0) {
        PrintLine(LocalText("Msg", "Conversion is not complete"));
        PrintLine(LocalText("Msg", "Empty input files"));
        return;
    }
    Progress(LocalText("General", "Converting"));
    const ConversionSettings& c = m_settings.conversion;
    if (c.frame.doFrame != 0 || c.watermark.doWatermark != 0) {
        EnsureDrawingPlatform();
    }
    ProgressCounters progress;
    progress.Reset();
    const StageContext context{c, m_run, m_process.catalogue, m_watermarkFont.get()};
    std::thread worker(BatchWorker, std::cref(m_process.jobs), std::ref(progress), std::cref(context));
    worker.join();
    const int converted = progress.convertedCount;
    if (converted > 0) {
        Progress(LocalText("Msg", "Conversion complete"));
        Progress(FillPlaceholders(LocalText("Msg", "Files converted"), std::to_string(converted),
                                  std::to_string(total)));
    } else {
        PrintLine(LocalText("Msg", "Conversion is not complete"));
    }
}

void ConsoleRun::Run() {
    Progress(LocalText("General", "Preparing"));
    if (CheckInput() && CheckOutputFolder() && CheckConversion() && EchoAndCheckStages()) {
        Convert();
    }
    m_watermarkFont.reset();
}

}  // namespace

void RunConsoleBatch(ProcessRecords& process, bool quiet) {
    ConsoleRun(process, quiet).Run();
}
