#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bucket_map.h"

// What this product offers: one input group and one output format. Every offer to the user goes
// through these lists; the catalogue knows more formats than they enable.
std::span<const std::string_view> EnabledInputGroups();
std::span<const std::string_view> EnabledOutputFormats();

// True when `extension` is an entry of EnabledOutputFormats (case-sensitive).
bool IsOutputFormat(std::string_view extension);

// The system's fixed knowledge of file formats: readable extensions with their groups and
// descriptions, writable formats with their FreeImage numbers and allowed bit depths.
class FormatCatalogue {
  public:
    struct OutputFormat {
        int32_t formatId = 0;
        std::string extension;
        std::string description;
        std::string bitDepths;  // ascending, comma-separated
    };
    struct InputExtension {
        std::string group;
        std::string description;
    };

    // Fills both tables; building again changes nothing.
    void BuildFormatCatalogue();
    // Rebuilds the accepted input extensions from the enabled input groups.
    void BuildAcceptedInputExtensions();

    const std::vector<std::string>& AcceptedInputExtensions() const { return m_accepted; }
    // `extension` must already be lower case.
    bool IsAcceptedInputExtension(std::string_view extension) const;

    // 0 (which is also FIF_BMP) for an extension not in the table.
    int32_t LookupFormatId(std::string_view extension) const;
    // 0 is always allowed: it stands for the automatic depth.
    bool IsAllowedBitDepth(std::string_view extension, int32_t bits) const;
    // The first allowed depth not below `bits`, else the largest; 0 for an unknown extension.
    int32_t NearestAllowedBitDepth(std::string_view extension, int32_t bits) const;
    std::string BitDepthList(std::string_view extension) const;
    // "BMP", or "BMP (Windows or OS/2 Bitmap)" with the description.
    std::string OutputFormatLabel(std::string_view extension, bool withDescription) const;

    // Open-file filters: "label|patterns|" entries, the supported files first, "All Files" last.
    std::string InputFileFilter() const;
    std::string WatermarkImageFilter() const;

    // The readable extensions in catalogue order, with their groups.
    const BucketMap<InputExtension>& InputExtensions() const { return m_inputs; }

  private:
    const OutputFormat* FindOutput(std::string_view extension) const;

    std::map<std::string, OutputFormat, std::less<>> m_outputs;
    BucketMap<InputExtension> m_inputs;
    std::vector<std::string> m_accepted;
};

// The process-wide catalogue, filled by the front ends at start and only read afterwards.
FormatCatalogue& TheFormatCatalogue();
