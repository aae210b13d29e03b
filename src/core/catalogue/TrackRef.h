#pragma once
// TrackRef and the code lengths: a catalogue track by its place, and how long the codes that name
// CDs and tracks are (KMLB_ccc and KMLB_ccc_ttt). Plain values.
#include <compare>
#include <cstddef>

namespace trakvella {

// The characters of a CD code, KMLB_ccc, and of a track code, KMLB_ccc_ttt.
inline constexpr size_t kCdCodeLength = 8;
inline constexpr size_t kTrackCodeLength = 12;

// A catalogue track by its place: the CD's index and the track's position on it.
struct TrackRef {
  int cd = 0;
  int track = 0;
  // Catalogue order: by CD, then by track.
  friend auto operator<=>(const TrackRef&, const TrackRef&) = default;
};

}  // namespace trakvella
