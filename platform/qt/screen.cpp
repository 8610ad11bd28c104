#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

std::optional<ScreenSize> PrimaryDesktopSize() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return std::nullopt;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return std::nullopt;
    }
    const QSize size = screen->size();
    return ScreenSize{size.width(), size.height()};
}
