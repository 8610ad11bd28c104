#pragma once

#include <QString>
#include <string_view>

// An open-file filter of the catalogue ("label|*.a;*.b|...|All Files (*.*)|*.*") in Qt's form:
// "label (*.a *.b);;...;;All Files (*)", the last entry matching every file, names without a dot
// included.
QString QtFileFilter(std::string_view filter);
