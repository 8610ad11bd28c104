#include "app/window_program.h"

#include <cstdio>
#include <cstdlib>

#include "platform/gui_module.h"

namespace {

bool HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (const char* value = std::getenv(variable); value && *value) {
            return true;
        }
    }
    return false;
}

// The GUI module when there is a display to show windows on; otherwise says why there is none.
const GuiModule* WindowModule() {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "kivota: no display for the window program (set DISPLAY or WAYLAND_DISPLAY); "
                     "kivota -h lists the command-line switches\n");
        return nullptr;
    }
    const GuiModule* module = LoadGuiModule();
    if (!module) {
        std::fprintf(stderr, "kivota: the window program's library (libkivota_gui.so) cannot be loaded\n");
    }
    return module;
}

}  // namespace

void StartWindowProgram(ProcessRecords& process) {
    if (const GuiModule* module = WindowModule()) {
        module->runWindowProgram(process);
    }
}

void StartUninstallNotice(ProcessRecords& process) {
    if (const GuiModule* module = WindowModule()) {
        module->showUninstallNotice(process);
    }
}

void StartWindowCapture(ProcessRecords& process, const std::string& folder) {
    if (const GuiModule* module = WindowModule()) {
        module->captureMainWindow(process, folder);
    }
}
