#include "gui/window_program.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "app/product.h"
#include "app/settings_file.h"
#include "app/text.h"
#include "app/text_table.h"
#include "engine/format_catalogue.h"
#include "engine/naming.h"
#include "gui/main_window.h"
#include "gui/messages.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/signals.h"

namespace {

// SIGTERM, SIGINT and SIGHUP close the main window, so that the settings are kept as after a
// normal close.
void CloseOnSignals(QMainWindow& window) {
    const int descriptor = WatchTerminationSignals();
    if (descriptor < 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, descriptor] {
        AcknowledgeTerminationSignal(descriptor);
        window.close();
    });
}

// The application object lives for the rest of the process; Qt reads its arguments for as long.
QApplication& Application() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char program[] = "kivota";
    static char* argv[] = {program, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

void RecordWindowState(const QMainWindow& window, AppSettings::Window& state) {
    if (window.isMaximized()) {
        state.isMaximized = 1;
    } else if (!window.isMinimized()) {
        state.isMaximized = 0;
        state.width = window.width();
        state.height = window.height();
        state.x = window.x();
        state.y = window.y();
    }
}

// Quality 9 on a scale of 0 to 10.
constexpr int kJpegQuality = 90;

// The window with its frame where the windowing system lets the program read the screen (X11),
// its inside elsewhere.
QImage WindowPicture(QMainWindow& window) {
    const QRect frame = window.frameGeometry();
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        if (QScreen* screen = window.screen()) {
            const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (!shot.isNull()) {
                return shot.toImage();
            }
        }
    }
    return window.grab().toImage();
}

// The maker's web address in black, small, near the bottom right corner.
void StampWebAddress(QImage& image) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString address = ToQString(kMakerWebSite);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(address);
    painter.drawText(QRect(image.width() - width - 35, image.height() - 26, width, metrics.height()),
                     address);
}

// The built-in pictures with the chosen theme over them, from the "gfx" folder beside the program.
void LoadPictures(ProcessRecords& process, ImageSets& images) {
    LoadBuiltinImages(images);
    const std::string themeFolder = std::string(FolderOf(ProgramFile())) + "gfx/";
    LoadTheme(images, process.settings.app, ListThemes(themeFolder), themeFolder, ThemeParts{});
}

}  // namespace

int RunWindowProgram(ProcessRecords& process) {
    Application();
    process.configPath = SettingsFolder() + "config.ini";
    LoadSettings(process.settings, process.configPath);
    LoadTextTable();
    ImageSets images;
    LoadPictures(process, images);
    process.catalogue.BuildFormatCatalogue();
    MainWindow window(process, images);
    window.BuildMainWindow();
    window.StartMainWindow();
    CloseOnSignals(window);
    QApplication::exec();

    RecordWindowState(window, process.settings.app.window);
    if (process.settings.conversion.advanced.outFoldersHistory == 0) {
        process.settings.app.file.recentOutFolders.clear();
    }
    SaveSettings(process.settings, process.configPath);
    return 0;
}

void ShowUninstallNotice(ProcessRecords&) {
    Application();
    QDialog notice;
    notice.setWindowTitle(ToQString(LocalText("Uninstall", "Title")));
    notice.setFixedSize(300, 100);
    auto* fullUninstall = new QCheckBox(ToQString(LocalText("Uninstall", "Uninstall Text")), &notice);
    fullUninstall->setGeometry(30, 20, 250, 20);
    fullUninstall->setChecked(true);
    auto* next = new QPushButton(ToQString(LocalText("Uninstall", "Next")), &notice);
    next->setGeometry(200, 60, 80, 25);
    QObject::connect(next, &QPushButton::clicked, &notice, [&notice, fullUninstall] {
        if (fullUninstall->isChecked()) {
            QDesktopServices::openUrl(QUrl(ToQString(std::string(kMakerWebSite) + "/kivota/uninstall.html")));
        }
        notice.accept();
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        notice.move(screen->geometry().center() - QPoint(150, 50));
    }
    notice.exec();
}

void CaptureMainWindow(ProcessRecords& process, const std::string& folderArgument) {
    std::string folder = folderArgument.empty() ? process.run.programFolder : folderArgument;
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    if (!IsFolder(folder)) {
        return;
    }
    Application();
    ImageSets images;
    LoadPictures(process, images);
    process.catalogue.BuildFormatCatalogue();
    AppSettings::Window& state = process.settings.app.window;
    state = {0, 400, 400, 510, 260};
    MainWindow window(process, images);
    window.BuildMainWindow();
    window.StartMainWindow();
    window.activateWindow();
    window.ShowExample("/home/photographer/images/" + AsciiLower(MakerWord()) + "." +
                           std::string(EnabledInputGroups().front()),
                       "/home/photographer/converted/");
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    QObject::connect(&window, &QObject::destroyed, &settle, &QEventLoop::quit);
    settle.exec();

    QImage shot = WindowPicture(window);
    if (shot.isNull()) {
        return;
    }
    StampWebAddress(shot);
    shot.save(QString::fromStdString(folder + "kivota1.jpg"), "JPG", kJpegQuality);
    const int height = static_cast<int>(std::lround(180.0 * shot.height() / shot.width()));
    shot.scaled(180, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .save(QString::fromStdString(folder + "kivota1x.jpg"), "JPG", kJpegQuality);
}
