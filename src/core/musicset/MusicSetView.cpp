// MusicSetView: the music set window's line texts and enabling.
#include "core/musicset/MusicSetView.h"

#include <algorithm>

namespace trakvella {

std::string AuthorPart(const TrackRecord& track, const DisplayOptions& options) {
  if (options.showComposer && options.showArtist) return " а/и: " + track.composer + "/" + track.performer + " ";
  if (options.showComposer) return " а:" + track.composer + " ";
  if (options.showArtist) return " и:" + track.performer + " ";
  return {};
}

MemListLine MemListBoxLine(const MusicSet& set, size_t position, const DisplayOptions& options) {
  MemListLine line;
  if (position >= set.size()) return line;
  const TrackRecord& track = set.TrackOf(position);
  if (options.showTime) line.duration.append(1, ' ').append(track.duration);
  line.text.push_back(' ');
  if (options.showCode) line.text.append(1, '[').append(set[position].code).append("] ");
  if (options.showName) line.text += track.title;
  line.text += AuthorPart(track, options);
  return line;
}

MemActivation SetWindowActivation(MusicSet& set) {
  MemActivation state;
  state.setButtonsEnabled = !set.empty();
  if (set.empty()) return state;
  const int last = static_cast<int>(set.size()) - 1;
  state.selection = std::clamp(set.selection(), 0, last);
  set.SetSelection(state.selection);
  return state;
}

}  // namespace trakvella
