// The "more like this" score and its index. A score is the sum of these parts, in thousandths of a point:
//   styles   up to 50: the style words both tracks have, each weighted by its rarity in the catalogue
//            (ln(1 + tracks / tracks with the word)), over the weight of the words either has; a track
//            without style words counts "SFX/ID" as its one word;
//   mood     10 for the same mood digit, 4 for the next one up or down (moods 1-5 run from anxious to
//            exuberant); nothing when either has no mood;
//   tempo    6 for the same tempo class ("!F", "!M", "!S"), 2 for the neighbouring one; and up to 10 for
//            the corrected tempos, falling evenly from 10 at the same tempo to 0 at 30 BPM apart;
//   key      10 for the same Camelot key, 6 for a key that mixes with it (HarmonicPlaces);
//   epoch    6 when both carry the same epoch word;
//   flags    per character flag ("!H", "!B", "!I"): 4 when both carry it, -4 when only one does.
// Integers throughout, so equal tag lines give equal scores and ties fall to catalogue order exactly.
#include "core/likeness/Likeness.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "core/catalogue/Vocabulary.h"
#include "core/likeness/Camelot.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {
namespace {

constexpr int kStylePoints = 50'000;
constexpr int kSameMood = 10'000, kNextMood = 4'000;
constexpr int kSameTempoClass = 6'000, kNextTempoClass = 2'000;
constexpr int kSameTempo = 10'000, kTempoReach = 30;
constexpr int kSameKey = 10'000, kMixingKey = 6'000;
constexpr int kSameEpoch = 6'000;
constexpr int kSharedFlag = 4'000;
constexpr uint32_t kNoStyleBit = 1u << kStyleWords.size();

// The style words of a track from the style text the loader wrote (" DANCE POP", the words of the tag
// line joined by blanks): each word of the text is looked up whole, "NEW YEAR" with its blank.
uint32_t StylesOf(std::string_view styleText) {
  uint32_t styles = 0;
  size_t at = 0;
  while (at < styleText.size()) {
    if (styleText[at] == ' ') {
      ++at;
      continue;
    }
    size_t length = 0;
    for (size_t s = 0; s < kStyleWords.size() && length == 0; ++s) {
      const std::string_view word = kStyleWords[s];
      if (styleText[at] == word[0] && styleText.substr(at, word.size()) == word &&
          (at + word.size() == styleText.size() || styleText[at + word.size()] == ' ')) {
        styles |= 1u << s;
        length = word.size();
      }
    }
    if (length == 0) length = std::min(styleText.find(' ', at), styleText.size()) - at;  // "SFX/ID"
    at += length;
  }
  return styles ? styles : kNoStyleBit;
}

}  // namespace

LikenessIndex::Traits LikenessIndex::TraitsOf(const TrackRecord& track) {
  Traits traits;
  const std::string_view line = TrimView(track.tagLine);
  traits.styles = StylesOf(track.styleText);
  if (line.empty()) return traits;
  if (line[0] >= '1' && line[0] <= '5') traits.mood = static_cast<uint8_t>(line[0] - '0');
  for (size_t at = line.find('!'); at != std::string_view::npos && at + 1 < line.size(); at = line.find('!', at + 1)) {
    switch (line[at + 1]) {
      case 'S':
        traits.tempoClass |= 1;
        break;
      case 'M':
        traits.tempoClass |= 2;
        break;
      case 'F':
        traits.tempoClass |= 4;
        break;
      case 'H':
        traits.flags |= 1;
        break;
      case 'B':
        traits.flags |= 2;
        break;
      case 'I':
        traits.flags |= 4;
        break;
      default:
        break;
    }
  }
  for (size_t e = 0; e < kEpochWords.size(); ++e)
    if (line.find(kEpochWords[e]) != std::string_view::npos) traits.epochs |= static_cast<uint8_t>(1u << e);
  // The tempo the related lists count; anything beyond three digits is no tempo to compare.
  const long long written = IntOr(BetweenMarkers(line, "[", "]"), 0);
  const int tempo = written > 0 && written < 1000 ? CorrectedTempo(static_cast<int>(written), line) : 0;
  traits.tempo = tempo;
  if (const auto place = PlaceOf(BetweenMarkers(line, "<", ">")))
    traits.key = (place->number - 1) * 2 + (place->major ? 1 : 0);
  return traits;
}

