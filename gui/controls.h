#pragma once

#include <QObject>
#include <QWidget>

// Windows and controls carry their documented numbers (window 0 is the main window, control 338
// the progress window's text), so that code and tests address them by number.

inline constexpr char kWindowNumber[] = "kivotaWindow";
inline constexpr char kControlNumber[] = "kivotaControl";
inline constexpr char kToolbarNumber[] = "kivotaToolbar";
inline constexpr char kMenuId[] = "kivotaMenuId";

inline void SetWindowNumber(QWidget* window, int number) {
    window->setProperty(kWindowNumber, number);
    window->setObjectName(QStringLiteral("window%1").arg(number));
}

inline void SetControlNumber(QObject* control, int number) {
    control->setProperty(kControlNumber, number);
    control->setObjectName(QStringLiteral("control%1").arg(number));
}

// Toolbars have numbers of their own: 0 the main toolbar, 1 to 3 the buttons beside the fields.
inline void SetToolbarNumber(QObject* toolbar, int number) {
    toolbar->setProperty(kToolbarNumber, number);
    toolbar->setObjectName(QStringLiteral("toolbar%1").arg(number));
}

// The child below `root` whose `property` is `number`; null when there is none.
template <class T = QWidget>
T* FindNumbered(const QObject* root, const char* property, int number) {
    for (T* child : root->findChildren<T*>()) {
        const QVariant value = child->property(property);
        if (value.isValid() && value.toInt() == number) {
            return child;
        }
    }
    return nullptr;
}

template <class T = QWidget>
T* FindControl(const QObject* root, int number) {
    return FindNumbered<T>(root, kControlNumber, number);
}
