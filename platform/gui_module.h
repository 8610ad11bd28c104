#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/screen.h"

struct ProcessRecords;

// The GUI module (libkivota_gui.so, on QtGui and QtWidgets) as the rest of the program sees it: a
// table of functions behind its one exported symbol, kivota_gui_module. It holds the drawing on
// canvases the engine's frame and watermark stages use, and the window program.
struct GuiModule {
    // Creates the application object on the offscreen platform when the process has none.
    void (*bringUp)();
    std::unique_ptr<Canvas> (*createCanvas)(int width, int height, CanvasBackground background);
    std::unique_ptr<CanvasFont> (*loadFont)(const FontDescription& description);
    LoadedPicture (*loadPicture)(const std::string& path);
    std::optional<ScreenSize> (*primaryDesktopSize)();
    // The window program and the command line's two window commands (-U and -T).
    int (*runWindowProgram)(ProcessRecords& process);
    void (*showUninstallNotice)(ProcessRecords& process);
    void (*captureMainWindow)(ProcessRecords& process, const std::string& folder);
};

inline constexpr char kGuiModuleFile[] = "libkivota_gui.so";
inline constexpr char kGuiModuleSymbol[] = "kivota_gui_module";
using GuiModuleEntry = const GuiModule* (*)();

// Loads the module, once, from the folder of the program's own libraries; null when it cannot be
// loaded.
const GuiModule* LoadGuiModule();
// The module when something has loaded it already; null otherwise.
const GuiModule* LoadedGuiModule();
