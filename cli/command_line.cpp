#include "cli/command_line.h"

#include "app/product.h"
#include "app/settings_schema.h"
#include "app/text.h"
#include "app/text_table.h"
#include "app/window_program.h"
#include "cli/console_run.h"
#include "cli/options.h"
#include "engine/naming.h"
#include "platform/console.h"
#include "platform/paths.h"

namespace {

constexpr std::string_view kIncorrectParameters = "Incorrect number of parameters";
constexpr std::string_view kInvalidProfile = "Invalid profile file";

// The switch loop's state. `index` is shared by every row, so a parameter consumed as a value or
// joined into one is not examined again as a switch.
struct SwitchLoop {
    const std::vector<std::string>& parameters;
    int index = 0;
    std::string error;
    bool quiet = false;
    bool pause = false;

    int Count() const { return static_cast<int>(parameters.size()); }
    std::string_view Parameter(int i) const {
        return i < Count() ? TrimBlanks(parameters[i]) : std::string_view();
    }
};

bool IsLongSwitch(std::string_view name) {
    return name.starts_with("--");
}

// Appends the following parameters while a value opens with a double quote that has not closed.
std::string JoinQuoted(SwitchLoop& loop, std::string value) {
    if (!value.starts_with('"') || value.ends_with('"')) {
        return value;
    }
    while (loop.index + 1 < loop.Count()) {
        const std::string_view next = loop.Parameter(++loop.index);
        value += ' ';
        value += next;
        if (next.ends_with('"')) {
            break;
        }
    }
    return value;
}

// The value of -i, -o and -c: the next parameter for the short forms, the part after "=" for the
// long ones. Empty when it is missing or begins with "-" (the error is set).
std::string RunControlValue(SwitchLoop& loop, std::string_view name, bool join) {
    if (!IsLongSwitch(name)) {
        ++loop.index;
    }
    std::string value = SwitchValue(loop.Parameter(loop.index));
    if (value.empty() || value.starts_with('-')) {
        loop.error = kIncorrectParameters;
        return {};
    }
    if (join) {
        value = JoinQuoted(loop, std::move(value));
    }
    return std::string(WithoutEndQuotes(value));
}

// The value of --profile and of option switches: from their own parameter; refused when empty or
// beginning with "--".
std::optional<std::string> OwnValue(SwitchLoop& loop) {
    std::string value = SwitchValue(loop.Parameter(loop.index));
    if (value.empty() || value.starts_with("--")) {
        loop.error = kIncorrectParameters;
        return std::nullopt;
    }
    return value;
}

void ApplyOptionSwitch(SwitchLoop& loop, Settings& settings, const std::string& name) {
    const SettingDef* setting = FindOptionSwitch(name);
    if (!setting) {
        return;
    }
    std::string value;
    if (setting->option.value != OptionValue::None) {
        std::optional<std::string> own = OwnValue(loop);
        if (!own) {
            return;
        }
        value = setting->option.value == OptionValue::Text
                    ? std::string(WithoutEndQuotes(JoinQuoted(loop, std::move(*own))))
                    : std::move(*own);
    }
    ApplyOption(settings, name, value, OptionSource::CommandLine);
}

void ApplySwitch(SwitchLoop& loop, ProcessRecords& process, const std::string& name) {
    RunState& run = process.run;
    if (name == "-I" || name == "--INPUT") {
        run.commandLineInput = true;
        run.inputPath = RunControlValue(loop, name, true);
    } else if (name == "-O" || name == "--OUTPUT") {
        run.outputFolder = RunControlValue(loop, name, true);
    } else if (name == "-C" || name == "--CONVERSION") {
        run.outputFormat = RunControlValue(loop, name, false);
    } else if (name == "--PROFILE") {
        if (std::optional<std::string> path = OwnValue(loop)) {
            const std::string joined(WithoutEndQuotes(JoinQuoted(loop, std::move(*path))));
            if (!ApplyProfile(process.settings, joined)) {
                loop.error = kInvalidProfile;
            }
        }
    } else if (name == "-D" || name == "--DEBUG") {
        run.runMode = "DEBUG";
    } else if (name == "-Q" || name == "--QUIET") {
        loop.quiet = true;
    } else if (name == "-P" || name == "--PAUSE") {
        loop.pause = true;
    } else {
        ApplyOptionSwitch(loop, process.settings, name);
    }
}

std::string ProgramName() {
    return StripExtension(FileNameOf(ProgramFile()));
}

// Runs -u, -t, -v or -h when the first parameter asks for it.
bool RunSpecialCommand(ProcessRecords& process, const SwitchLoop& loop, const std::string& name) {
    if (name == "-U") {
        StartUninstallNotice(process);
        return true;
    }
    if (name == "-T") {
        process.run.runMode = "T";
        StartWindowCapture(process, SwitchValue(loop.Parameter(1)));
        return true;
    }
    if (name == "-V" || name == "--VERSION") {
        PrintLine(FormatVersion(kVersionNumber));
        return true;
    }
    if (name == "-H" || name == "-?" || name == "--HELP") {
        for (const std::string& line : HelpLines(ProgramName())) {
            PrintLine(line);
        }
        return true;
    }
    return false;
}

void PrintBanner() {
    PrintLine(ProductTitle());
    PrintLine(ReplaceIgnoreAsciiCase(kDefaultWatermarkText, "\u00A9", "(c)"));
    PrintLine(kMakerWebSite);
    PrintLine(" ");
}

}  // namespace

std::string SwitchName(std::string_view parameter) {
    if (!parameter.starts_with('-')) {
        return {};
    }
    if (IsLongSwitch(parameter)) {
        return AsciiUpper(parameter.substr(0, parameter.find('=')));
    }
    return AsciiUpper(parameter);
}

std::string SwitchValue(std::string_view parameter) {
    if (IsLongSwitch(parameter)) {
        if (const size_t equals = parameter.find('=', 2); equals != std::string_view::npos) {
            return std::string(parameter.substr(equals + 1));
        }
    }
    return std::string(parameter);
}

CommandLineOutcome RunCommandLine(ProcessRecords& process, const std::vector<std::string>& parameters) {
    if (parameters.empty()) {
        return CommandLineOutcome::StartWindowProgram;
    }
    process.catalogue.BuildFormatCatalogue();
    ResetRunState(process);
    ApplyDefaultSettings(process.settings, true);
    LoadTextTable();

    SwitchLoop loop{parameters, 0, {}, false, false};
    if (RunSpecialCommand(process, loop, SwitchName(loop.Parameter(0)))) {
        return CommandLineOutcome::Finished;
    }
    for (; loop.index < loop.Count() && loop.error.empty(); ++loop.index) {
        ApplySwitch(loop, process, SwitchName(loop.Parameter(loop.index)));
    }

    if (loop.error.empty() && !process.run.commandLineInput) {
        return CommandLineOutcome::StartWindowProgram;
    }
    if (!loop.error.empty()) {
        PrintLine("Error: " + loop.error);
        if (loop.pause) {
            WaitForKey();
        }
        return CommandLineOutcome::Finished;
    }
    if (!loop.quiet) {
        PrintBanner();
    }
    RunConsoleBatch(process, loop.quiet);
    if (loop.pause) {
        PrintLine("Press any key to exit.");
        WaitForKey();
    }
    return CommandLineOutcome::Finished;
}
