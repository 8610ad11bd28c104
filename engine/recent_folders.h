#pragma once

#include <string>

#include "app/settings.h"

// [File] Recent Out Folders: output folders, most recent first, separated by one TAB, at most
// [Advanced] Out Folders Number of them.

// Entry `index` (from 0), blanks trimmed; empty when there is none.
std::string RecentOutputFolder(const Settings& settings, int index);

// Puts the folder first and keeps the others that differ from it (same CRC-32 of the exact text
// means the same folder). False for an empty folder, and for one whose name holds a TAB, CR or LF,
// which the list and config.ini cannot hold; the list is then unchanged.
bool AddRecentOutputFolder(Settings& settings, const std::string& folder);
