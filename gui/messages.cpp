#include "gui/messages.h"

#include <QMessageBox>

#include "app/text_table.h"

namespace {

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const std::string& title,
                                std::string_view text, QMessageBox::StandardButtons buttons) {
    // The texts end their lines in CR LF; a message box wants plain line feeds.
    QString message = ToQString(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, ToQString(title), message, buttons, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void ShowWarning(QWidget* parent, std::string_view text) {
    Ask(parent, QMessageBox::Warning, LocalText("Msg", "Warning"), text, QMessageBox::Ok);
}

void ShowError(QWidget* parent, std::string_view text) {
    Ask(parent, QMessageBox::Critical, LocalText("Msg", "Error"), text, QMessageBox::Ok);
}

bool AskBreakConversion(QWidget* parent) {
    return Ask(parent, QMessageBox::Warning, LocalText("Msg", "Warning"),
               LocalText("Msg", "Ask break conversion"),
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
