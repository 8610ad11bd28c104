#include "gui/window_program.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMainWindow>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/settings_file.h"
#include "gui/controls.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_folder.h"

namespace {

// The settings folder of a test whose config home is `temp`.
std::string ConfigFile(const TempFolder& temp) {
    return temp / "config/Lumarix/kivota/config.ini";
}

std::string Value(const std::string& config, const std::string& key) {
    const size_t at = config.find("\r\n" + key + " = ");
    if (at == std::string::npos) {
        return "(missing)";
    }
    const size_t start = at + 2 + key.size() + 3;
    return config.substr(start, config.find("\r\n", start) - start);
}

// The window program in this process, closed by `close` once its main window is up.
class WindowProgramTest : public testing::Test {
  protected:
    WindowProgramTest() {
        TestApplication();
        setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
    }
    ~WindowProgramTest() override { unsetenv("XDG_CONFIG_HOME"); }

    void Run(std::function<void(QMainWindow&)> close) {
        WhileModal([close = std::move(close)] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<QMainWindow*>(top);
                if (window && window->isVisible() && window->property(kWindowNumber).toInt() == 0) {
                    close(*window);
                    return true;
                }
            }
            return false;
        });
        RunWindowProgram(process);
    }

    TempFolder temp;
    ProcessRecords process;
};

TEST_F(WindowProgramTest, WritesTheSettingsAtExit) {
    Run([](QMainWindow& window) {
        window.resize(640, 260);
        window.move(20, 30);
        window.close();
    });
    const std::string config = ReadBytes(ConfigFile(temp));
    ASSERT_FALSE(config.empty());
    EXPECT_EQ(Value(config, "IsMaximized"), "0");
    EXPECT_EQ(Value(config, "Width"), "640");
    EXPECT_EQ(Value(config, "Height"), "260");
    EXPECT_EQ(Value(config, "X"), "20");
    EXPECT_EQ(Value(config, "Y"), "30");
}

TEST_F(WindowProgramTest, AMaximizedWindowKeepsItsNormalGeometry) {
    std::filesystem::create_directories(temp / "config/Lumarix/kivota");
    WriteBytes(ConfigFile(temp), "[Window]\r\nWidth = 600\r\nHeight = 260\r\nX = 11\r\nY = 12\r\n");
    Run([](QMainWindow& window) {
        window.showMaximized();
        window.close();
    });
    const std::string config = ReadBytes(ConfigFile(temp));
    EXPECT_EQ(Value(config, "IsMaximized"), "1");
    EXPECT_EQ(Value(config, "Width"), "600");
    EXPECT_EQ(Value(config, "X"), "11");
}

TEST_F(WindowProgramTest, HistoryOffEmptiesTheRecentFoldersAndNoWindowGroupWithoutPosition) {
    std::filesystem::create_directories(temp / "config/Lumarix/kivota");
    WriteBytes(ConfigFile(temp),
               "[General]\r\nSave Window Position = 0\r\n[Advanced]\r\nOut Folders History = 0\r\n"
               "[File]\r\nRecent Out Folders = /a/\t/b/\r\n");
    Run([](QMainWindow& window) { window.close(); });
    const std::string config = ReadBytes(ConfigFile(temp));
    EXPECT_EQ(Value(config, "Recent Out Folders"), "");
    EXPECT_NE(config.find("[Window]\r\n; \r\n"), std::string::npos);
}

// The program as users start it.
class WindowProgramProcessTest : public testing::Test {
  protected:
    ProgramOptions Options() const {
        return {{"XDG_CONFIG_HOME=" + temp / "config", "XDG_RUNTIME_DIR=" + temp.path(),
                 "QT_QPA_PLATFORM=offscreen"}};
    }
    TempFolder temp;
};

TEST_F(WindowProgramProcessTest, ATerminationSignalClosesTheWindowAndKeepsTheSettings) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::filesystem::remove_all(temp / "config");
        StartedProgram program(KIVOTA_BINARY, {}, Options());
        // The settings folder appears as the window program starts; give the window a moment.
        ASSERT_TRUE(WaitUntil([&] { return IsFolder(temp / "config/Lumarix/kivota"); })) << signal;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        program.Signal(signal);
        EXPECT_EQ(program.Finish(""), 0) << signal;
        EXPECT_GT(FileSize(ConfigFile(temp)), 0) << signal;
    }
}

TEST_F(WindowProgramProcessTest, WithoutADisplayItSaysSoAndEnds) {
    ProgramOptions options = Options();
    options.environment.pop_back();
    options.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"-U"},
          std::vector<std::string>{"-T", temp.path()}}) {
        const ProgramResult result = RunProgram(KIVOTA_BINARY, arguments, options);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(SplitLines(result.err).size(), 1u) << result.err;
    }
    EXPECT_FALSE(PathExists(temp / "config"));
}

TEST_F(WindowProgramProcessTest, CaptureWritesBothPictures) {
    const ProgramResult result = RunProgram(KIVOTA_BINARY, {"-T", temp.path()}, Options());
    EXPECT_EQ(result.exitCode, 0);
    const QImage full(QString::fromStdString(temp / "kivota1.jpg"));
    const QImage small(QString::fromStdString(temp / "kivota1x.jpg"));
    ASSERT_FALSE(full.isNull());
    ASSERT_FALSE(small.isNull());
    EXPECT_GE(full.width(), 510);
    EXPECT_EQ(small.width(), 180);
    EXPECT_EQ(small.height(), static_cast<int>(std::lround(180.0 * full.height() / full.width())));
    // A missing folder gives nothing and no window.
    EXPECT_EQ(RunProgram(KIVOTA_BINARY, {"-T", temp / "nowhere"}, Options()).exitCode, 0);
    EXPECT_FALSE(PathExists(temp / "nowhere"));
}

}  // namespace
