#include "app/settings_file.h"

#include <span>

#include "app/ini_file.h"
#include "app/product.h"
#include "app/settings_schema.h"
#include "engine/format_catalogue.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/screen.h"

namespace {

constexpr int32_t kFileVersion = 17;

void ReadSetting(const IniFile& ini, Settings& settings, const SettingDef& s) {
    switch (s.kind) {
        case SettingKind::Text:
        case SettingKind::Colour:
        case SettingKind::ColourList:
            SetText(settings, s, ini.ReadIniText(s.key, GetText(settings, s)));
            break;
        case SettingKind::Real:
            SetReal(settings, s, ini.ReadIniReal(s.key, GetReal(settings, s)));
            break;
        default:
            SetNumber(settings, s, ini.ReadIniInteger(s.key, GetNumber(settings, s)));
            break;
    }
}

void WriteSetting(IniFile& ini, const Settings& settings, const SettingDef& s) {
    switch (s.kind) {
        case SettingKind::Text:
        case SettingKind::Colour:
        case SettingKind::ColourList:
            ini.WriteIniText(s.key, GetText(settings, s));
            break;
        case SettingKind::Real:
            ini.WriteIniReal(s.key, GetReal(settings, s));
            break;
        default:
            ini.WriteIniInteger(s.key, s.defaultValue.rule == DefaultRule::FileVersion
                                           ? kFileVersion
                                           : GetNumber(settings, s));
            break;
    }
}

// The settings a group writes: those of no particular format in schema order, and those of a
// format once for each enabled format, in the order of the enabled list.
void WriteGroup(IniFile& ini, const Settings& settings, std::span<const SettingDef> group,
                std::span<const std::string_view> enabledFormats) {
    for (const SettingDef& s : group) {
        if (!s.format) {
            WriteSetting(ini, settings, s);
        }
    }
    for (std::string_view format : enabledFormats) {
        for (const SettingDef& s : group) {
            if (s.format && format == s.format) {
                WriteSetting(ini, settings, s);
            }
        }
    }
}

void MigrateOlderFile(Settings& settings) {
    ConversionSettings& c = settings.conversion;
    if (settings.app.general.cfg < 11 && c.advanced.filenameMask.find("%ext%") == std::string::npos) {
        c.advanced.filenameMask += ".%ext%";
    }
    // Files before version 14 had no headerless loads: their codes 1 to 3 are now 3 to 5.
    if (settings.app.general.cfg < 14 && c.input.rawLoadAs != 0) {
        c.input.rawLoadAs += 2;
    }
}

}  // namespace

void LoadSettings(Settings& settings, const std::string& configPath) {
    ApplyDefaultSettings(settings, false);
    IniFile ini;
    if (!ini.OpenIni(configPath)) {
        return;
    }
    // A file that lacks these keys is older than they are, or kept no window position.
    settings.app.general.cfg = 0;
    settings.app.window.x = 100;
    settings.app.window.y = 100;

    for (const SettingDef& s : SettingsSchema()) {
        ini.SelectGroup(s.group);
        ReadSetting(ini, settings, s);
    }
    ini.CloseIni();
    MigrateOlderFile(settings);
}

void SaveSettings(const Settings& settings, const std::string& configPath) {
    IniFile ini;
    if (!ini.CreateIni(configPath)) {
        return;
    }
    const std::span<const SettingDef> schema = SettingsSchema();
    size_t begin = 0;
    while (begin < schema.size()) {
        size_t end = begin;
        while (end < schema.size() && std::string_view(schema[end].group) == schema[begin].group) {
            ++end;
        }
        const std::string_view group = schema[begin].group;
        ini.SelectGroup(group);
        const bool keepWindow = group != "Window" || settings.app.general.saveWindowPosition == 1;
        if (keepWindow) {
            std::span<const std::string_view> formats;
            if (group == "Input") {
                formats = EnabledInputGroups();
            } else if (group == "Output") {
                formats = EnabledOutputFormats();
            }
            WriteGroup(ini, settings, schema.subspan(begin, end - begin), formats);
        }
        ini.WriteIniComment("");
        begin = end;
    }
    ini.CloseIni();
}

std::string SettingsFolder() {
    std::string folder = UserConfigFolder();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    // A new account may not have its configuration folder yet.
    if (!PathExists(folder)) {
        CreateFolderPath(folder);
    }
    for (const std::string& word : {MakerWord(), std::string(kShortName)}) {
        folder += word + '/';
        if (!PathExists(folder)) {
            CreateFolder(folder);
        }
    }
    return folder;
}
