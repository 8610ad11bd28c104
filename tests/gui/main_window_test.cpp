#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/text_table.h"
#include "gui/controls.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/dng_writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_images.h"

namespace {

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() {
        TestApplication();
        ApplyDefaultSettings(process.settings, false, std::nullopt, 0);
        LoadTextTable();
        LoadBuiltinImages(images);
        process.catalogue.BuildFormatCatalogue();
    }

    MainWindow& Window() {
        if (!window) {
            window = std::make_unique<MainWindow>(process, images);
            window->BuildMainWindow();
            window->StartMainWindow();
        }
        return *window;
    }
    template <class T = QWidget>
    T* Control(int number) {
        return FindControl<T>(&Window(), number);
    }
    QToolBar* Toolbar(int number) { return FindNumbered<QToolBar>(&Window(), kToolbarNumber, number); }
    std::string Text(int number) { return Control<QLabel>(number)->text().toStdString(); }
    std::string Status() { return Window().statusBar()->findChild<QLabel*>()->text().toStdString(); }
    std::string InputText() { return Control<QLineEdit>(2)->text().toStdString(); }
    std::string FolderText() { return Control<QComboBox>(5)->currentText().toStdString(); }

    void Drop(const std::string& path) {
        Window().DropFiles(
            {QUrl::fromLocalFile(QString::fromStdString(path)), QUrl::fromLocalFile("/tmp/other.nef")});
    }

    TempFolder temp;
    ProcessRecords process;
    ImageSets images;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, BuildsEveryControlWithItsText) {
    EXPECT_EQ(Window().windowTitle().toStdString(), "Lumarix RAW to BMP 2.8");
    EXPECT_EQ(Window().property(kWindowNumber).toInt(), 0);
    for (int number : {0, 1, 2, 4, 5, 6, 7, 8, 11}) {
        EXPECT_TRUE(Control(number)) << "control " << number;
    }
    EXPECT_EQ(Text(1), "Input File:");
    EXPECT_EQ(Text(4), "Output Folder:");
    EXPECT_EQ(Text(6), "Output Format:");
    auto* formats = Control<QComboBox>(7);
    ASSERT_EQ(formats->count(), 1);
    EXPECT_EQ(formats->currentText().toStdString(), "BMP (Windows or OS/2 Bitmap)");
    EXPECT_FALSE(formats->isEditable());
    EXPECT_FALSE(Control<QComboBox>(5)->isEditable());
    EXPECT_FALSE(Control<QToolButton>(8)->icon().isNull());
    EXPECT_EQ(Status(), "Ready");
    EXPECT_TRUE(Control<QLineEdit>(2)->hasFocus() || !Window().isActiveWindow());
}

TEST_F(MainWindowTest, MenusCarryTheirIdsHintsAndPictures) {
    std::map<int, std::string> items;
    for (QAction* title : Window().menuBar()->actions()) {
        for (QAction* item : title->menu()->actions()) {
            if (!item->isSeparator()) {
                items[item->property(kMenuId).toInt()] = item->text().toStdString();
                EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
            }
        }
    }
    const std::map<int, std::string> expected = {{0, "New\tCtrl+N"},
                                                 {3, "Exit\tAlt+X"},
                                                 {5, "Add Input File..."},
                                                 {7, "Select Output Folder..."},
                                                 {14, "Convert\tF5"},
                                                 {16, "Find a File Converter..."},
                                                 {17, "Preferences..."},
                                                 {18, "User Manual...\tF1"},
                                                 {21, "Send Feedback"},
                                                 {22, "Visit the Program's Homepage"},
                                                 {23, "Check For a New Version"},
                                                 {24, "About..."}};
    EXPECT_EQ(items, expected);
}

