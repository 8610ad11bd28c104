#include "engine/job_list.h"

#include "app/text.h"
#include "engine/format_catalogue.h"
#include "engine/naming.h"
#include "platform/files.h"

bool JobList::AddJob(const std::string& path, const RunState& run, const FormatCatalogue& catalogue) {
    if (FileSize(path) == 0 || !catalogue.IsAcceptedInputExtension(AsciiLower(ExtensionOf(path)))) {
        return false;
    }
    m_jobs.assign(1, ConversionJob{path, 1, RelativeSubfolder(path, run.inputPath)});
    return true;
}

std::string RelativeSubfolder(std::string_view path, std::string_view base) {
    if (path.empty() || base.empty()) {
        return {};
    }
    const std::string_view folder = FolderOf(path);
    if (folder.find(base) == std::string_view::npos) {
        return {};
    }
    std::string rest;
    for (size_t i = 0; i < folder.size();) {
        if (folder.substr(i, base.size()) == base) {
            i += base.size();
        } else {
            rest += folder[i++];
        }
    }
    return rest;
}
