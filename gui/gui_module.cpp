#include "platform/gui_module.h"

#include "gui/window_program.h"
#include "platform/qt/qt_drawing.h"

extern "C" __attribute__((visibility("default"))) const GuiModule* kivota_gui_module() {
    static const GuiModule module{Drawing().bringUp,
                                  Drawing().createCanvas,
                                  Drawing().loadFont,
                                  Drawing().loadPicture,
                                  Drawing().primaryDesktopSize,
                                  RunWindowProgram,
                                  ShowUninstallNotice,
                                  CaptureMainWindow};
    return &module;
}
