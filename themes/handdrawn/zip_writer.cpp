#include "themes/handdrawn/zip_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

// 1 January 2020, 00:00 UTC.
constexpr time_t kEntryTime = 1577836800;

using ArchivePtr = std::unique_ptr<archive, decltype(&archive_write_free)>;
using EntryPtr = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

bool WriteEntry(archive* zip, const ZipEntry& entry) {
    EntryPtr header(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname(header.get(), entry.name.c_str());
    archive_entry_set_filetype(header.get(), AE_IFREG);
    archive_entry_set_perm(header.get(), 0644);
    archive_entry_set_size(header.get(), static_cast<la_int64_t>(entry.bytes.size()));
    archive_entry_set_mtime(header.get(), kEntryTime, 0);
    archive_entry_set_uid(header.get(), 0);
    archive_entry_set_gid(header.get(), 0);
    if (archive_write_header(zip, header.get()) != ARCHIVE_OK) {
        return false;
    }
    return archive_write_data(zip, entry.bytes.data(), entry.bytes.size()) ==
           static_cast<la_ssize_t>(entry.bytes.size());
}

}  // namespace

bool WriteZip(const std::string& path, const std::vector<ZipEntry>& entries) {
    // Zip stores local time: fix the zone so that the entry times do not depend on the machine.
    setenv("TZ", "UTC", 1);
    tzset();
    ArchivePtr zip(archive_write_new(), archive_write_free);
    if (archive_write_set_format_zip(zip.get()) != ARCHIVE_OK ||
        archive_write_zip_set_compression_deflate(zip.get()) != ARCHIVE_OK ||
        archive_write_open_filename(zip.get(), path.c_str()) != ARCHIVE_OK) {
        return false;
    }
    for (const ZipEntry& entry : entries) {
        if (!WriteEntry(zip.get(), entry)) {
            return false;
        }
    }
    return archive_write_close(zip.get()) == ARCHIVE_OK;
}
