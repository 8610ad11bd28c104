#include "gui/main_window.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/product.h"
#include "app/text_table.h"
#include "engine/format_catalogue.h"
#include "engine/naming.h"
#include "engine/recent_folders.h"
#include "gui/controls.h"
#include "gui/messages.h"

namespace {

constexpr int kMinimumWidth = 510;
constexpr int kFixedHeight = 260;

QString Text(const char* group, const char* key) {
    return ToQString(LocalText(group, key));
}

QIcon IconOf(const std::map<std::string, QImage>& set, const char* key) {
    const auto it = set.find(key);
    return it == set.end() ? QIcon() : QIcon(QPixmap::fromImage(it->second));
}

QLabel* Label(QWidget* parent, int number, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    SetControlNumber(label, number);
    label->setGeometry(place);
    // The text sits at the top of its box, clear of the field that follows it.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QComboBox* PickOnlyCombo(QWidget* parent, int number, const QRect& place) {
    auto* combo = new QComboBox(parent);
    SetControlNumber(combo, number);
    combo->setGeometry(place);
    combo->setEditable(false);
    combo->setIconSize(QSize(16, 16));
    return combo;
}

}  // namespace

MainWindow::MainWindow(ProcessRecords& process, ImageSets& images) : m_process(process), m_images(images) {
    SetWindowNumber(this, 0);
    setWindowTitle(ToQString(ProductTitle()));
    setMinimumSize(kMinimumWidth, kFixedHeight);
    setMaximumHeight(kFixedHeight);
    setAcceptDrops(true);
}

QAction* MainWindow::MenuAction(int id, const char* key, const char* icon, const QString& hint) {
    auto* action = new QAction(IconOf(m_images.menuIcons, icon), Text("Menu", key) + hint, this);
    action->setProperty(kMenuId, id);
    connect(action, &QAction::triggered, this, [this, id] { OnMenu(id); });
    return action;
}

void MainWindow::BuildMainMenu() {
    menuBar()->clear();
    QMenu* file = menuBar()->addMenu(Text("Menu", "File"));
    file->addAction(MenuAction(kMenuNew, "New", "New", QStringLiteral("\tCtrl+N")));
    file->addSeparator();
    file->addAction(MenuAction(kMenuSelectInputFile, "Select Input File", "Add"));
    file->addAction(MenuAction(kMenuSelectOutputFolder, "Select Output Folder", "OutFolder"));
    file->addSeparator();
    file->addAction(MenuAction(kMenuExit, "Exit", "Exit", QStringLiteral("\tAlt+X")));
    QMenu* converter = menuBar()->addMenu(Text("Menu", "Converter"));
    converter->addAction(MenuAction(kMenuConvert, "Convert", "Convert", QStringLiteral("\tF5")));
    converter->addSeparator();
    converter->addAction(MenuAction(kMenuCustomConverter, "Custom Converter", "CustomConverter"));
    converter->addSeparator();
    converter->addAction(MenuAction(kMenuPreferences, "Preferences", "Preferences"));
    QMenu* help = menuBar()->addMenu(Text("Menu", "Help"));
    help->addAction(MenuAction(kMenuManual, "Manual", "Help", QStringLiteral("\tF1")));
    help->addSeparator();
    help->addAction(MenuAction(kMenuSendFeedback, "Send Feedback", "Email"));
    help->addAction(MenuAction(kMenuVisitHomepage, "Visit Homepage", "Web"));
    help->addAction(MenuAction(kMenuCheckForNewVersion, "Check For New Version", "Updates"));
    help->addSeparator();
    help->addAction(MenuAction(kMenuAbout, "About", "About"));
}

void MainWindow::BuildMainToolbar() {
    if (m_toolbar) {
        removeToolBar(m_toolbar);
        delete m_toolbar;
    }
    m_toolbar = new QToolBar(this);
    SetToolbarNumber(m_toolbar, 0);
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    const int pixels = IconPixels(m_process.settings.app.interface.uiSize);
    m_toolbar->setIconSize(QSize(pixels, pixels));
    const auto button = [this](int id, const char* icon, const char* tip) {
        QAction* action = m_toolbar->addAction(IconOf(m_images.toolbarIcons, icon), Text("Menu", tip));
        action->setToolTip(Text("Menu", tip));
        action->setProperty(kMenuId, id);
        connect(action, &QAction::triggered, this, [this, id] { OnMenu(id); });
    };
    button(kMenuNew, "New", "New");
    button(kMenuSelectInputFile, "Add", "Select Input File");
    button(kMenuSelectOutputFolder, "OutFolder", "Select Output Folder");
    m_toolbar->addSeparator();
    button(kMenuPreferences, "Preferences", "Preferences");
    m_toolbar->addSeparator();
    button(kMenuConvert, "Convert", "Convert");
    m_toolbar->addSeparator();
    button(kMenuManual, "Help", "Manual");
    button(kMenuSendFeedback, "Email", "Send Feedback");
    button(kMenuVisitHomepage, "Web", "Visit Homepage");
    button(kMenuCheckForNewVersion, "Updates", "Check For New Version");
    addToolBar(Qt::TopToolBarArea, m_toolbar);
}

