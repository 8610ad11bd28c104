#include "engine/recent_folders.h"

#include <zlib.h>

#include "app/text.h"

namespace {

uLong Crc32Of(std::string_view text) {
    return crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
                 static_cast<uInt>(text.size()));
}

}  // namespace

std::string RecentOutputFolder(const Settings& settings, int index) {
    std::string_view list = settings.app.file.recentOutFolders;
    for (int i = 0; i < index; ++i) {
        const size_t tab = list.find('\t');
        if (tab == std::string_view::npos) {
            return {};
        }
        list.remove_prefix(tab + 1);
    }
    return std::string(TrimBlanks(list.substr(0, list.find('\t'))));
}

bool AddRecentOutputFolder(Settings& settings, const std::string& folder) {
    if (folder.empty() || folder.find_first_of("\t\r\n") != std::string::npos) {
        return false;
    }
    const int limit = settings.conversion.advanced.outFoldersNumber;
    const uLong crc = Crc32Of(folder);
    std::string list = folder;
    int count = 1;
    for (int i = 0; i < limit; ++i) {
        const std::string entry = RecentOutputFolder(settings, i);
        if (!entry.empty() && count < limit && Crc32Of(entry) != crc) {
            list += '\t' + entry;
            ++count;
        }
    }
    settings.app.file.recentOutFolders = list;
    return true;
}