int LikenessIndex::Score(const Traits& a, const Traits& b) const {
  auto weight = [this](uint32_t bits) {
    int64_t sum = 0;
    for (; bits; bits &= bits - 1) sum += rarity_[static_cast<size_t>(std::countr_zero(bits))];
    return sum;
  };
  int score = 0;
  if (const int64_t either = weight(a.styles | b.styles); either > 0)
    score += static_cast<int>(kStylePoints * weight(a.styles & b.styles) / either);
  if (a.mood && b.mood) {
    const int apart = std::abs(a.mood - b.mood);
    score += apart == 0 ? kSameMood : apart == 1 ? kNextMood : 0;
  }
  if (a.tempoClass & b.tempoClass)
    score += kSameTempoClass;
  else if (((a.tempoClass << 1) | (a.tempoClass >> 1)) & b.tempoClass)
    score += kNextTempoClass;
  if (a.tempo && b.tempo) {
    const int apart = std::abs(a.tempo - b.tempo);
    if (apart < kTempoReach) score += kSameTempo * (kTempoReach - apart) / kTempoReach;
  }
  if (a.key >= 0 && b.key >= 0) {
    if (a.key == b.key)
      score += kSameKey;
    else if (MixesWith({a.key / 2 + 1, (a.key & 1) != 0}, {b.key / 2 + 1, (b.key & 1) != 0}))
      score += kMixingKey;
  }
  if (a.epochs & b.epochs) score += kSameEpoch;
  score += kSharedFlag * (std::popcount(static_cast<unsigned>(a.flags & b.flags)) -
                          std::popcount(static_cast<unsigned>(a.flags ^ b.flags)));
  return score;
}

bool LikenessIndex::Covers(const Catalogue& catalogue) const {
  if (catalogue_ != &catalogue || shape_.size() != static_cast<size_t>(catalogue.CdCount())) return false;
  for (size_t cd = 0; cd < shape_.size(); ++cd)
    if (shape_[cd].first != catalogue.Cd(cd).cdCode || shape_[cd].second != catalogue.Cd(cd).tracks.size())
      return false;
  return true;
}

void LikenessIndex::Build(const Catalogue& catalogue) {
  Forget();
  catalogue_ = &catalogue;
  traits_.reserve(static_cast<size_t>(catalogue.TrackCount()));
  places_.reserve(static_cast<size_t>(catalogue.TrackCount()));
  std::array<int, 30> holding{};  // per style bit, the tracks that have it
  for (int cd = 0; cd < catalogue.CdCount(); ++cd) {
    const auto& tracks = catalogue.Cd(cd).tracks;
    shape_.emplace_back(catalogue.Cd(cd).cdCode, tracks.size());
    firstOfCd_.push_back(traits_.size());
    for (int t = 0; t < static_cast<int>(tracks.size()); ++t) {
      traits_.push_back(TraitsOf(tracks[t]));
      places_.push_back({cd, t});
      for (uint32_t bits = traits_.back().styles; bits; bits &= bits - 1) ++holding[std::countr_zero(bits)];
    }
  }
  const double total = static_cast<double>(traits_.size());
  for (size_t bit = 0; bit < rarity_.size(); ++bit)
    rarity_[bit] = holding[bit] ? static_cast<int>(std::lround(1000.0 * std::log(1.0 + total / holding[bit]))) : 0;
}

void LikenessIndex::Forget() {
  catalogue_ = nullptr;
  shape_.clear();
  traits_.clear();
  places_.clear();
  firstOfCd_.clear();
  rarity_.fill(0);
}

std::vector<LikeTrack> LikenessIndex::MostAlike(const Catalogue& catalogue, int cd, int track, size_t count) {
  if (!Covers(catalogue)) Build(catalogue);
  if (cd < 0 || cd >= catalogue.CdCount() || track < 0 || track >= static_cast<int>(catalogue.Cd(cd).tracks.size()))
    return {};
  const size_t self = firstOfCd_[static_cast<size_t>(cd)] + static_cast<size_t>(track);
  const Traits& own = traits_[self];
  // One key per other track: the score above, the catalogue position below, so the greatest keys are the
  // best scores and, among equal scores, the first tracks of the catalogue.
  std::vector<int64_t> keys;
  keys.reserve(traits_.size());
  for (size_t i = 0; i < traits_.size(); ++i)
    if (i != self)
      keys.push_back(int64_t{Score(own, traits_[i])} * (int64_t{1} << 32) + static_cast<int64_t>(0xFFFFFFFFu - i));
  const size_t kept = std::min(count, keys.size());
  std::partial_sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(kept), keys.end(), std::greater<>());
  std::vector<LikeTrack> result;
  result.reserve(kept);
  for (size_t k = 0; k < kept; ++k) {
    const int64_t key = keys[k];
    const size_t index = 0xFFFFFFFFu - static_cast<size_t>(key & 0xFFFFFFFF);
    const int score = static_cast<int>((key - static_cast<int64_t>(key & 0xFFFFFFFF)) / (int64_t{1} << 32));
    result.push_back({places_[index].cd, places_[index].track, score});
  }
  return result;
}

std::string FormatScore(int score) {
  const long long magnitude = std::llabs(static_cast<long long>(score));
  std::string text = score < 0 ? "-" : "";
  text += std::to_string(magnitude / 1000);
  text += '.';
  const std::string fraction = std::to_string(magnitude % 1000);
  text.append(3 - fraction.size(), '0');
  return text + fraction;
}

}  // namespace trakvella
