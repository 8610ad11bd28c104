#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "engine/batch_worker.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// "abc" + "..." + "xyz": the head and tail of a text longer than `budget` characters, of equal
// lengths, within the budget; other texts unchanged.
std::string ShortenMiddle(std::string_view text, int budget);

// Window 3: runs the batch worker on its own thread and shows its progress, polling the counters
// every 15 ms; the user may break off; the OK button (340) is enabled when the worker has ended.
class ProgressWindow : public QDialog {
  public:
    // `showStatus` writes the main window's status bar when the run ends.
    ProgressWindow(QWidget* mainWindow, const JobList& jobs, const StageContext& context,
                   std::function<void(std::string_view)> showStatus);
    ~ProgressWindow() override;

    // Starts the worker, shows the window and returns when the window is closed.
    void Run();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void Poll();
    void ShowEnd();
    std::string Title(std::string_view first, int index) const;

    const JobList& m_jobs;
    const StageContext& m_context;
    std::function<void(std::string_view)> m_showStatus;
    ProgressCounters m_progress;
    std::thread m_worker;
    bool m_running = false;
    bool m_brokenOff = false;
    int m_jobCount = 0;
    int m_shownIndex = 0;
    int m_converted = 0;
    int m_characterWidth = 7;
    int m_budget = 40;
    QLabel* m_file = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_ok = nullptr;
    QTimer* m_timer = nullptr;
};
