#pragma once

#include <string>

#include "app/settings.h"

// config.ini: where the window program keeps its settings between runs.

// Reads the settings from the file; every key the file lacks gets its default (a file without
// [Window] places the window at 100, 100). Older files are migrated by their [General] CFG.
// A missing or unreadable file gives the defaults.
void LoadSettings(Settings& settings, const std::string& configPath);

// Writes the whole file anew. Fails silently: the settings of this run are then lost, but an
// existing file is kept intact.
void SaveSettings(const Settings& settings, const std::string& configPath);

// The per-user settings folder, <config home>/Lumarix/kivota/, creating each level that does not
// exist yet. A file standing in its place is left alone.
std::string SettingsFolder();
