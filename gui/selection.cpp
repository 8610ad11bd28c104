#include "gui/selection.h"

#include <QComboBox>
#include <QFileDialog>
#include <QStringList>

#include "app/text_table.h"
#include "engine/format_catalogue.h"
#include "engine/naming.h"
#include "engine/recent_folders.h"
#include "gui/main_window.h"
#include "gui/messages.h"
#include "platform/files.h"

namespace {

// "All Files (*.*)" loses its own pattern list; Qt shows the one it is given.
QString WithoutPatternList(QString label) {
    if (label.endsWith(QLatin1Char(')'))) {
        const qsizetype open = label.lastIndexOf(QStringLiteral(" ("));
        if (open > 0) {
            label.truncate(open);
        }
    }
    return label;
}

}  // namespace

QString QtFileFilter(std::string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QStringLiteral("*.*")) {
            patterns = QStringLiteral("*");
        }
        entries << WithoutPatternList(parts[i]) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

void MainWindow::ChooseInputFile() {
    RunState& run = m_process.run;
    const QString filter = QtFileFilter(m_process.catalogue.InputFileFilter());
    QString first = filter.section(QStringLiteral(";;"), 0, 0);
    const QString file =
        QFileDialog::getOpenFileName(this, ToQString(LocalText("Dialog", "Select Input Files")),
                                     ToQString(run.inputFullPath), filter, &first);
    if (!file.isEmpty()) {
        AddJob(file.toStdString());
    }
    run.inputFullPath.clear();
    LayoutMainWindow();
}

void MainWindow::ChooseOutputFolder() {
    RunState& run = m_process.run;
    std::string start = run.outputFolder;
    if (const std::string shown = OutputFolderText(); !shown.empty()) {
        start = std::string(FolderOf(shown));
    }
    std::string folder = QFileDialog::getExistingDirectory(
                             this, ToQString(LocalText("Dialog", "Select Output Folder")), ToQString(start))
                             .toStdString();
    if (!folder.empty() && !folder.ends_with('/')) {
        folder += '/';
    }
    if (!folder.empty() && IsFolder(folder)) {
        AddRecentOutputFolder(m_process.settings, folder);
        run.outputFolder = folder;
        RefreshOutputFolderList();
    }
    LayoutMainWindow();
}