QToolBar* MainWindow::FieldButton(int number, int menuId, const char* icon, const char* tip) {
    auto* bar = new QToolBar(m_container);
    SetToolbarNumber(bar, number);
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
    QAction* action = bar->addAction(IconOf(m_images.menuIcons, icon), Text("Menu", tip));
    action->setToolTip(Text("Menu", tip));
    action->setProperty(kMenuId, menuId);
    connect(action, &QAction::triggered, this, [this, menuId] { OnMenu(menuId); });
    bar->widgetForAction(action)->setFixedSize(24, 24);
    bar->show();
    return bar;
}

void MainWindow::BuildFieldButtons() {
    for (auto& [number, bar] : m_fieldButtons) {
        delete bar;
    }
    m_fieldButtons = {{1, FieldButton(1, kMenuSelectInputFile, "Add", "Select Input File")},
                      {2, FieldButton(2, kMenuSelectOutputFolder, "OutFolder", "Select Output Folder")},
                      {3, FieldButton(3, kMenuOutputFormatOptions, "OutFormat", "Output Format Options")}};
    const int rows[] = {19, 59, 99};
    for (auto& [number, bar] : m_fieldButtons) {
        bar->setGeometry(kMinimumWidth - 146, rows[number - 1], 24, 24);
    }
}

void MainWindow::BuildMainWindow() {
    BuildMainMenu();
    BuildMainToolbar();
    m_status = new QLabel(statusBar());
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);
    // One plain field across the bar, without the frame styles draw around items.
    statusBar()->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));

    auto* body = new QWidget(this);
    setCentralWidget(body);
    m_container = new QWidget(body);
    SetControlNumber(m_container, 0);
    Label(m_container, 1, Text("General", "Input File"), {10, 5, 350, 20});
    m_input = new QLineEdit(m_container);
    SetControlNumber(m_input, 2);
    m_input->setGeometry(10, 20, 350, 20);
    BuildFieldButtons();
    Label(m_container, 4, Text("General", "Output Folder"), {10, 45, 350, 20});
    m_outputFolders = PickOnlyCombo(m_container, 5, {10, 60, 350, 21});
    Label(m_container, 6, Text("General", "Output Format"), {10, 85, 350, 20});
    m_outputFormats = PickOnlyCombo(m_container, 7, {10, 100, 350, 21});
    m_convert = new QToolButton(m_container);
    SetControlNumber(m_convert, 8);
    m_convert->setGeometry(400, 20, 100, 100);
    m_convert->setIconSize(QSize(64, 64));
    m_convert->setToolTip(Text("General", "Convert"));
    m_convert->setAutoRaise(true);
    m_notice = new QLabel(QStringLiteral("Converts camera RAW photographs into BMP files."), body);
    SetControlNumber(m_notice, 11);
    m_notice->setEnabled(false);
    RefreshGadgetImages();

    connect(m_outputFolders, &QComboBox::activated, this,
            [this] { m_process.run.outputFolder = OutputFolderText(); });
    connect(m_outputFormats, &QComboBox::activated, this, [this] {
        const int index = m_outputFormats->currentData().toInt();
        const auto formats = EnabledOutputFormats();
        if (index >= 0 && static_cast<size_t>(index) < formats.size()) {
            m_process.settings.conversion.output.format = formats[static_cast<size_t>(index)];
        }
    });
    connect(m_convert, &QToolButton::clicked, this, [this] { StartConversion(); });
    const std::pair<const char*, int> shortcuts[] = {
        {"Ctrl+N", kMenuNew}, {"Alt+X", kMenuExit}, {"F5", kMenuConvert}, {"F1", kMenuManual}};
    for (const auto& [keys, id] : shortcuts) {
        connect(new QShortcut(QKeySequence(QString::fromLatin1(keys)), this), &QShortcut::activated, this,
                [this, id = id] { OnMenu(id); });
    }
}

void MainWindow::StartMainWindow() {
    const AppSettings::Window& window = m_process.settings.app.window;
    move(window.x, window.y);
    resize(window.width, window.height);
    if (m_process.settings.app.file.recentOutFolders.empty()) {
        m_outputFolders->addItem(QString());
    }
    FillOutputFormatCombo();
    NewRun();
    if (window.isMaximized) {
        showMaximized();
    } else {
        show();
    }
    LayoutMainWindow();
}

void MainWindow::NewRun() {
    RefreshOutputFolderList();
    ResetRunState(m_process);
    m_input->clear();
    m_outputFolders->setCurrentIndex(-1);
    ShowStatus(LocalText("General", "Ready"));
    m_input->setFocus();
}

