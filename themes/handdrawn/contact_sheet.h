#pragma once

#include <QImage>

// Every icon at every size, its 16-pixel picture enlarged and its 32-pixel one on a dark background,
// then the buttons, labelled. Needs a QGuiApplication for the labels.
QImage ContactSheet();
