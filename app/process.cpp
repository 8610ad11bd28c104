#include "app/process.h"

#include "engine/naming.h"
#include "platform/paths.h"

void ResetRunState(ProcessRecords& process) {
    RunState& run = process.run;
    run.programFolder = std::string(FolderOf(ProgramFile()));
    run.commandLineInput = false;
    run.nameRandom = NewNameRandom();
    run.nameCounter = 1;
    run.inputPath.clear();
    run.inputFullPath.clear();
    run.outputFolder.clear();
    run.inputFormat.clear();
    run.outputFormat.clear();
    run.outputFormatId = 0;
    run.outputBitDepth = 0;
    run.outputSaveFlags = 0;
    run.keepBitDepth = false;
    process.jobs.Clear();
    process.catalogue.BuildAcceptedInputExtensions();
}
