#pragma once
// MusicSetEnabling: the main window's music set commands in the enabling table and the track the
// player takes from the set window. Plain functions; App owns the table, the browser and the set.
#include <string>
#include <string_view>

#include "core/enabling/CommandEnabling.h"
#include "core/musicset/MusicSet.h"

namespace trakvella {

// The set items of the track menu ("Скопировать трек в текущий набор",
// "Скопировать все треки в набор ...", "Информация ...") need rows in the track
// list; MemCopyBut and TrInfoBut, among the buttons that follow the track
// list's selection (kTrackRowButtons), need a selected row. The states are the
// track list's, which App defines (kStateTrackRows, kStateTrackRowSelected).
void DefineMusicSetEnabling(CommandEnabling& enabling);

// What the player plays while the set window is visible: the path or URL of the
// selected set entry; empty when nothing is selected.
std::string SelectedEntryAddress(const MusicSet& set, std::string_view demoBaseUrl);

}  // namespace trakvella
