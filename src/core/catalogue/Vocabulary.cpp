// Vocabulary: key names, the tempo correction and author-name expansion.
#include "core/catalogue/Vocabulary.h"

namespace trakvella {

namespace {

const CamelotKey* FindKey(std::string_view camelot) {
  for (const CamelotKey& key : kCamelotKeys) {
    if (key.code == camelot) return &key;
  }
  return nullptr;
}

// The capital Latin letters a text holds, one bit each: a quick way to rule out
// a style word before searching for it.
uint32_t LetterMask(std::string_view text) {
  uint32_t mask = 0;
  for (char c : text)
    if (c >= 'A' && c <= 'Z') mask |= 1u << (c - 'A');
  return mask;
}

const std::array<uint32_t, kStyleWords.size()>& StyleLetterMasks() {
  static const auto masks = [] {
    std::array<uint32_t, kStyleWords.size()> m{};
    for (size_t i = 0; i < kStyleWords.size(); ++i) m[i] = LetterMask(kStyleWords[i]);
    return m;
  }();
  return masks;
}

}  // namespace

uint32_t StyleWordBits(std::string_view text) {
  static_assert(kStyleWords.size() <= 32);
  uint32_t bits = 0;
  const uint32_t letters = LetterMask(text);
  for (size_t s = 0; s < kStyleWords.size(); ++s) {
    if ((StyleLetterMasks()[s] & ~letters) != 0) continue;  // a letter of the word is missing
    if (text.find(kStyleWords[s]) != std::string_view::npos) bits |= 1u << s;
  }
  return bits;
}

std::string_view MoodCaption(char digit) {
  if (digit < '0' || digit > '5') return {};
  return kMoodCaptions[static_cast<size_t>(digit - '0')];
}

std::string KeyName(std::string_view camelot) {
  const CamelotKey* key = FindKey(camelot);
  return key ? std::string(key->name) : std::string();
}

std::string KeyLongName(std::string_view camelot) {
  const CamelotKey* key = FindKey(camelot);
  if (!key) return {};
  // Short names are the tonic followed by "maj" or "min".
  std::string_view name = key->name;
  std::string_view tonic = name.substr(0, name.size() - 3);
  bool major = name.ends_with("maj");
  std::string text(tonic);
  text += major ? " major" : " minor";
  return text;
}

int CorrectedTempo(int bpm, std::string_view tagLine) {
  if (bpm >= 70 && bpm <= 90 && tagLine.find("!F") != std::string_view::npos) return bpm * 2;
  if (bpm >= 140 && bpm <= 190 && tagLine.find("!S") != std::string_view::npos) return bpm / 2;
  return bpm;
}

std::string ExpandAuthorNames(std::string_view text, const std::vector<std::string>& writersInfo) {
  std::string result(text);
  for (const std::string& row : writersInfo) {
    size_t eq = row.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    std::string_view name = std::string_view(row).substr(0, eq);
    std::string_view full = std::string_view(row).substr(eq + 1);
    size_t at = result.find(name);
    if (at == std::string::npos) continue;
    // Rebuild rather than replace in place: the scan goes on after each
    // replacement, so a full form holding its short form cannot recurse.
    std::string replaced;
    replaced.reserve(result.size() + full.size());
    size_t from = 0;
    while (at != std::string::npos) {
      replaced.append(result, from, at - from);
      replaced.append(full);
      from = at + name.size();
      at = result.find(name, from);
    }
    replaced.append(result, from, std::string::npos);
    result.swap(replaced);
  }
  return result;
}

}  // namespace trakvella
