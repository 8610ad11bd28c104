#include <QComboBox>
#include <QLineEdit>

#include "app/text_table.h"
#include "engine/encoding.h"
#include "engine/format_catalogue.h"
#include "engine/naming.h"
#include "engine/recent_folders.h"
#include "engine/stage_watermark.h"
#include "gui/main_window.h"
#include "gui/messages.h"
#include "gui/progress_window.h"
#include "platform/files.h"

namespace {

// The run's checks, in order; each refusal has been shown to the user when it returns false.
class ConversionChecks {
  public:
    explicit ConversionChecks(MainWindow& window) : m_window(window) {}

    bool Stop(const char* key, std::string_view value = {}) {
        m_window.ShowStatus(LocalText("Msg", "Conversion is not complete"));
        ShowWarning(&m_window, FillPlaceholders(LocalText("Msg", key), value));
        return false;
    }
    // The watermark checks leave the status at "Preparing...".
    bool Refuse(const char* key, std::string_view value = {}) {
        ShowWarning(&m_window, FillPlaceholders(LocalText("Msg", key), value));
        return false;
    }

  private:
    MainWindow& m_window;
};

}  // namespace

void MainWindow::StartConversion() {
    RunState& run = m_process.run;
    ConversionSettings& settings = m_process.settings.conversion;
    ConversionChecks checks(*this);

    run.inputFullPath = m_input->text().trimmed().toStdString();
    m_process.jobs.Clear();
    // A refused file leaves the list empty; the job's sub-folder stays empty.
    m_process.jobs.AddJob(run.inputFullPath, RunState{}, m_process.catalogue);
    run.outputFolder = OutputFolderText();
    const int format = m_outputFormats->currentData().toInt();
    const auto formats = EnabledOutputFormats();
    run.outputFormat = format >= 0 && static_cast<size_t>(format) < formats.size()
                           ? std::string(formats[static_cast<size_t>(format)])
                           : std::string(formats.front());
    ShowStatus(LocalText("General", "Preparing"));

    if (m_process.jobs.Jobs().empty()) {
        checks.Stop("Empty input files");
        return;
    }
    if (run.outputFolder.empty()) {
        checks.Stop("Empty output folder");
        return;
    }
    if (!run.outputFolder.ends_with('/')) {
        run.outputFolder += '/';
    }
    if (!IsFolder(run.outputFolder)) {
        checks.Stop("Invalid output folder", run.outputFolder);
        return;
    }
    if (settings.transform.doImageResize &&
        ((settings.transform.imageWidth == 0 && !checks.Stop("Invalid width")) ||
         (settings.transform.imageHeight == 0 && !checks.Stop("Invalid height")))) {
        return;
    }
    std::unique_ptr<CanvasFont> font;
    if (settings.watermark.doWatermark == 1) {
        font = LoadWatermarkFont(settings);
        if (!font) {
            checks.Refuse("Invalid watermark font", settings.watermark.font);
            return;
        }
    } else if (settings.watermark.doWatermark == 2) {
        if (settings.watermark.image.empty()) {
            checks.Refuse("Empty watermark image");
            return;
        }
        if (FileSize(settings.watermark.image) <= 0) {
            checks.Refuse("Invalid watermark image", settings.watermark.image);
            return;
        }
    }
    run.outputFormatId = m_process.catalogue.LookupFormatId(run.outputFormat);
    StartRunEncoding(settings, run);
    if (AddRecentOutputFolder(m_process.settings, run.outputFolder)) {
        RefreshOutputFolderList();
    }
    ShowStatus(LocalText("General", "Converting"));

    const StageContext context{settings, run, m_process.catalogue, font.get()};
    // The progress window is modal: the main window takes no input while it is open.
    ProgressWindow progress(this, m_process.jobs, context,
                            [this](std::string_view text) { ShowStatus(text); });
    progress.Run();
    activateWindow();
}
