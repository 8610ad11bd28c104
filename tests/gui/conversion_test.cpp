#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "app/text_table.h"
#include "engine/recent_folders.h"
#include "gui/controls.h"
#include "gui/main_window.h"
#include "gui/progress_window.h"
#include "gui/selection.h"
#include "platform/files.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/dng_writer.h"
#include "tests/support/temp_folder.h"

namespace {

class ConversionTest : public testing::Test {
  public:
    ConversionTest() {
        ApplyDefaultSettings(process.settings, false, std::nullopt, 0);
        LoadTextTable();
        LoadBuiltinImages(images);
        process.catalogue.BuildFormatCatalogue();
        window.BuildMainWindow();
        window.StartMainWindow();
    }

    void SetInput(const std::string& path) {
        FindControl<QLineEdit>(&window, 2)->setText(QString::fromStdString(path));
    }
    void SetOutputFolder(const std::string& folder) {
        process.run.outputFolder = folder;
        process.settings.app.file.recentOutFolders = folder;
        window.RefreshOutputFolderList();
    }
    std::string Status() { return window.statusBar()->findChild<QLabel*>()->text().toStdString(); }

    // A camera file large enough that its conversion outlasts a few polls of the progress window.
    std::string SlowDng() {
        DngOptions options;
        options.width = 2400;
        options.height = 1600;
        WriteDng(temp / "slow.dng", options);
        process.settings.conversion.input.rawLoadAs = 3;
        return temp / "slow.dng";
    }

    QApplication& application = TestApplication();
    TempFolder temp;
    ProcessRecords process;
    ImageSets images;
    MainWindow window{process, images};
};

struct Refusal {
    const char* name;
    std::function<void(ConversionTest&)> arrange;
    std::string text;  // "{dir}" is the scratch folder
    std::string status;
};

class RefusalTest : public ConversionTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, WarnsAndStops) {
    const Refusal& r = GetParam();
    WriteDng(temp / "photo.dng", DngOptions{});
    SetInput(temp / "photo.dng");
    SetOutputFolder(temp.path());
    r.arrange(*this);
    MessageBoxSeen seen;
    AnswerNextMessageBox(QMessageBox::Ok, &seen);
    window.StartConversion();
    std::string text = r.text;
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;) {
        text.replace(at, 5, temp.path());
    }
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(Status(), r.status);
    EXPECT_EQ(FileSize(temp / "photo.bmp"), -1);
}

const char kNoInput[] = "No input file(s) found. Please, add valid file(s) and try again!";

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusalTest,
    testing::Values(
        Refusal{"EmptyInput", [](ConversionTest& test) { test.SetInput(""); }, kNoInput,
                "Conversion stopped"},
        Refusal{"UnsupportedInput",
                [](ConversionTest& test) {
                    WriteBytes(test.temp / "notes.txt", "x");
                    test.SetInput(test.temp / "notes.txt");
                },
                kNoInput, "Conversion stopped"},
        Refusal{"EmptyOutputFolder",
                [](ConversionTest& test) {
                    test.window.NewRun();
                    test.SetInput(test.temp / "photo.dng");
                },
                "The output folder's field is empty. Please, select existed output folder and try again!",
                "Conversion stopped"},
        Refusal{
            "MissingOutputFolder", [](ConversionTest& test) { test.SetOutputFolder(test.temp / "nowhere"); },
            "The following output folder is invalid or doesn't exist:\n{dir}nowhere/\n\nPlease, correct the "
            "output path and try again!",
            "Conversion stopped"},
        Refusal{"ZeroWidth",
                [](ConversionTest& test) {
                    test.process.settings.conversion.transform.doImageResize = 1;
                    test.process.settings.conversion.transform.imageHeight = 10;
                },
                "Invalid resize width value!", "Conversion stopped"},
        Refusal{"ZeroHeight",
                [](ConversionTest& test) {
                    test.process.settings.conversion.transform.doImageResize = 1;
                    test.process.settings.conversion.transform.imageWidth = 10;
                },
                "Invalid resize height value!", "Conversion stopped"},
        Refusal{"UnknownFont",
                [](ConversionTest& test) {
                    test.process.settings.conversion.watermark.doWatermark = 1;
                    test.process.settings.conversion.watermark.font = "NoSuchFont123";
                },
                "Unable to load selected font for a watermark: NoSuchFont123", "Preparing..."},
        Refusal{"EmptyWatermarkImage",
                [](ConversionTest& test) { test.process.settings.conversion.watermark.doWatermark = 2; },
                "Selected watermark image is invalid/empty!", "Preparing..."},
        Refusal{"MissingWatermarkImage",
                [](ConversionTest& test) {
                    test.process.settings.conversion.watermark.doWatermark = 2;
                    test.process.settings.conversion.watermark.image = test.temp / "logo.png";
                },
                "Unable to load selected file as a watermark image: {dir}logo.png", "Preparing..."}),
    [](const testing::TestParamInfo<Refusal>& refusal) { return std::string(refusal.param.name); });

