#include "tests/gui/gui_test_support.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QThread>

QApplication& TestApplication() {
    static int argc = 1;
    static char program[] = "kivota_gui_tests";
    static char* argv[] = {program, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

void WhileModal(std::function<bool()> step) {
    auto* timer = new QTimer(&TestApplication());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step = std::move(step)] {
        if (step()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(5);
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, MessageBoxSeen* seen) {
    WhileModal([button, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return false;
        }
        if (seen) {
            seen->title = box->windowTitle().toStdString();
            seen->text = box->text().toStdString();
            seen->icon = box->icon();
        }
        box->button(button)->click();
        return true;
    });
}

bool WaitUntil(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 2000) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}
