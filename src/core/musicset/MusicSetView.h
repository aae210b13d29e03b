#pragma once
// MusicSetView: what the music set window shows and enables, decided without a
// window — the text of each list line, the buttons an empty set disables, the
// selection on activation and the main window's set counter. Plain values.
#include <array>
#include <string>
#include <string_view>

#include "core/browse/Browser.h"
#include "core/musicset/MusicSet.h"

namespace trakvella {

// The pieces of one line of MemListBox, drawn after the icon.
struct MemListLine {
  std::string duration;  // bold: a blank and the duration; empty without showtime
  std::string text;      // normal weight: code, title and author part as switched on
};

MemListLine MemListBoxLine(const MusicSet& set, size_t position, const DisplayOptions& options);

// The author part of a line: " а:" composer, " и:" performer, or " а/и: "
// both, each followed by a blank; nothing when neither is switched on.
std::string AuthorPart(const TrackRecord& track, const DisplayOptions& options);

// The controls the window enables exactly when the set is not empty.
inline constexpr std::array<std::string_view, 10> kSetButtons = {
    "PlayInMemBut", "FileDownBut", "memDelBtn", "DelBtn",  "memCopyBtnPl",
    "BInfoBut",     "InfButton",   "RepButton", "SaveBtn", "ftpbut"};

// What activating the window shows.
struct MemActivation {
  bool setButtonsEnabled = false;  // every control of kSetButtons
  int selection = -1;              // the line to select, -1 when the set is empty
};

// SetWindowActivation: the remembered selection kept within the set (it is written
// back to the set) and the buttons' state.
MemActivation SetWindowActivation(MusicSet& set);

// Whether "Оптимизировать" is enabled when the pop-up menu opens.
inline bool OptimiseEnabled(const MusicSet& set) { return !set.empty(); }

// The main window's memCountLbl: the number of entries, nothing for an empty set.
inline std::string MemCountText(const MusicSet& set) {
  return set.empty() ? std::string() : std::to_string(set.size());
}

}  // namespace trakvella
