// Vocabulary: key names, the tempo correction and author-name expansion.
#include "core/catalogue/Vocabulary.h"

#include <bit>

namespace trakvella {

namespace {

const CamelotKey* FindKey(std::string_view camelot) {
  for (const CamelotKey& key : kCamelotKeys) {
    if (key.code == camelot) return &key;
  }
  return nullptr;
}

// The style words by their first letter (every word begins with a capital Latin letter): the
// words that may begin at a place of a text are found without searching for each.
const std::array<uint32_t, 26>& StyleWordsByFirstLetter() {
  static const auto words = [] {
    std::array<uint32_t, 26> w{};
    for (size_t s = 0; s < kStyleWords.size(); ++s) w[static_cast<size_t>(kStyleWords[s][0] - 'A')] |= 1u << s;
    return w;
  }();
  return words;
}

}  // namespace

uint32_t StyleWordBits(std::string_view text) {
  static_assert(kStyleWords.size() <= 32);
  const auto& byFirstLetter = StyleWordsByFirstLetter();
  uint32_t bits = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const char c = text[i];
    if (c < 'A' || c > 'Z') continue;
    for (uint32_t words = byFirstLetter[static_cast<size_t>(c - 'A')] & ~bits; words != 0; words &= words - 1) {
      const int s = std::countr_zero(words);
      const std::string_view word = kStyleWords[static_cast<size_t>(s)];
      if (text[i + 1] == word[1] && text.substr(i).starts_with(word)) bits |= 1u << s;
    }
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
