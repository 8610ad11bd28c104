#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kProductName = "Lumarix RAW to BMP";
inline constexpr int kVersionNumber = 280;
// Names the settings sub-folder, the help document and the update data file.
inline constexpr std::string_view kShortName = "kivota";

// The maker's web site: the console banner, the help pages, the update check.
inline constexpr std::string_view kMakerWebSite = "http://www.lumarix.com";

// The default watermark text, also the second line of the console banner.
inline constexpr const char kDefaultWatermarkText[] = "Copyright \u00A9 Lumarix Software";

// 280 gives "2.8", 281 gives "2.8.1", 300 gives "3.0".
std::string FormatVersion(int number);

// "Lumarix RAW to BMP 2.8": the main window's title and the single-instance lock's name.
std::string ProductTitle();

// The first word of the product name, "Lumarix": the settings parent folder.
std::string MakerWord();
