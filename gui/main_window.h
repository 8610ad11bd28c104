#pragma once

#include <QMainWindow>
#include <map>
#include <string>

#include "app/process.h"
#include "themes/image_sets.h"

class QComboBox;
class QUrl;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;
class QWidget;

// The menu, toolbar and shortcut ids, one space shared by all three.
enum MenuId {
    kMenuNew = 0,
    kMenuExit = 3,
    kMenuSelectInputFile = 5,
    kMenuSelectOutputFolder = 7,
    kMenuOutputFormatOptions = 8,
    kMenuConvert = 14,
    kMenuCustomConverter = 16,
    kMenuPreferences = 17,
    kMenuManual = 18,
    kMenuSendFeedback = 21,
    kMenuVisitHomepage = 22,
    kMenuCheckForNewVersion = 23,
    kMenuAbout = 24,
};

// Window 0: one input file, one output folder, one output format and a large Convert button,
// under a menu bar and a toolbar, above a status bar. Its controls carry their numbers: 2 the
// input field, 5 the output-folder list, 7 the output-format list, 8 the Convert button.
class MainWindow : public QMainWindow {
  public:
    MainWindow(ProcessRecords& process, ImageSets& images);

    // Creates the menus, toolbars, status bar and controls; the window stays hidden.
    void BuildMainWindow();
    void BuildMainMenu();
    void BuildMainToolbar();
    void BuildFieldButtons();
    // Fills the window, shows it and lays it out once.
    void StartMainWindow();

    // Menu 0: a fresh run with empty fields.
    void NewRun();
    void FillOutputFormatCombo();
    void RefreshGadgetImages();
    void RefreshOutputFolderList();
    // Makes `path` the job when it is accepted, shows it and, when no output folder is chosen yet,
    // takes its folder.
    bool AddJob(const std::string& path);
    // Files dropped on the window: the first one goes to AddJob.
    void DropFiles(const QList<QUrl>& files);
    void ChooseInputFile();
    void ChooseOutputFolder();
    void StartConversion();
    void ShowStatus(std::string_view text);
    void OnMenu(int id);

    // The example content of the product's screenshots: an input path and an output folder, and
    // the focus walked through the fields to the Convert button.
    void ShowExample(const std::string& input, const std::string& outputFolder);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QAction* MenuAction(int id, const char* key, const char* icon, const QString& hint = {});
    QToolBar* FieldButton(int number, int menuId, const char* icon, const char* tip);
    void LayoutMainWindow();
    std::string OutputFolderText() const;

    ProcessRecords& m_process;
    ImageSets& m_images;
    QWidget* m_container = nullptr;
    QLineEdit* m_input = nullptr;
    QComboBox* m_outputFolders = nullptr;
    QComboBox* m_outputFormats = nullptr;
    QToolButton* m_convert = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_status = nullptr;
    QToolBar* m_toolbar = nullptr;
    std::map<int, QToolBar*> m_fieldButtons;
};
