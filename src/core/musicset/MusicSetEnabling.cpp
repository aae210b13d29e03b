// MusicSetEnabling: the set commands' enabling rows and the set window's current track.
#include "core/musicset/MusicSetEnabling.h"

#include "core/catalogue/TrackCodes.h"

namespace trakvella {

void DefineMusicSetEnabling(CommandEnabling& enabling) {
  for (const char* command : {"Copy1", "copyAll", "TrackInfoItem"})
    enabling.Require(kTrackMenus, command, {kStateTrackRows});
  for (const char* button : {"MemCopyBut", "TrInfoBut"})
    enabling.Require(kTrackRowButtons, button, {kStateTrackRowSelected});
}

std::string SelectedEntryAddress(const MusicSet& set, std::string_view demoBaseUrl) {
  const int selected = set.selection();
  if (selected < 0 || static_cast<size_t>(selected) >= set.size()) return {};
  return TrackPathOrUrl(set.TrackOf(static_cast<size_t>(selected)).location, demoBaseUrl);
}

}  // namespace trakvella
