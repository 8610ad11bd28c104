#include <algorithm>
#include <climits>

#include "platform/canvas.h"
#include "platform/gui_module.h"

void EnsureDrawingPlatform() {
    if (const GuiModule* module = LoadGuiModule()) {
        module->bringUp();
    }
}

int FontPixelSize(int points) {
    if (points <= 0) {
        return 0;
    }
    // points * 96 / 72 = points * 4 / 3, whose fraction is never one half: adding 1 before the
    // division by 3 rounds to the nearest integer.
    const int64_t pixels = (int64_t{points} * 4 + 1) / 3;
    return static_cast<int>(std::min<int64_t>(pixels, INT_MAX));
}

std::unique_ptr<CanvasFont> CanvasFont::Load(const FontDescription& description) {
    const GuiModule* module = LoadGuiModule();
    return module ? module->loadFont(description) : nullptr;
}

std::unique_ptr<Canvas> Canvas::Create(int width, int height, CanvasBackground background) {
    const GuiModule* module = LoadGuiModule();
    return module ? module->createCanvas(width, height, background) : nullptr;
}

LoadedPicture LoadPicture(const std::string& path) {
    const GuiModule* module = LoadGuiModule();
    return module ? module->loadPicture(path) : LoadedPicture{};
}

std::optional<ScreenSize> PrimaryDesktopSize() {
    // A console run never loads the module just to measure a screen it does not have.
    const GuiModule* module = LoadedGuiModule();
    return module ? module->primaryDesktopSize() : std::nullopt;
}
