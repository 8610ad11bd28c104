#include "cli/options.h"

#include "app/ini_file.h"
#include "app/number_text.h"
#include "app/settings_schema.h"
#include "app/text.h"

bool ApplyOption(Settings& settings, std::string_view upperName, std::string_view value,
                 OptionSource source) {
    const SettingDef* setting = FindOptionSwitch(upperName);
    if (!setting) {
        return false;
    }
    const OptionSwitch& option = setting->option;
    switch (option.value) {
        case OptionValue::None:
            SetNumber(settings, *setting, option.fixedValue);
            break;
        case OptionValue::Integer:
            SetNumber(settings, *setting, ReadInteger(value));
            break;
        case OptionValue::Real:
            SetReal(settings, *setting, ReadReal(value));
            break;
        case OptionValue::Name:
            SetNumber(settings, *setting, LookupValueName(option.names, TrimBlanks(value)));
            break;
        case OptionValue::Text: {
            const bool unquote = source == OptionSource::Profile && option.unquoteInProfile;
            SetText(settings, *setting, std::string(unquote ? WithoutEndQuotes(value) : value));
            break;
        }
    }
    if (option.alsoKey) {
        SetNumber(settings, *FindSetting(setting->group, option.alsoKey), option.alsoValue);
    }
    return true;
}

bool ApplyProfile(Settings& settings, const std::string& path) {
    IniFile ini;
    if (path.empty() || !ini.OpenIni(path)) {
        return false;
    }
    ini.SelectGroup("CLI");
    while (const std::optional<IniFile::KeyValue> entry = ini.NextIniKey()) {
        ApplyOption(settings, AsciiUpper(entry->key), entry->value, OptionSource::Profile);
    }
    ini.CloseIni();
    return true;
}
