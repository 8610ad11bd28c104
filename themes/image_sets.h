#pragma once

#include <QImage>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

// The pictures of the window program: three named sets, filled with built-in pictures and then
// replaced entry by entry from the chosen theme archive, and two fixed pictures.
struct ImageSets {
    std::map<std::string, QImage> buttons;       // ButtonImages: Convert (64 px), InFiles, InFolder (48 px)
    std::map<std::string, QImage> menuIcons;     // MenuIcons: always 16 px
    std::map<std::string, QImage> toolbarIcons;  // ToolbarIcons: 16 px built in, IconPixels from a theme
    QImage banner;                               // 360 x 40, shown by the About window
    QImage picture;                              // 270 x 75
};

// The keys of ButtonImages, and of MenuIcons and ToolbarIcons, in registration order.
const std::vector<std::string>& ButtonKeys();
const std::vector<std::string>& IconKeys();

// Fills every set and both fixed pictures from the pictures built into the program.
void LoadBuiltinImages(ImageSets& images);

// Toolbar icon size for [Interface] UI Size: 0 16, 1 24, 2 32, 3 48, 4 64; any other code 16.
int IconPixels(int uiSize);

// Theme name (archive file name without ".zip") to display name.
using ThemeList = std::map<std::string, std::string>;

// The themes in the theme folder (the program's folder + "gfx/").
ThemeList ListThemes(const std::string& themeFolder);
std::string ThemeDisplayName(const std::string& themeFolder, const std::string& name);

// The value of `key` in `group` of a theme.cfg text, cleaned; empty when either is missing.
std::string CfgValue(std::string_view cfg, std::string_view group, std::string_view key);

struct ThemeParts {
    bool buttons = true;
    bool menuIcons = true;
    bool toolbarIcons = true;
};

// Replaces the entries of the chosen sets with the pictures of the theme [Interface] UI Theme,
// toolbar icons at IconPixels([Interface] UI Size). A missing configured theme is replaced by a
// listed one, in the settings too. Pictures a theme lacks stay as they were.
void LoadTheme(ImageSets& images, AppSettings& settings, const ThemeList& themes,
               const std::string& themeFolder, ThemeParts parts);
