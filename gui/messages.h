#pragma once

#include <QString>
#include <string_view>

class QWidget;

// Message boxes of the window program, titled from the text table.

// "Warning" with a warning icon and an OK button.
void ShowWarning(QWidget* parent, std::string_view text);
// "Error" with an error icon and an OK button.
void ShowError(QWidget* parent, std::string_view text);
// "Do you want to break the conversion?" with Yes and No; true for Yes.
bool AskBreakConversion(QWidget* parent);

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
