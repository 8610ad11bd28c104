#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/screen.h"

// The drawing module (libkivota_qt.so, on QtGui) as the rest of the program sees it: a table of
// functions behind its one exported symbol, kivota_drawing_module.
struct DrawingModule {
    // Creates the application object on the offscreen platform when the process has none.
    void (*bringUp)();
    std::unique_ptr<Canvas> (*createCanvas)(int width, int height, CanvasBackground background);
    std::unique_ptr<CanvasFont> (*loadFont)(const FontDescription& description);
    LoadedPicture (*loadPicture)(const std::string& path);
    std::optional<ScreenSize> (*primaryDesktopSize)();
};

inline constexpr char kDrawingModuleFile[] = "libkivota_qt.so";
inline constexpr char kDrawingModuleSymbol[] = "kivota_drawing_module";
using DrawingModuleEntry = const DrawingModule* (*)();

// Loads the module, once, from the folder of the program's own libraries; null when it cannot be
// loaded.
const DrawingModule* LoadDrawingModule();
// The module when something has loaded it already; null otherwise.
const DrawingModule* LoadedDrawingModule();
