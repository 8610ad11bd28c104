#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/screen.h"

// The drawing services of the GUI module, on QtGui.
struct QtDrawing {
    // Creates the application object on the offscreen platform when the process has none.
    void (*bringUp)();
    std::unique_ptr<Canvas> (*createCanvas)(int width, int height, CanvasBackground background);
    std::unique_ptr<CanvasFont> (*loadFont)(const FontDescription& description);
    LoadedPicture (*loadPicture)(const std::string& path);
    std::optional<ScreenSize> (*primaryDesktopSize)();
};

const QtDrawing& Drawing();