TEST_F(ConversionTest, ResizeOffIgnoresAZeroWidth) {
    WriteDng(temp / "photo.dng", DngOptions{});
    SetInput(temp / "photo.dng");
    SetOutputFolder(temp.path());
    process.settings.conversion.transform.imageWidth = 0;
    WhileModal([] {
        auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* ok = progress ? FindControl<QPushButton>(progress, 340) : nullptr;
        if (!ok || !ok->isEnabled()) {
            return false;
        }
        ok->click();
        return true;
    });
    window.StartConversion();
    EXPECT_GT(FileSize(temp / "photo.bmp"), 0);
}

// What the progress window showed while it ran and when it ended.
struct ProgressSeen {
    bool okDisabledWhileRunning = false;
    std::string endStatus;
    std::string runningTitle;
    std::string endTitle;
    std::string endText;
    int endBar = -1;
};

void WatchProgress(ProgressSeen& seen, MainWindow& window, std::function<void(QDialog&)> whileRunning = {}) {
    WhileModal([&seen, &window, whileRunning = std::move(whileRunning)]() mutable {
        auto* progress = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!progress || progress->property(kWindowNumber).toInt() != 3) {
            return false;
        }
        auto* ok = FindControl<QPushButton>(progress, 340);
        if (!ok->isEnabled()) {
            seen.okDisabledWhileRunning = true;
            if (seen.runningTitle.empty() && progress->windowTitle().contains(QLatin1Char('('))) {
                seen.runningTitle = progress->windowTitle().toStdString();
            }
            if (whileRunning) {
                std::exchange(whileRunning, {})(*progress);
            }
            return false;
        }
        seen.endTitle = progress->windowTitle().toStdString();
        seen.endText = FindControl<QLabel>(progress, 338)->text().toStdString();
        seen.endBar = FindControl<QProgressBar>(progress, 339)->value();
        seen.endStatus = window.statusBar()->findChild<QLabel*>()->text().toStdString();
        ok->click();
        return true;
    });
}

TEST_F(ConversionTest, RunsThroughTheProgressWindow) {
    SetInput(SlowDng());
    window.NewRun();
    SetInput(temp / "slow.dng");
    SetOutputFolder(temp.path().substr(0, temp.path().size() - 1));
    ProgressSeen seen;
    WatchProgress(seen, window);
    window.StartConversion();
    EXPECT_TRUE(seen.okDisabledWhileRunning);
    EXPECT_EQ(seen.runningTitle, "Converting (1/1)");
    EXPECT_EQ(seen.endTitle, "Conversion complete (1/1)");
    EXPECT_EQ(seen.endText, "Files converted: 1 of 1");
    EXPECT_EQ(seen.endBar, 2);
    EXPECT_EQ(seen.endStatus, "Conversion complete");
    EXPECT_EQ(Status(), "Conversion complete");
    EXPECT_GT(FileSize(temp / "slow.bmp"), 0);
    // The folder given without its final separator is kept with one, first in the list.
    EXPECT_EQ(RecentOutputFolder(process.settings, 0), temp.path());
}

TEST_F(ConversionTest, BreakingOffWithYesEndsAsStopped) {
    SetInput(SlowDng());
    SetOutputFolder(temp.path());
    ProgressSeen seen;
    MessageBoxSeen question;
    WatchProgress(seen, window, [&question](QDialog& progress) {
        AnswerNextMessageBox(QMessageBox::Yes, &question);
        progress.close();
    });
    window.StartConversion();
    EXPECT_EQ(question.text, "Do you want to break the conversion?");
    EXPECT_EQ(seen.endTitle, "Conversion stopped (1/1)");
    EXPECT_EQ(seen.endText, "Conversion stopped");
    EXPECT_EQ(seen.endStatus, "Conversion stopped");
}

TEST_F(ConversionTest, BreakingOffWithNoLetsTheRunFinish) {
    SetInput(SlowDng());
    SetOutputFolder(temp.path());
    ProgressSeen seen;
    WatchProgress(seen, window, [](QDialog& progress) {
        AnswerNextMessageBox(QMessageBox::No);
        progress.close();
    });
    window.StartConversion();
    EXPECT_EQ(seen.endTitle, "Conversion complete (1/1)");
    EXPECT_EQ(seen.endText, "Files converted: 1 of 1");
}

TEST(ShortenMiddleTest, KeepsHeadAndTailWithinTheBudget) {
    EXPECT_EQ(ShortenMiddle("abcdefghij", 9), "abc...hij");
    EXPECT_EQ(ShortenMiddle("abcdefghij", 10), "abcdefghij");
    EXPECT_EQ(ShortenMiddle("", 2), "");
    EXPECT_EQ(ShortenMiddle("abcdef", 2), "...");
    EXPECT_EQ(ShortenMiddle("abcdef", 0), "...");
    EXPECT_EQ(ShortenMiddle("\xC3\xA9\xC3\xA9\xC3\xA9xyz\xC3\xA9\xC3\xA9", 7),
              "\xC3\xA9\xC3\xA9...\xC3\xA9\xC3\xA9");
}

TEST(QtFileFilterTest, ConvertsTheCatalogueFilter) {
    EXPECT_EQ(QtFileFilter("All Supported Files|*.nef;*.cr2|Nikon|*.nef|All Files (*.*)|*.*").toStdString(),
              "All Supported Files (*.nef *.cr2);;Nikon (*.nef);;All Files (*)");
}

}  // namespace
