#pragma once
// SettingsSwitches: the check-mark menu items whose state the settings file keeps, each with its
// value in the Settings model. The one mapping both ways; App owns the model, the menus mirror it.
#include <array>
#include <string_view>

#include "core/settings/Settings.h"

namespace trakvella {

struct SettingsSwitch {
  std::string_view item;  // the pop-up menu item's name (its main-menu twin follows it)
  bool& (*value)(Settings& settings);
};

inline constexpr std::array<SettingsSwitch, 12> kSettingsSwitches{{
    {"OfflineModeItem", [](Settings& s) -> bool& { return s.offlineMode; }},
    {"Autoplay1", [](Settings& s) -> bool& { return s.autoplay; }},
    {"NonStopPlaying", [](Settings& s) -> bool& { return s.nonStop; }},
    {"BackGrItem", [](Settings& s) -> bool& { return s.bkgPlay; }},
    {"extplayeritem", [](Settings& s) -> bool& { return s.extPlayer; }},
    {"showname", [](Settings& s) -> bool& { return s.display.showName; }},
    {"showcode", [](Settings& s) -> bool& { return s.display.showCode; }},
    {"showcomposer", [](Settings& s) -> bool& { return s.display.showComposer; }},
    {"showartist", [](Settings& s) -> bool& { return s.display.showArtist; }},
    {"showstyle", [](Settings& s) -> bool& { return s.display.showStyle; }},
    {"showtime", [](Settings& s) -> bool& { return s.display.showTime; }},
    {"AlwaysInfo", [](Settings& s) -> bool& { return s.alwaysInfo; }},
}};

// The switch of a menu item; nullptr for an item that is not one.
inline const SettingsSwitch* FindSettingsSwitch(std::string_view item) {
  for (const SettingsSwitch& s : kSettingsSwitches)
    if (s.item == item) return &s;
  return nullptr;
}

}  // namespace trakvella
