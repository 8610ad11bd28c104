#pragma once

#include <QObject>
#include <QWidget>

// Windows and controls carry their documented numbers (window 0 is the main window, control 338
// the progress window's text), so that code and tests address them by number.

inline constexpr char kWindowNumber[] = "kivotaWindow";
inline constexpr char kControlNumber[] = "kivotaControl";
inline constexpr char kMenuId[] = "kivotaMenuId";

inline void SetWindowNumber(QWidget* window, int number) {
    window->setProperty(kWindowNumber, number);
    window->setObjectName(QStringLiteral("window%1").arg(number));
}

inline void SetControlNumber(QObject* control, int number) {
    control->setProperty(kControlNumber, number);
    control->setObjectName(QStringLiteral("control%1").arg(number));
}

// The control of that number below `root`; null when there is none.
template <class T = QWidget>
T* FindControl(const QObject* root, int number) {
    for (T* child : root->findChildren<T*>()) {
        if (child->property(kControlNumber).toInt() == number && child->property(kControlNumber).isValid()) {
            return child;
        }
    }
    return nullptr;
}