TEST_F(MainWindowTest, ToolbarsFollowTheIconSize) {
    process.settings.app.interface.uiSize = 4;
    auto* toolbar = Toolbar(0);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(toolbar->iconSize(), QSize(64, 64));
    std::vector<std::string> tips;
    for (QAction* action : toolbar->actions()) {
        tips.push_back(action->isSeparator() ? "|" : action->toolTip().toStdString());
    }
    const std::vector<std::string> expected = {"New",
                                               "Add Input File...",
                                               "Select Output Folder...",
                                               "|",
                                               "Preferences...",
                                               "|",
                                               "Convert",
                                               "|",
                                               "User Manual...",
                                               "Send Feedback",
                                               "Visit the Program's Homepage",
                                               "Check For a New Version"};
    EXPECT_EQ(tips, expected);
    for (int number : {1, 2, 3}) {
        auto* bar = Toolbar(number);
        ASSERT_TRUE(bar) << number;
        EXPECT_EQ(bar->size(), QSize(24, 24));
    }
    EXPECT_EQ(Toolbar(3)->actions().front()->toolTip().toStdString(), "Options...");
}

class ResizeRuleTest : public MainWindowTest, public testing::WithParamInterface<int> {};

TEST_P(ResizeRuleTest, MovesTheRightEdgesTogether) {
    const int width = GetParam();
    Window().resize(width, 400);
    QApplication::processEvents();
    EXPECT_EQ(Window().width(), width);
    EXPECT_EQ(Window().height(), 260);
    for (int field : {2, 5, 7}) {
        EXPECT_EQ(Control(field)->width(), width - 160) << field;
    }
    const int rows[] = {19, 59, 99};
    for (int bar : {1, 2, 3}) {
        EXPECT_EQ(Toolbar(bar)->geometry(), QRect(width - 146, rows[bar - 1], 24, 24)) << bar;
    }
    EXPECT_EQ(Control(8)->x(), width - 110);
}

INSTANTIATE_TEST_SUITE_P(Widths, ResizeRuleTest, testing::Values(510, 800));

TEST_F(MainWindowTest, NeverNarrowerThan510) {
    Window().resize(300, 260);
    EXPECT_EQ(Window().width(), 510);
}

TEST_F(MainWindowTest, NewClearsTheFields) {
    const std::string dng = temp / "photo.dng";
    WriteDng(dng, DngOptions{});
    ASSERT_TRUE(Window().AddJob(dng));
    EXPECT_EQ(InputText(), dng);
    EXPECT_EQ(FolderText(), temp.path());
    Window().ShowStatus("Converting...");
    Window().OnMenu(kMenuNew);
    EXPECT_EQ(InputText(), "");
    EXPECT_EQ(FolderText(), "");
    EXPECT_EQ(Status(), "Ready");
    EXPECT_TRUE(process.jobs.Jobs().empty());
}

TEST_F(MainWindowTest, DroppingASupportedFileMakesItTheJobAndItsFolderTheOutput) {
    WriteDng(temp / "a.nef", DngOptions{});
    WriteDng(temp / "b.nef", DngOptions{});
    Drop(temp / "a.nef");
    EXPECT_EQ(InputText(), temp / "a.nef");
    EXPECT_EQ(FolderText(), temp.path());
    EXPECT_EQ(process.settings.app.file.recentOutFolders, temp.path());
    // A second file replaces the first and leaves the chosen folder alone.
    Drop(temp / "b.nef");
    EXPECT_EQ(InputText(), temp / "b.nef");
    ASSERT_EQ(process.jobs.Jobs().size(), 1u);
    EXPECT_EQ(process.jobs.Jobs()[0].inputPath, temp / "b.nef");
}

TEST_F(MainWindowTest, DroppingAnUnsupportedFileChangesNothing) {
    WriteBytes(temp / "photo.jpg", EncodeJpeg(MakeSolidBitmap(4, 4, 24, {})));
    WriteBytes(temp / "empty.nef", "");
    Drop(temp / "photo.jpg");
    Drop(temp / "empty.nef");
    EXPECT_EQ(InputText(), "");
    EXPECT_EQ(FolderText(), "");
    EXPECT_TRUE(process.jobs.Jobs().empty());
}

TEST_F(MainWindowTest, TheRecentListStartsWithOneEmptyItem) {
    EXPECT_EQ(Control<QComboBox>(5)->count(), 1);
    EXPECT_EQ(FolderText(), "");
}

TEST_F(MainWindowTest, RecentFoldersFillTheList) {
    process.settings.app.file.recentOutFolders = "/a/\t/b/";
    EXPECT_EQ(Control<QComboBox>(5)->count(), 2);
    process.run.outputFolder = "/b/";
    Window().RefreshOutputFolderList();
    EXPECT_EQ(FolderText(), "/b/");
}

}  // namespace
