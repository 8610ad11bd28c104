#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "app/settings.h"

// The settings schema: one row per setting, the only place that lists them. The settings file,
// the option switches, profiles, the console echo and the options pages all walk this table.

enum class SettingKind {
    Integer,  // signed 32-bit number
    Flag,     // one byte, 0 off, 1 on
    Code,     // a value code of the setting's own list (8 or 32 bits, as the field)
    Text,
    Colour,      // six hexadecimal digits RRGGBB
    ColourList,  // colours separated by ","
    Date,        // DateNumber
    Real,
};

// Where a default comes from when it is not the row's fixed value.
enum class DefaultRule {
    Fixed,
    CurrentDate,  // the moment the defaults are applied
    WindowX,      // centred on the primary desktop; 100 when read from a file without it
    WindowY,
    FileVersion,  // the current file version; 0 when read from a file without it
    OnUnlessCommandLine,
    FirstInputFormat,   // first entry of the enabled input formats
    FirstOutputFormat,  // first entry of the enabled output formats
};

// How an option switch turns its value text into the setting.
enum class OptionValue { None, Integer, Real, Name, Text };

struct ValueName {
    const char* name;
    int32_t code;
};
using ValueNames = std::span<const ValueName>;

struct OptionSwitch {
    const char* name = nullptr;  // upper case with the leading "--"; null: no switch reaches it
    OptionValue value = OptionValue::None;
    ValueNames names{};             // OptionValue::Name: the value table
    int32_t fixedValue = 0;         // OptionValue::None: the value stored
    const char* alsoKey = nullptr;  // a second setting of the same group the switch sets
    int32_t alsoValue = 0;
    bool unquoteInProfile = false;  // a profile value loses double quotes at its ends
};

// A pointer to the field, whose type is the storage width.
using FieldRef = std::variant<int32_t*, int8_t*, float*, std::string*>;

struct SettingDefault {
    constexpr SettingDefault(int32_t n) : number(n) {}
    constexpr SettingDefault(const char* t) : text(t) {}
    constexpr SettingDefault(double r) : real(static_cast<float>(r)) {}
    constexpr SettingDefault(DefaultRule r, int32_t n = 0) : number(n), rule(r) {}

    int32_t number = 0;
    const char* text = "";
    float real = 0.0f;
    DefaultRule rule = DefaultRule::Fixed;
};

struct SettingDef {
    const char* group;
    const char* key;
    SettingKind kind;
    SettingDefault defaultValue;
    FieldRef (*field)(Settings&);
    // Input and output settings belong to one format; the settings file writes them only for the
    // enabled formats.
    const char* format = nullptr;
    OptionSwitch option{};
    ValueNames keywords{};  // echo keywords: the names, lower-cased, by code
};

std::span<const SettingDef> SettingsSchema();

// Case-sensitive lookup by group and key; null when there is no such setting.
const SettingDef* FindSetting(std::string_view group, std::string_view key);

// The row whose switch is `upperName` ("--WIDTH"); null when no option switch has that name.
const SettingDef* FindOptionSwitch(std::string_view upperName);

// The code of the first name equal to the upper-cased text; 0 when none is.
int32_t LookupValueName(ValueNames names, std::string_view text);

// The lower-case keyword of a code for the console echo; empty for an unknown code.
std::string ValueKeyword(const SettingDef& setting, int32_t code);

// Typed access through a row. Numbers are stored with the field's width (int8_t fields keep the
// low byte); reading a text field as a number or the reverse is a schema error and gives 0 or "".
int32_t GetNumber(const Settings& settings, const SettingDef& setting);
void SetNumber(Settings& settings, const SettingDef& setting, int64_t value);
float GetReal(const Settings& settings, const SettingDef& setting);
void SetReal(Settings& settings, const SettingDef& setting, float value);
const std::string& GetText(const Settings& settings, const SettingDef& setting);
void SetText(Settings& settings, const SettingDef& setting, std::string value);
