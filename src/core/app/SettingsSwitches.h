#pragma once
// SettingsSwitches: the check-mark menu items whose state the settings file keeps, each with its
// value in the Settings model. The one mapping both ways; App owns the model, the menus mirror it.
#include <array>
#include <string_view>

#include "core/settings/Settings.h"

namespace trakvella {

struct SettingsSwitch {
  std::string_view item;  // the pop-up menu item's name (its main-menu twin follows it)
  // Where the model keeps it: a field of the settings, or one of the track list's display options.
  bool Settings::*field = nullptr;
  bool DisplayOptions::*displayField = nullptr;

  bool& In(Settings& settings) const { return field ? settings.*field : settings.display.*displayField; }
  bool In(const Settings& settings) const { return field ? settings.*field : settings.display.*displayField; }
};

inline constexpr std::array<SettingsSwitch, 12> kSettingsSwitches{{
    {"OfflineModeItem", &Settings::offlineMode},
    {"Autoplay1", &Settings::autoplay},
    {"NonStopPlaying", &Settings::nonStop},
    {"BackGrItem", &Settings::bkgPlay},
    {"extplayeritem", &Settings::extPlayer},
    {"showname", nullptr, &DisplayOptions::showName},
    {"showcode", nullptr, &DisplayOptions::showCode},
    {"showcomposer", nullptr, &DisplayOptions::showComposer},
    {"showartist", nullptr, &DisplayOptions::showArtist},
    {"showstyle", nullptr, &DisplayOptions::showStyle},
    {"showtime", nullptr, &DisplayOptions::showTime},
    {"AlwaysInfo", &Settings::alwaysInfo},
}};

// The switch of a menu item; nullptr for an item that is not one.
inline const SettingsSwitch* FindSettingsSwitch(std::string_view item) {
  for (const SettingsSwitch& s : kSettingsSwitches)
    if (s.item == item) return &s;
  return nullptr;
}

}  // namespace trakvella
