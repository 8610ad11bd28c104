#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/run_state.h"

class FormatCatalogue;

struct ConversionJob {
    std::string inputPath;
    int32_t present = 1;
    std::string subfolder;  // empty or ending in "/"
};

// The files chosen for conversion. A run converts one file: adding a job replaces the list.
class JobList {
  public:
    // Accepts a path whose lower-cased extension is an accepted input extension and that is not an
    // empty file (a missing file is accepted and fails in the conversion). A refused path leaves
    // the list as it was.
    bool AddJob(const std::string& path, const RunState& run, const FormatCatalogue& catalogue);
    void Clear() { m_jobs.clear(); }
    const std::vector<ConversionJob>& Jobs() const { return m_jobs; }

  private:
    std::vector<ConversionJob> m_jobs;
};

// The folder part of `path` with every occurrence of `base` removed, when it contains `base`;
// empty otherwise or when either text is empty. "/in/a/b/x.cr2" below "/in/" gives "a/b/".
std::string RelativeSubfolder(std::string_view path, std::string_view base);
