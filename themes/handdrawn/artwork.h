#pragma once

#include <QImage>
#include <array>
#include <vector>

#include "themes/handdrawn/sketch.h"

using Drawing = void (*)(Sketch&);

// The toolbar sizes the window program asks for; the menu uses the first.
constexpr std::array<int, 5> kIconSizes = {16, 24, 32, 48, 64};

// An icon of the menu and toolbar sets, drawn at every toolbar size and stored as stem_N.png.
struct IconArt {
    const char* key;
    const char* stem;
    Drawing draw;
};

// A picture of the button set, drawn at one size and stored under its full file name.
struct ButtonArt {
    const char* key;
    const char* file;
    int pixels;
    Drawing draw;
};

// In the order the window program registers the keys.
const std::vector<IconArt>& HanddrawnIcons();
const std::vector<ButtonArt>& HanddrawnButtons();

// The picture of `key`, `pixels` square on a transparent background, in QImage::Format_ARGB32.
QImage DrawPicture(const char* key, Drawing draw, int pixels);
