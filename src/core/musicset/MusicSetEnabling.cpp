// MusicSetEnabling: the set commands' enabling rows and the set window's current track.
#include "core/musicset/MusicSetEnabling.h"

#include "core/app/App.h"
#include "core/catalogue/TrackCodes.h"

namespace trakvella {

void DefineMusicSetEnabling(CommandEnabling& enabling, const Browser& browser) {
  enabling.DefineState(kStateTrackSelected, [&browser] {
    const int row = browser.selectedRow();
    return row >= 0 && row < browser.rowCount();
  });
  for (const char* command : {"Copy1", "copyAll", "TrackInfoItem"})
    enabling.Require(kTrackMenus, command, {kStateTrackRows});
  for (const char* button : {"MemCopyBut", "TrInfoBut"}) enabling.Require(kToolButtons, button, {kStateTrackSelected});
}

std::string SelectedEntryAddress(const MusicSet& set, std::string_view demoBaseUrl) {
  const int selected = set.selection();
  if (selected < 0 || static_cast<size_t>(selected) >= set.size()) return {};
  return TrackPathOrUrl(set.TrackOf(static_cast<size_t>(selected)).location, demoBaseUrl);
}

}  // namespace trakvella
