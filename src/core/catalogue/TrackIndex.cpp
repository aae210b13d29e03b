// The catalogue's track index: where a track code lies, made once per load at the
// first lookup.
#include <algorithm>
#include <bit>
#include <unordered_set>

#include "core/catalogue/Catalogue.h"
#include "core/text/Text.h"
#include "core/text/TextFields.h"

namespace trakvella {

namespace {
// The CD and track numbers of a code of the usual form KMLB_ccc_ttt, or false.
bool NumbersOfCode(std::string_view code, int& cdNumber, int& trackNumber) {
  auto digit = [&code](size_t at) { return code[at] >= '0' && code[at] <= '9'; };
  if (code.size() != kTrackCodeLength || !code.starts_with("KMLB_") || code[8] != '_') return false;
  if (!digit(5) || !digit(6) || !digit(7) || !digit(9) || !digit(10) || !digit(11)) return false;
  cdNumber = (code[5] - '0') * 100 + (code[6] - '0') * 10 + (code[7] - '0');
  trackNumber = (code[9] - '0') * 100 + (code[10] - '0') * 10 + (code[11] - '0');
  return true;
}
}  // namespace

void Catalogue::BuildTrackIndex() const {
  // A track is looked up in the first CD with its CD code only, so the index
  // takes the tracks of the first CD of each code and, within it, the first
  // track of each code.
  TrackIndex& index = trackIndex_;
  index.cdOfNumber.assign(1000, NumberedCd{});
  index.trackOfNumber.clear();
  struct Other {
    const std::string* code;
    int cd, track;
  };
  std::vector<Other> others;  // codes of another form, with their place
  std::vector<int> numbers;
  std::unordered_set<std::string_view> cdSeen;
  for (int p = 0; p < CdCount(); ++p) {
    const CdRecord& cd = Cd(p);
    if (!cdSeen.insert(cd.cdCode).second) continue;
    numbers.assign(cd.tracks.size(), -1);
    int cdNumber = -1, highest = -1;
    for (size_t t = 0; t < cd.tracks.size(); ++t) {
      const std::string& code = cd.tracks[t].code;
      if (FirstChars(code, kCdCodeLength) != cd.cdCode) continue;
      int trackNumber = 0;
      if (NumbersOfCode(code, cdNumber, trackNumber)) {
        numbers[t] = trackNumber;
        highest = std::max(highest, trackNumber);
      } else {
        others.push_back({&code, p, static_cast<int>(t)});
      }
    }
    if (highest < 0) continue;  // every track of this CD's code has the form, so cdNumber is the CD's
    NumberedCd& numbered = index.cdOfNumber[static_cast<size_t>(cdNumber)];
    numbered = {p, static_cast<uint32_t>(index.trackOfNumber.size()), static_cast<uint32_t>(highest + 1)};
    index.trackOfNumber.resize(index.trackOfNumber.size() + numbered.size, -1);
    for (size_t t = 0; t < numbers.size(); ++t) {
      int32_t& slot = index.trackOfNumber[numbered.first + static_cast<uint32_t>(numbers[t] < 0 ? 0 : numbers[t])];
      if (numbers[t] >= 0 && slot < 0) slot = static_cast<int32_t>(t);  // the first of a code stays
    }
  }
  index.table.assign(std::bit_ceil(others.size() * 2 + 2), TrackSlot{});
  for (const auto& [code, cd, track] : others) {
    const size_t mask = index.table.size() - 1;
    size_t at = std::hash<std::string_view>{}(*code) & mask;
    while (index.table[at].cd >= 0 && index.table[at].code != *code) at = (at + 1) & mask;
    if (index.table[at].cd < 0) index.table[at] = {*code, cd, track};
  }
  index.built = true;
}

TrackRef Catalogue::LocateTrack(std::string_view code) const {
  if (!trackIndex_.built) BuildTrackIndex();
  code = TrimView(code);
  int cdNumber = 0, trackNumber = 0;
  if (NumbersOfCode(code, cdNumber, trackNumber)) {
    const NumberedCd& numbered = trackIndex_.cdOfNumber[static_cast<size_t>(cdNumber)];
    if (numbered.cd < 0 || static_cast<uint32_t>(trackNumber) >= numbered.size) return {-1, -1};
    const int32_t track = trackIndex_.trackOfNumber[numbered.first + static_cast<uint32_t>(trackNumber)];
    return track < 0 ? TrackRef{-1, -1} : TrackRef{numbered.cd, track};
  }
  const auto& table = trackIndex_.table;
  const size_t mask = table.size() - 1;
  size_t at = std::hash<std::string_view>{}(code)&mask;
  while (table[at].cd >= 0 && table[at].code != code) at = (at + 1) & mask;
  return {table[at].cd, table[at].track};
}

}  // namespace trakvella
