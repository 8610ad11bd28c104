#pragma once

#include <string>
#include <string_view>

#include "app/settings.h"

// Option switches: every setting the command line and profiles reach, as declared by the settings
// schema. Values are converted here, never range-checked: a name not in its table stores 0, a text
// that is not a number stores 0.

enum class OptionSource { CommandLine, Profile };

// Sets the setting of the option switch `upperName` ("--WIDTH") from `value`, and its "also"
// setting; false when no option switch has that name. On the command line, text values arrive
// already joined and unquoted; in a profile they are used as read.
bool ApplyOption(Settings& settings, std::string_view upperName, std::string_view value, OptionSource source);

// Applies the option switches of the profile's [CLI] group in file order. False when the path is
// empty or the file cannot be opened; a file without [CLI] changes nothing.
bool ApplyProfile(Settings& settings, const std::string& path);
