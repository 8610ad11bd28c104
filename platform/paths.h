#pragma once

#include <string>

// Where per-user settings live: $XDG_CONFIG_HOME, else $HOME/.config; empty when neither is set.
std::string UserConfigFolder();

// The running program's file (/proc/self/exe); empty when it cannot be read.
std::string ProgramFile();

// True when anything (file, folder, link) exists under the path.
bool PathExists(const std::string& path);

// Creates one folder level; false when it cannot.
bool CreateFolder(const std::string& path);
// Creates a folder and every missing folder above it, private to the user as configuration
// folders are; false when it cannot.
bool CreateFolderPath(const std::string& path);
