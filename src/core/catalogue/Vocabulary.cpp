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

}  // namespace

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
