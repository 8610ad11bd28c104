#include "app/settings.h"

#include "app/settings_schema.h"
#include "engine/format_catalogue.h"
#include "platform/clock.h"
#include "platform/screen.h"

namespace {

// Centred on the desktop when it is larger than the window, else 100.
int32_t CentredOrHundred(std::optional<int> desktopExtent, int32_t windowExtent) {
    if (desktopExtent && *desktopExtent > windowExtent) {
        return (*desktopExtent - windowExtent) / 2;
    }
    return 100;
}

}  // namespace

void ApplyDefaultSettings(Settings& settings, bool commandLine, std::optional<ScreenSize> desktop,
                          DateNumber now) {
    const std::optional<int> desktopWidth = desktop ? std::optional<int>(desktop->width) : std::nullopt;
    const std::optional<int> desktopHeight = desktop ? std::optional<int>(desktop->height) : std::nullopt;
    for (const SettingDef& s : SettingsSchema()) {
        const SettingDefault& d = s.defaultValue;
        switch (d.rule) {
            case DefaultRule::Fixed:
            case DefaultRule::FileVersion:
                if (s.kind == SettingKind::Real) {
                    SetReal(settings, s, d.real);
                } else {
                    SetNumber(settings, s, d.number);
                    SetText(settings, s, d.text);
                }
                break;
            case DefaultRule::CurrentDate:
                SetNumber(settings, s, now);
                break;
            // The schema sets the window's size before its position.
            case DefaultRule::WindowX:
                SetNumber(settings, s, CentredOrHundred(desktopWidth, settings.app.window.width));
                break;
            case DefaultRule::WindowY:
                SetNumber(settings, s, CentredOrHundred(desktopHeight, settings.app.window.height));
                break;
            case DefaultRule::OnUnlessCommandLine:
                SetNumber(settings, s, commandLine ? 0 : 1);
                break;
            case DefaultRule::FirstInputFormat:
                SetText(settings, s, std::string(EnabledInputGroups().front()));
                break;
            case DefaultRule::FirstOutputFormat:
                SetText(settings, s, std::string(EnabledOutputFormats().front()));
                break;
        }
    }
}

void ApplyDefaultSettings(Settings& settings, bool commandLine) {
    ApplyDefaultSettings(settings, commandLine, PrimaryDesktopSize(), CurrentDateNumber());
}
