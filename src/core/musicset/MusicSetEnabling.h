#pragma once
// MusicSetEnabling: the main window's music set commands in the enabling table and the track the
// player takes from the set window. Plain functions; App owns the table, the browser and the set.
#include <string>
#include <string_view>

#include "core/app/CommandEnabling.h"
#include "core/browse/Browser.h"
#include "core/musicset/MusicSet.h"

namespace trakvella {

// A row of the track list is selected.
inline constexpr const char* kStateTrackSelected = "TrackSelected";
// The tool panel's buttons, applied whenever the track list's selection moves.
inline constexpr std::string_view kToolButtons = "InstrPanel";

// The set items of the track menu ("Скопировать трек в текущий набор",
// "Скопировать все треки в набор ...", "Информация ...") need rows in the track
// list; MemCopyBut and TrInfoBut need a selected row. The rows need the track
// list's state kStateTrackRows, which App defines.
void DefineMusicSetEnabling(CommandEnabling& enabling, const Browser& browser);

// What the player plays while the set window is visible: the path or URL of the
// selected set entry; empty when nothing is selected.
std::string SelectedEntryAddress(const MusicSet& set, std::string_view demoBaseUrl);

}  // namespace trakvella
