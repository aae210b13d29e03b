#pragma once
// Likeness: "more like this", how alike two catalogue tracks are by their tag lines, and the tracks most
// like one track over the whole catalogue. The caller owns a LikenessIndex beside the catalogue; the index
// reads the tag lines at its first query and keeps what it read until the catalogue's CDs change or
// Forget() is called (the owner calls it after every catalogue load).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TrackRef.h"

namespace trakvella {

// How many tracks "Похожие треки" lists.
inline constexpr size_t kLikeCount = 50;

// One track of a "more like this" result: its place in the catalogue and its score in thousandths.
struct LikeTrack {
  int cd = 0;
  int track = 0;
  int score = 0;
  bool operator==(const LikeTrack&) const = default;
};

class LikenessIndex {
 public:
  // The tracks most like the track at (cd, track), best first, at most `count`, the track itself left
  // out; equal scores in catalogue order. Empty when there is no such track.
  std::vector<LikeTrack> MostAlike(const Catalogue& catalogue, int cd, int track, size_t count = kLikeCount);
  // Drops what was read; the next query reads the catalogue again.
  void Forget();

 private:
  // What the score reads of a tag line, found once per track.
  struct Traits {
    uint32_t styles = 0;     // bit s: style word s of the style list; bit 29: none of them ("SFX/ID")
    int tempo = 0;           // the corrected tempo, 0 for none
    int key = -1;            // place on the wheel: (number - 1) * 2, plus 1 for a major key; -1 for none
    uint8_t mood = 0;        // the mood digit, 0 for none
    uint8_t tempoClass = 0;  // bits: 1 "!S", 2 "!M", 4 "!F"
    uint8_t flags = 0;       // bits: 1 "!H", 2 "!B", 4 "!I"
    uint8_t epochs = 0;      // bit e: epoch word e
  };
  static Traits TraitsOf(const TrackRecord& track);
  int Score(const Traits& a, const Traits& b) const;
  bool Covers(const Catalogue& catalogue) const;
  void Build(const Catalogue& catalogue);

  const Catalogue* catalogue_ = nullptr;
  std::vector<std::pair<std::string, size_t>> shape_;  // per CD its code and track count
  std::vector<Traits> traits_;                         // per track, in catalogue order
  std::vector<TrackRef> places_;                       // per track its (CD, track) position
  std::vector<size_t> firstOfCd_;                      // per CD the index of its first track
  std::array<int, 30> rarity_{};                       // per style bit: ln(1 + tracks / tracks with it), thousandths
};

// A score in thousandths as the command line prints it: "12.345", "-0.500"; the same in every locale.
std::string FormatScore(int score);

}  // namespace trakvella
