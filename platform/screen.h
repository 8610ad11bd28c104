#pragma once

#include <optional>

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The primary desktop's size in pixels; none when the process has no display connection
// (a console run never opens one).
std::optional<ScreenSize> PrimaryDesktopSize();
