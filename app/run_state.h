#pragma once

#include <cstdint>
#include <string>

// The state of the current run, shared by the front ends, the job list and the pipeline. Never
// stored in a file. Folders end in "/" once a run has started.
struct RunState {
    std::string programFolder;  // folder of the program file
    std::string inputPath;      // the input as named on the command line
    std::string inputFullPath;  // the input of the run and of the current job
    std::string outputFolder;
    std::string inputFormat;        // input format group of the run ("raw")
    std::string outputFormat;       // output extension of the run ("bmp")
    int32_t outputFormatId = 0;     // FreeImage format number used for saving
    int32_t outputBitDepth = 0;     // 0 while automatic, then the depth chosen for the latest file
    int32_t outputSaveFlags = 0;    // FreeImage save flags
    bool keepBitDepth = false;      // the run's bit depth is automatic
    bool commandLineInput = false;  // the command line named an input file
    std::string runMode;            // "DEBUG", "T" (window capture) or empty
    std::string currentSubfolder;   // sub-folder of the current job
    std::string outputPath;         // the file written (or attempted) last
    int32_t sourceBitDepth = 0;     // bits per pixel of the current image as loaded
    int32_t resultWidth = 0;        // size of the current image right after the resize stage
    int32_t resultHeight = 0;
    int32_t nameRandom = 0;        // %rnd%, 1 to 99999
    int32_t nameCounter = 0;       // %n%, from 1
    int32_t appearanceChange = 0;  // 0 nothing, 1 theme changed, 2 icon size changed
    int32_t optionsStartPage = 0;  // page the options window opens on next
    std::string converterFrom;     // cleaned extensions of the last converter search
    std::string converterTo;
};
