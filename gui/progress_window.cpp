#include "gui/progress_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/text_table.h"
#include "gui/controls.h"
#include "gui/messages.h"

namespace {

constexpr int kPollMilliseconds = 15;
constexpr int kTextWidth = 280;

// Bytes that start a character, so that a cut never splits one.
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

// The byte offset of character `n`.
size_t OffsetOfCharacter(std::string_view text, size_t n) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == n) {
            return i;
        }
    }
    return text.size();
}

}  // namespace

std::string ShortenMiddle(std::string_view text, int budget) {
    const size_t length = CharacterCount(text);
    if (text.empty() || budget < 0 || length <= static_cast<size_t>(budget)) {
        return std::string(text);
    }
    // Never a negative cut: a budget below 3 keeps only the dots.
    const size_t half = static_cast<size_t>(std::max(0, (budget - 3) / 2));
    return std::string(text.substr(0, OffsetOfCharacter(text, half))) + "..." +
           std::string(text.substr(OffsetOfCharacter(text, length - half)));
}

ProgressWindow::ProgressWindow(QWidget* mainWindow, const JobList& jobs, const StageContext& context,
                               std::function<void(std::string_view)> showStatus)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_jobs(jobs),
      m_context(context),
      m_showStatus(std::move(showStatus)),
      m_jobCount(static_cast<int>(jobs.Jobs().size())) {
    SetWindowNumber(this, 3);
    setWindowTitle(ToQString(LocalText("Dialog", "Convert Progress")));
    setFixedSize(300, 110);
    setModal(true);
    m_file = new QLabel(this);
    SetControlNumber(m_file, 338);
    m_file->setGeometry(10, 13, kTextWidth, 20);
    m_bar = new QProgressBar(this);
    SetControlNumber(m_bar, 339);
    m_bar->setGeometry(10, 40, kTextWidth, 20);
    m_bar->setRange(0, m_jobCount + 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_ok = new QPushButton(ToQString(LocalText("Dialog", "OK")), this);
    SetControlNumber(m_ok, 340);
    m_ok->setGeometry(110, 75, 80, 25);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    // The width of an average character of the window's font decides how much of a long name fits.
    const int measured = QFontMetrics(font()).horizontalAdvance(QStringLiteral("abc123:\\-")) / 9;
    m_characterWidth = measured > 0 ? measured : 7;
    m_budget = kTextWidth / m_characterWidth;
    m_timer = new QTimer(this);
    m_timer->setInterval(kPollMilliseconds);
    connect(m_timer, &QTimer::timeout, this, [this] { Poll(); });
}

ProgressWindow::~ProgressWindow() {
    if (m_worker.joinable()) {
        m_progress.RequestStop();
        m_worker.join();
    }
}

void ProgressWindow::Run() {
    if (parentWidget()) {
        const QPoint centre = parentWidget()->geometry().center();
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
    m_progress.Reset();
    m_running = true;
    m_worker = std::thread(BatchWorker, std::cref(m_jobs), std::ref(m_progress), std::cref(m_context));
    m_timer->start();
    exec();
}

std::string ProgressWindow::Title(std::string_view first, int index) const {
    return std::string(first) + " " +
           FillPlaceholders(LocalText("Msg", "Progress"), std::to_string(index), std::to_string(m_jobCount));
}

void ProgressWindow::Poll() {
    if (!m_running) {
        return;
    }
    int index = 0;
    std::string file;
    {
        const std::lock_guard<ProgressCounters::ProgressLock> guard(m_progress.lock);
        index = m_progress.currentIndex;
        file = m_progress.currentFile;
    }
    if (index > m_shownIndex) {
        m_shownIndex = index;
        setWindowTitle(ToQString(Title(LocalText("Dialog", "Convert Progress"), index)));
        if (static_cast<int64_t>(file.size()) * m_characterWidth > kTextWidth) {
            file = ShortenMiddle(file, m_budget);
        }
        m_file->setText(ToQString(file));
        m_bar->setValue(index);
    }
    if (m_progress.finished) {
        ShowEnd();
    }
}

void ProgressWindow::ShowEnd() {
    m_worker.join();
    m_running = false;
    m_timer->stop();
    m_converted = m_progress.convertedCount;
    if (m_brokenOff) {
        const std::string stopped = LocalText("Msg", "Conversion is not complete");
        m_showStatus(stopped);
        setWindowTitle(ToQString(Title(stopped, m_shownIndex)));
        m_file->setText(ToQString(stopped));
    } else {
        const std::string complete = LocalText("Msg", "Conversion complete");
        m_showStatus(complete);
        setWindowTitle(ToQString(Title(complete, m_shownIndex)));
        m_file->setText(ToQString(FillPlaceholders(LocalText("Msg", "Files converted"),
                                                   std::to_string(m_converted), std::to_string(m_jobCount))));
        m_bar->setValue(m_jobCount + 1);
    }
    m_ok->setEnabled(true);
    m_ok->setFocus();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (!m_running) {
        event->accept();
        return;
    }
    event->ignore();
    // The worker goes on while the question is shown; clearing its running flag stops it after
    // the file in hand.
    m_brokenOff = AskBreakConversion(this);
    if (m_brokenOff) {
        m_progress.RequestStop();
    }
}

void ProgressWindow::reject() {
    // Escape acts as a close request.
    close();
}