void MainWindow::FillOutputFormatCombo() {
    m_outputFormats->clear();
    const auto formats = EnabledOutputFormats();
    int selected = 0;
    for (size_t i = 0; i < formats.size(); ++i) {
        if (formats[i].empty()) {
            continue;
        }
        const std::string label = m_process.catalogue.OutputFormatLabel(formats[i], true);
        m_outputFormats->addItem(IconOf(m_images.menuIcons, "New"), ToQString(label), static_cast<int>(i));
        if (formats[i] == m_process.settings.conversion.output.format) {
            selected = m_outputFormats->count() - 1;
        }
    }
    m_outputFormats->setCurrentIndex(selected);
}

void MainWindow::RefreshGadgetImages() {
    const auto convert = m_images.buttons.find("Convert");
    m_convert->setIcon(convert == m_images.buttons.end() ? QIcon()
                                                         : QIcon(QPixmap::fromImage(convert->second)));
    for (int i = 0; i < m_outputFolders->count(); ++i) {
        m_outputFolders->setItemIcon(i, IconOf(m_images.menuIcons, "FavFolder"));
    }
    for (int i = 0; i < m_outputFormats->count(); ++i) {
        m_outputFormats->setItemIcon(i, IconOf(m_images.menuIcons, "New"));
    }
}

void MainWindow::RefreshOutputFolderList() {
    const Settings& settings = m_process.settings;
    const std::string& current = m_process.run.outputFolder;
    if (settings.app.file.recentOutFolders.empty() && current.empty()) {
        return;
    }
    m_outputFolders->clear();
    int selected = -1;
    for (int i = 0; i < settings.conversion.advanced.outFoldersNumber; ++i) {
        const std::string folder = RecentOutputFolder(settings, i);
        if (folder.empty()) {
            continue;
        }
        m_outputFolders->addItem(IconOf(m_images.menuIcons, "FavFolder"), ToQString(folder));
        if (folder == current) {
            selected = m_outputFolders->count() - 1;
        }
    }
    // A folder the list cannot hold (its name has a line break or a TAB) is still offered for this run.
    if (selected < 0 && !current.empty()) {
        m_outputFolders->addItem(IconOf(m_images.menuIcons, "FavFolder"), ToQString(current));
        selected = m_outputFolders->count() - 1;
    }
    m_outputFolders->setCurrentIndex(std::max(selected, 0));
}

std::string MainWindow::OutputFolderText() const {
    return m_outputFolders->currentText().trimmed().toStdString();
}

bool MainWindow::AddJob(const std::string& path) {
    RunState& run = m_process.run;
    if (!m_process.jobs.AddJob(path, run, m_process.catalogue)) {
        return false;
    }
    m_input->setText(ToQString(path));
    if (OutputFolderText().empty()) {
        const std::string folder = run.inputPath.empty() ? std::string(FolderOf(path)) : run.inputPath;
        AddRecentOutputFolder(m_process.settings, folder);
        run.outputFolder = folder;
        RefreshOutputFolderList();
    }
    return true;
}

void MainWindow::ShowExample(const std::string& input, const std::string& outputFolder) {
    m_input->setText(ToQString(input));
    m_outputFolders->addItem(IconOf(m_images.menuIcons, "FavFolder"), ToQString(outputFolder));
    m_outputFolders->setCurrentIndex(m_outputFolders->count() - 1);
    m_outputFormats->setFocus();
    m_outputFolders->setFocus();
    m_convert->setFocus();
}

void MainWindow::ShowStatus(std::string_view text) {
    m_status->setText(ToQString(text));
}

void MainWindow::OnMenu(int id) {
    switch (id) {
        case kMenuNew:
            NewRun();
            break;
        case kMenuExit:
            close();
            break;
        case kMenuSelectInputFile:
            ChooseInputFile();
            break;
        case kMenuSelectOutputFolder:
            ChooseOutputFolder();
            break;
        case kMenuConvert:
            StartConversion();
            break;
        default:
            // The options window, the converter finder, the help pages and the update check have
            // their menu entries already; their windows come with later versions.
            break;
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutMainWindow();
}

void MainWindow::LayoutMainWindow() {
    if (!m_container) {
        return;
    }
    const int width = this->width();
    const int height = this->height();
    const int menuHeight = menuBar()->height();
    const int toolbarHeight = m_toolbar->height();
    const int statusHeight = statusBar()->height();
    m_container->setGeometry(0, 0, width, height - menuHeight - toolbarHeight - statusHeight - 40);
    for (QWidget* field : {static_cast<QWidget*>(m_input), static_cast<QWidget*>(m_outputFolders),
                           static_cast<QWidget*>(m_outputFormats)}) {
        field->resize(width - 160, field->height());
    }
    const int rows[] = {19, 59, 99};
    for (auto& [number, bar] : m_fieldButtons) {
        bar->setGeometry(width - 146, rows[number - 1], 24, 24);
    }
    m_convert->move(width - 110, m_convert->y());
    m_notice->setGeometry(10, height - 70 - menuHeight - toolbarHeight, 350, 20);
    update();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    DropFiles(event->mimeData()->urls());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void MainWindow::DropFiles(const QList<QUrl>& files) {
    if (!files.isEmpty() && files.front().isLocalFile()) {
        AddJob(files.front().toLocalFile().toStdString());
    }
}
