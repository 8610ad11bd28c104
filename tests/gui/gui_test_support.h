#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>

// The application object every window test needs, created once on the offscreen platform.
QApplication& TestApplication();

// Answers the next message box that opens with `button` and keeps its title and text.
struct MessageBoxSeen {
    std::string title;
    std::string text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
void AnswerNextMessageBox(QMessageBox::StandardButton button, MessageBoxSeen* seen = nullptr);

// Runs `step` every few milliseconds while a modal loop runs, until it returns true.
void WhileModal(std::function<bool()> step);

// Processes events until `condition` holds or about two seconds have passed.
bool WaitUntil(const std::function<bool()>& condition);
