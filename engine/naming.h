#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/run_state.h"
#include "app/settings.h"

// Output names built from [Advanced] Filename Mask; the same placeholders serve watermark texts.

// "%filename%" to "%n%", in the order they are replaced.
std::span<const std::string_view> NamePlaceholders();

// Replaces every occurrence of `placeholder` (any letter case) in `text` by its value for the
// current file; scanning resumes after each inserted value. An unknown placeholder changes nothing.
std::string ExpandPlaceholder(std::string_view text, std::string_view placeholder, const RunState& run);

// The output file name: the lower-cased mask (or "%filename%.%ext%" when empty) with every
// placeholder it contains replaced in table order.
std::string ExpandFileNameMask(const ConversionSettings& settings, const RunState& run);

// Output folder, the job's sub-folder when Keep Subfolders is on, and the expanded mask.
std::string BuildOutputPath(const ConversionSettings& settings, const RunState& run);

// The name without its extension: the text after the last "." unless a blank or "/" comes first,
// or the dot begins the name. "IMG_0042.CR2" gives "IMG_0042"; ".hidden" stays whole.
std::string StripExtension(std::string_view name);

// The extension by the same rule, without its dot; empty when there is none.
std::string ExtensionOf(std::string_view name);

// A fresh value for %rnd%: a random number from 1 to 99999.
int32_t NewNameRandom();

// The part after the last "/".
std::string_view FileNameOf(std::string_view path);
// Everything up to and including the last "/"; empty when there is none.
std::string_view FolderOf(std::string_view path);
